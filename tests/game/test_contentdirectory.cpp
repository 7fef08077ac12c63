// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/contentdirectory.h"

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TLanguagesCase {
    const char* Name;
    TLocaleVariables Locale;
    std::vector<std::string> Expected;
};

const TLanguagesCase LanguagesCases[] = {
    { "nothing set", {}, { "en" } },
    { "LANG with country and encoding", { nullptr, nullptr, nullptr, "de_DE.UTF-8" },
        { "de_DE", "de", "en" } },
    { "modifier dropped", { nullptr, nullptr, nullptr, "ca_ES@valencia" }, { "ca_ES", "ca", "en" } },
    { "LANGUAGE list first, in its order", { "pt_BR:fr", nullptr, nullptr, "de_DE.UTF-8" },
        { "pt_BR", "pt", "fr", "de_DE", "de", "en" } },
    { "LC_ALL before LC_MESSAGES before LANG", { nullptr, "sv_SE.UTF-8", "ru_RU.UTF-8", "it_IT" },
        { "sv_SE", "sv", "ru_RU", "ru", "it_IT", "it", "en" } },
    { "C and POSIX name no language", { "", "C.UTF-8", "POSIX", "C" }, { "en" } },
    { "empty entries and repeats", { ":de::de_AT", nullptr, nullptr, "de_AT.UTF-8" },
        { "de", "de_AT", "en" } },
    { "English already named", { nullptr, nullptr, nullptr, "en_GB.UTF-8" }, { "en_GB", "en" } },
};

TEST(ContentLanguages, FromTheLocaleVariables)
{
    for (const TLanguagesCase& c : LanguagesCases)
        EXPECT_EQ(ContentLanguages(c.Locale), c.Expected) << c.Name;
}

class ContentDirectoryChoice : public testing::Test {
protected:
    void SetUp() override
    {
        m_base = fs::temp_directory_path()
            / ("tapsy-content-" + std::to_string(::getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_base);
        fs::create_directories(m_base);
    }
    void TearDown() override { fs::remove_all(m_base); }
    void MakeSet(const fs::path& Folder) const
    {
        fs::create_directories(Folder);
        std::ofstream(Folder / "TapsyV.ini") << "[VK_A]\nDisplay=A\n";
    }
    fs::path m_base;
};

TEST_F(ContentDirectoryChoice, TheFirstLanguageWithASet)
{
    MakeSet(m_base / "en");
    MakeSet(m_base / "de");
    fs::create_directories(m_base / "fr"); // a folder without a content file is no set
    EXPECT_EQ(ChooseContentDirectory(m_base, { "fr", "de", "en" }), m_base / "de");
    EXPECT_EQ(ChooseContentDirectory(m_base, { "ja", "en" }), m_base / "en");
}

TEST_F(ContentDirectoryChoice, AContentFileOfOnesOwnWins)
{
    MakeSet(m_base / "de");
    MakeSet(m_base);
    EXPECT_EQ(ChooseContentDirectory(m_base, { "de", "en" }), m_base);
}

TEST_F(ContentDirectoryChoice, NoSetAtAllLeavesTheSystemDirectory)
{
    EXPECT_EQ(ChooseContentDirectory(m_base, { "de", "en" }), m_base);
}

TEST_F(ContentDirectoryChoice, TheConfiguredSystemDirectoryIsTakenAsItIs)
{
    MakeSet(m_base / "en");
    ::setenv("TAPSY_SYSTEM_DIR", m_base.c_str(), 1);
    EXPECT_EQ(ContentDirectory(), m_base);
    ::unsetenv("TAPSY_SYSTEM_DIR");
}

} // namespace
