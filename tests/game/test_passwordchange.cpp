// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/passwordchange.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A fresh log for the fake library's calls.
class PasswordChange : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tapsy-mpr-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        setenv("TAPSY_FAKE_MPR_LOG", (m_dir / "calls.log").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("TAPSY_FAKE_MPR_LOG");
        fs::remove_all(m_dir);
    }
    std::string Calls() const
    {
        std::ifstream log(m_dir / "calls.log");
        std::stringstream text;
        text << log.rdbuf();
        return text.str();
    }
    fs::path m_dir;
};

TEST_F(PasswordChange, CallsTheLibrarysDialogWithTheParentWindow)
{
    const struct {
        int32_t Parent;
        const char* Call;
    } cases[] = {
        { 1234, "SCRSAVE 1234 0 0\n" },
        { 0, "SCRSAVE 0 0 0\n" },
        { -7, "SCRSAVE -7 0 0\n" },
    };
    for (const auto& c : cases) {
        fs::remove(m_dir / "calls.log");
        EXPECT_TRUE(ChangeScreenSaverPassword(c.Parent, { FAKE_MPR_DIR }));
        EXPECT_EQ(Calls(), c.Call);
    }
}

TEST_F(PasswordChange, WithoutTheLibraryNothingHappens)
{
    // As on any Linux system: no mpr.DLL beside the program or anywhere the system looks.
    EXPECT_FALSE(ChangeScreenSaverPassword(1234));
    EXPECT_FALSE(ChangeScreenSaverPassword(1234, { m_dir }));
    EXPECT_EQ(Calls(), "");
}

TEST_F(PasswordChange, ALibraryWithoutTheEntryPointIsLeftAlone)
{
    // A library by that name that is something else entirely.
    fs::copy_file(FAKE_OTHER_LIBRARY, m_dir / "mpr.DLL");
    EXPECT_FALSE(ChangeScreenSaverPassword(1234, { m_dir, FAKE_MPR_DIR }));
    EXPECT_EQ(Calls(), "");
}

} // namespace
