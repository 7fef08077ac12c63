// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The default content builder, run as the build runs it, and its result read as the game
// reads it.
#include "game/keycontent.h"
#include "platform/graphics/picture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int ExitCode;
    QString Output;
};

TRun MakeContent(const QStringList& arguments, const QString& stamps = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!stamps.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TAPSY_STAMPS"), stamps);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(TAPSY_MAKE_CONTENT), arguments);
    process.waitForFinished(300000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAll()) };
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class MakeContentTool : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_first = new TRun(MakeContent({ s_dir->path() }));
    }
    static void TearDownTestSuite()
    {
        delete s_first;
        delete s_dir;
    }
    static fs::path Dir() { return fs::path(s_dir->path().toStdString()); }

    static QTemporaryDir* s_dir;
    static TRun* s_first;
};

QTemporaryDir* MakeContentTool::s_dir = nullptr;
TRun* MakeContentTool::s_first = nullptr;

TEST_F(MakeContentTool, EveryKeyHasANameAndASound)
{
    ASSERT_EQ(s_first->ExitCode, 0) << s_first->Output.toStdString();
    const fs::path ini = KeyContentFilePath(Dir());
    std::vector<std::pair<std::string, std::string>> keys; // section, display
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back({ std::string("VK_") + c, std::string(1, c) });
    for (char c = '0'; c <= '9'; ++c) {
        keys.push_back({ std::string("VK_") + c, std::string(1, c) });
        keys.push_back({ std::string("VK_NUMPAD") + c, std::string(1, c) });
    }
    for (const auto& [section, display] : keys) {
        SCOPED_TRACE(section);
        const TKeyContent content = ReadKeyContent(ini, section);
        EXPECT_EQ(content.Display, display);
        ASSERT_FALSE(content.Desc.empty());
        if (display[0] >= 'A') {
            EXPECT_EQ(content.Desc[0], display[0]); // "Apple" for A
        }
        EXPECT_TRUE(content.Picture.ends_with(".jpg")) << content.Picture;
        EXPECT_TRUE(fs::is_regular_file(KeyDataFilePath(Dir(), content.Music))) << content.Music;
        EXPECT_GT(fs::file_size(KeyDataFilePath(Dir(), content.Music)), 1000u);
    }
    const TKeyContent other = ReadKeyContent(ini, "Other_Key");
    EXPECT_EQ(other.Picture, "other.jpg");
    EXPECT_EQ(other.Music, "other.ogg");

    // Keys other than letters and digits show what is printed on them and say their name.
    const std::pair<const char*, const char*> named[] = {
        { "VK_F5", "F5" }, { "VK_F12", "F12" }, { "VK_OEM_COMMA", "," }, { "VK_SHIFT", "Shift" },
        { "VK_RSHIFT", "Shift" }, { "VK_LEFT", "←" }, { "VK_SPACE", "Space" }, { "VK_RETURN", "Enter" },
        { "SHIFT_1", "!" }, { "SHIFT_SLASH", "?" }, { "VK_OEM_5", "\\" }, { "SHIFT_BACKSLASH", "|" },
        { "VK_ADD", "+" },
    };
    for (const auto& [section, display] : named) {
        SCOPED_TRACE(section);
        const TKeyContent content = ReadKeyContent(ini, section);
        EXPECT_EQ(content.Display, display);
        EXPECT_FALSE(content.Desc.empty());
        EXPECT_TRUE(fs::is_regular_file(KeyDataFilePath(Dir(), content.Music))) << content.Music;
    }
    // Keys of one name share one sound.
    EXPECT_EQ(ReadKeyContent(ini, "VK_LSHIFT").Music, ReadKeyContent(ini, "VK_SHIFT").Music);
}

// One size for all, so that a transition changes one picture into the next; the credits name
// the source of every file.
TEST_F(MakeContentTool, PicturesOfOneSizeThatTheGameReadsAndCreditsForEveryFile)
{
    ASSERT_EQ(s_first->ExitCode, 0) << s_first->Output.toStdString();
    const std::string credits = ReadFile(Dir() / "CREDITS");
    EXPECT_NE(credits.find("CC-BY 4.0"), std::string::npos);
    EXPECT_NE(credits.find("GPL-2.0-or-later"), std::string::npos);
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(Dir() / "TapsyData")) {
        const std::string line = "\n" + entry.path().filename().string() + ": ";
        EXPECT_NE(credits.find(line), std::string::npos) << entry.path().filename();
        if (entry.path().extension() != ".jpg")
            continue;
        SCOPED_TRACE(entry.path().string());
        ++pictures;
        TPicture picture;
        ASSERT_NO_THROW(picture.LoadFromFile(entry.path().string()));
        EXPECT_EQ(picture.Width(), 1486);
        EXPECT_EQ(picture.Height(), 862);
    }
    EXPECT_EQ(pictures, 26 + 10 + 1);
}

TEST_F(MakeContentTool, ContentOfOnesOwnStaysUnlessForced)
{
    ASSERT_EQ(s_first->ExitCode, 0);
    QTemporaryDir dir;
    const fs::path ini = fs::path(dir.path().toStdString()) / "TapsyV.ini";
    std::ofstream(ini) << "[VK_A]\nDesc=Mine\n";
    const TRun kept = MakeContent({ dir.path() });
    EXPECT_EQ(kept.ExitCode, 0) << kept.Output.toStdString();
    EXPECT_EQ(ReadFile(ini), "[VK_A]\nDesc=Mine\n");
    EXPECT_FALSE(fs::exists(ini.parent_path() / "TapsyData"));

    const TRun forced = MakeContent({ QStringLiteral("--force"), dir.path() });
    EXPECT_EQ(forced.ExitCode, 0) << forced.Output.toStdString();
    EXPECT_EQ(ReadKeyContent(ini, "VK_A").Desc, "Apple");
}

// On a Russian keyboard the letter keys type Cyrillic letters: each shows the one it types and
// its word begins with it, a letter without a word shows itself, and the keys of marks that
// carry letters show those.
TEST(MakeContentRussian, LetterKeysShowTheCyrillicLetterTheyType)
{
    QTemporaryDir dir;
    const TRun run = MakeContent({ QStringLiteral("--lang"), QStringLiteral("ru"), dir.path() });
    ASSERT_EQ(run.ExitCode, 0) << run.Output.toStdString();
    const fs::path base(dir.path().toStdString());
    const fs::path ini = KeyContentFilePath(base);
    const std::pair<const char*, const char*> shown[] = {
        { "VK_A", "Ф" }, { "VK_Q", "Й" }, { "VK_F", "А" }, { "VK_Z", "Я" }, { "VK_M", "Ь" },
        { "VK_OEM_4", "Х" }, { "VK_OEM_3", "Ё" }, { "VK_OEM_COMMA", "Б" }, { "SHIFT_3", "№" },
        { "VK_OEM_2", "." },
    };
    for (const auto& [section, display] : shown) {
        SCOPED_TRACE(section);
        EXPECT_EQ(ReadKeyContent(ini, section).Display, display);
    }
    EXPECT_EQ(ReadKeyContent(ini, "VK_M").Desc, "Ь");
    for (char c = 'A'; c <= 'Z'; ++c) {
        const std::string section = std::string("VK_") + c;
        SCOPED_TRACE(section);
        const TKeyContent content = ReadKeyContent(ini, section);
        ASSERT_EQ(content.Display.size(), 2u) << content.Display; // one Cyrillic letter
        EXPECT_TRUE(content.Desc.starts_with(content.Display)) << content.Desc;
        EXPECT_TRUE(fs::is_regular_file(KeyDataFilePath(base, content.Picture))) << content.Picture;
        EXPECT_TRUE(fs::is_regular_file(KeyDataFilePath(base, content.Music))) << content.Music;
    }
}

TEST_F(MakeContentTool, MissingStampsFailWithAMessageAndLeaveNothingBehind)
{
    QTemporaryDir dir;
    const TRun run = MakeContent({ dir.path() + "/content" }, dir.path() + "/no-stamps");
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_TRUE(run.Output.contains(QStringLiteral("tuxpaint-stamps-default"))) << run.Output.toStdString();
    EXPECT_FALSE(fs::exists(fs::path(dir.path().toStdString()) / "content" / "TapsyV.ini"));

    const TRun usage = MakeContent({});
    EXPECT_EQ(usage.ExitCode, 2);
    EXPECT_TRUE(usage.Output.contains(QStringLiteral("usage")));

    const TRun unknown = MakeContent({ QStringLiteral("--lang"), QStringLiteral("xx"), dir.path() + "/xx" });
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_TRUE(unknown.Output.contains(QStringLiteral("'xx'"))) << unknown.Output.toStdString();
    EXPECT_TRUE(unknown.Output.contains(QStringLiteral("de en"))) << unknown.Output.toStdString();
    EXPECT_FALSE(fs::exists(fs::path(dir.path().toStdString()) / "xx"));
}

} // namespace
