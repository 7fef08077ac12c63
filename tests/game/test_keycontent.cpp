// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/keycontent.h"
#include "game/keytable.h"

#include "lib/stuckdisk.h"
#include "lib/waituntil.h"

#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A system directory of its own for each test.
class KeyContent : public testing::Test {
protected:
    fs::path Dir() const { return fs::path(m_dir.path().toStdString()); }
    fs::path ContentFile() const { return KeyContentFilePath(Dir()); }

    void Write(const fs::path& path, const std::string& text) const
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    void WriteContent(const std::string& text) const { Write(Dir() / "TapsyV.ini", text); }

    // The example content of the game's documentation.
    static constexpr const char* Example = "[VK_A]\r\n"
                                           "Display=A\r\n"
                                           "Desc=Apple\r\n"
                                           "Picture=apple.jpg\r\n"
                                           "Music=a.wav\r\n"
                                           "[VK_SPACE]\r\n"
                                           "Desc=Space bar\r\n"
                                           "[Other_Key]\r\n"
                                           "Picture=star.bmp\r\n"
                                           "Music=pop.wav\r\n";

private:
    QTemporaryDir m_dir;
};

TEST_F(KeyContent, ExampleFileGivesEveryKeyItsValuesAndTheFallbacks)
{
    WriteContent(Example);
    const struct {
        uint16_t Key;
        TShiftState Shift;
        const char *Display, *Desc, *Picture, *Music, *Caption;
    } cases[] = {
        { 0x41, 0, "A", "Apple", "apple.jpg", "a.wav", "A" },
        { 0x41, ssShift, "A", "Apple", "apple.jpg", "a.wav", "A" }, // Shift+A is still VK_A
        { 0x20, 0, "", "Space bar", "star.bmp", "pop.wav", " " },
        { 0x42, 0, "", "", "star.bmp", "pop.wav", "B" },
        { 0x35, ssShift, "", "", "star.bmp", "pop.wav", "5" }, // SHIFT_5 has no section
        { 0x70, 0, "", "", "star.bmp", "pop.wav", "p" }, // F1: the character of code 0x70
    };
    for (const auto& c : cases) {
        const std::string section = KeyPressSectionName(c.Key, c.Shift);
        const TKeyContent content = ReadKeyContent(ContentFile(), section);
        EXPECT_EQ(content.Display, c.Display) << section;
        EXPECT_EQ(content.Desc, c.Desc) << section;
        EXPECT_EQ(content.Picture, c.Picture) << section;
        EXPECT_EQ(content.Music, c.Music) << section;
        EXPECT_EQ(KeyNameCaption(content.Display, c.Key), QString::fromUtf8(c.Caption)) << section;
    }
}

TEST_F(KeyContent, EmptyPictureFallsBackAndDisplayAndDescNeverDo)
{
    WriteContent("[Other_Key]\nDisplay=?\nDesc=Something\nPicture=star.bmp\nMusic=pop.wav\n"
                 "[VK_B]\nDisplay=B\nPicture=\nMusic=  \n"
                 "[SHIFT_5]\nDisplay=%\nPicture=percent.jpg\n"
                 "[VK_5]\nDisplay=5\nPicture=five.jpg\n");
    const TKeyContent b = ReadKeyContent(ContentFile(), "VK_B");
    EXPECT_EQ(b.Display, "B");
    EXPECT_EQ(b.Desc, ""); // no "Desc": empty, not "Other_Key"'s
    EXPECT_EQ(b.Picture, "star.bmp");
    EXPECT_EQ(b.Music, "pop.wav");

    const TKeyContent c = ReadKeyContent(ContentFile(), "VK_C");
    EXPECT_EQ(c.Display, "");
    EXPECT_EQ(c.Desc, "");

    // A shifted digit reads its own section, not the digit's.
    const TKeyContent shifted = ReadKeyContent(ContentFile(), KeyPressSectionName(0x35, ssShift));
    EXPECT_EQ(shifted.Display, "%");
    EXPECT_EQ(shifted.Picture, "percent.jpg");
}

TEST_F(KeyContent, MissingFileReadsEmptyAndAnEditCountsAtTheNextRead)
{
    TKeyContent content = ReadKeyContent(ContentFile(), "VK_A");
    EXPECT_EQ(content.Display, "");
    EXPECT_EQ(content.Desc, "");
    EXPECT_EQ(content.Picture, "");
    EXPECT_EQ(content.Music, "");

    WriteContent(Example);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Apple");
    WriteContent("[VK_A]\nDesc=Ant\n");
    content = ReadKeyContent(ContentFile(), "VK_A");
    EXPECT_EQ(content.Desc, "Ant");
    EXPECT_EQ(content.Picture, "");
}

// Bytes the process has read through read() and its kin so far.
long long BytesReadByProcess()
{
    std::ifstream io("/proc/self/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "rchar:")
            return value;
    return -1;
}

TEST_F(KeyContent, AnUnchangedFileIsReadOnceAndEveryEditShows)
{
    // A big file, older than the file system's clock can blur: its identity can be trusted.
    const std::string padding(4 << 20, ';');
    WriteContent("[VK_A]\nDesc=Apple\n" + padding + "\n[VK_B]\nDesc=Bear\n");
    usleep(1100000);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Apple");
    const long long before = BytesReadByProcess();
    ASSERT_GE(before, 0) << "no /proc/self/io";
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Apple");
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_B").Desc, "Bear");
    EXPECT_LT(BytesReadByProcess() - before, 1 << 20) << "the unchanged file was read again";

    // An edit of the same size that puts the old modification time back still shows.
    struct stat info {};
    ASSERT_EQ(stat(ContentFile().c_str(), &info), 0);
    {
        std::fstream file(ContentFile(), std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(12);
        file << "Acorn";
    }
    const timespec times[2] = { info.st_atim, info.st_mtim };
    ASSERT_EQ(utimensat(AT_FDCWD, ContentFile().c_str(), times, 0), 0);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Acorn");

    // Two edits of the same size in quick succession, as a script makes them: each shows.
    WriteContent("[VK_A]\nDesc=Bee\n");
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Bee");
    WriteContent("[VK_A]\nDesc=Bat\n");
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Bat");
}

TEST_F(KeyContent, AContentFileThatIsNoPlainFileReadsAsMissingAtOnce)
{
    WriteContent(Example);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Apple");
    // A FIFO without a writer in its place: opening it for reading would wait for ever.
    fs::remove(Dir() / "TapsyV.ini");
    ASSERT_EQ(mkfifo((Dir() / "TapsyV.ini").c_str(), 0600), 0);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "");
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Picture, "");
}

// slow.ini answers later than a key waits for it: the read goes on, and a later key shows it.
TEST_F(KeyContent, AContentFileSlowerThanTheWaitShowsAtALaterKey)
{
    TStuckDisk disk;
    const std::string why = disk.Mount((Dir() / "mnt").string(), 3500);
    if (!why.empty())
        GTEST_SKIP() << why;
    const fs::path slow = disk.File("slow.ini");
    EXPECT_EQ(ReadKeyContent(slow, "Virtual CODE=0X41").Display, "") << "read within its wait";
    std::string desc;
    EXPECT_TRUE(WaitUntil([&] {
        desc = ReadKeyContent(slow, "Virtual CODE=0X41").Desc;
        return desc == "slow";
    }, 15000)) << "the slow file's content never showed; the last key read \"" << desc << "\"";
    // Another file reads as always meanwhile.
    WriteContent(Example);
    EXPECT_EQ(ReadKeyContent(ContentFile(), "VK_A").Desc, "Apple");
}

TEST_F(KeyContent, ValuesAreCutTo254Characters)
{
    const std::string longDesc(300, 'x');
    const std::string longPicture = std::string(260, 'p') + ".jpg";
    WriteContent("[VK_A]\nDesc=" + longDesc + "\nPicture=" + longPicture + "\n");
    const TKeyContent content = ReadKeyContent(ContentFile(), "VK_A");
    EXPECT_EQ(content.Desc, std::string(254, 'x'));
    EXPECT_EQ(content.Picture, std::string(254, 'p'));
}

TEST_F(KeyContent, FilesAreFoundWithBackslashesAndWhateverTheirCase)
{
    Write(Dir() / "TapsyData" / "Animals" / "Bear.JPG", "bear");
    Write(Dir() / "TapsyData" / "pop.wav", "pop");
    const struct {
        const char* Value;
        fs::path Expected;
    } cases[] = {
        { "Animals\\Bear.JPG", Dir() / "TapsyData" / "Animals" / "Bear.JPG" },
        { "animals\\bear.jpg", Dir() / "TapsyData" / "Animals" / "Bear.JPG" },
        { "ANIMALS/BEAR.jpg", Dir() / "TapsyData" / "Animals" / "Bear.JPG" },
        { "POP.WAV", Dir() / "TapsyData" / "pop.wav" },
        { "\\pop.wav", Dir() / "TapsyData" / "pop.wav" },
        // Not there in any case: the path as written, so that opening it fails.
        { "animals\\wolf.jpg", Dir() / "TapsyData" / "animals" / "wolf.jpg" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyDataFilePath(Dir(), c.Value), c.Expected) << c.Value;
}

TEST_F(KeyContent, ContentFileAndDataFolderAreFoundWhateverTheirCase)
{
    Write(Dir() / "tapsyv.ini", "[VK_A]\nDesc=Ant\n");
    Write(Dir() / "TAPSYDATA" / "ant.jpg", "ant");
    EXPECT_EQ(ContentFile(), Dir() / "tapsyv.ini");
    EXPECT_EQ(ReadKeyContent(ContentFile(), "vk_a").Desc, "Ant");
    EXPECT_EQ(KeyDataFilePath(Dir(), "ant.jpg"), Dir() / "TAPSYDATA" / "ant.jpg");
}

TEST(KeyNameCaption, IsTheDisplayTextOrTheCharacterOfTheKeyCode)
{
    EXPECT_EQ(KeyNameCaption("Äpfel", 0x41), QStringLiteral("Äpfel"));
    EXPECT_EQ(KeyNameCaption("", 0x41), QStringLiteral("A"));
    EXPECT_EQ(KeyNameCaption("", 0x141), QStringLiteral("A")); // the low byte
    EXPECT_EQ(KeyNameCaption("", 0xBA), QString(QChar(0xBA)));
    EXPECT_EQ(KeyNameCaption("", 0x00), QString());
}

} // namespace
