// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reading the files a user or the content names: plain files only, and never for longer than
// the caller's bound, even when the disk under the file hangs (a FUSE file system whose file
// never answers).
#include "platform/system/exception.h"
#include "platform/system/regularfile.h"

#include "lib/stuckdisk.h"
#include "lib/waituntil.h"

#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::string MessageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Exception& error) {
        return error.what();
    }
    return "(nothing was thrown)";
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class RegularFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string Path(const char* name) const { return m_dir.filePath(QLatin1String(name)).toStdString(); }

private:
    QTemporaryDir m_dir;
};

TEST_F(RegularFile, ReadsPlainFilesAndRefusesEverythingElseAtOnce)
{
    std::ofstream(Path("plain.txt"), std::ios::binary) << "0123456789";
    std::ofstream(Path("empty.txt"), std::ios::binary);
    ASSERT_EQ(mkfifo(Path("fifo.wav").c_str(), 0600), 0); // no writer: opening it would block
    ASSERT_EQ(mkdir(Path("folder.bmp").c_str(), 0700), 0);
    ASSERT_EQ(symlink("/dev/zero", Path("zero.bmp").c_str()), 0); // a device that never ends

    TFileIdentity identity;
    EXPECT_EQ(Text(ReadRegularFile(Path("plain.txt"), 10, FileReadTimeout, &identity)), "0123456789");
    EXPECT_EQ(identity.Size, 10);
    EXPECT_EQ(identity, RegularFileIdentity(Path("plain.txt")));
    EXPECT_TRUE(ReadRegularFile(Path("empty.txt"), 10).empty());

    const struct {
        const char* Name;
        size_t MaxBytes;
        const char* Says;
    } refused[] = {
        { "missing.txt", 100, "No such file" },
        { "fifo.wav", 100, "not a regular file" },
        { "folder.bmp", 100, "not a regular file" },
        { "zero.bmp", 100, "not a regular file" },
        { "plain.txt", 9, "larger than 9 bytes" },
    };
    for (const auto& c : refused) {
        const std::string message = MessageOf([&] { ReadRegularFile(Path(c.Name), c.MaxBytes); });
        EXPECT_NE(message.find(c.Says), std::string::npos) << c.Name << ": " << message;
        EXPECT_NE(message.find(Path(c.Name)), std::string::npos) << message;
    }
    for (const char* name : { "missing.txt", "fifo.wav", "folder.bmp", "zero.bmp" })
        EXPECT_EQ(RegularFileIdentity(Path(name)).Size, -1) << name;
}

TEST_F(RegularFile, AnEditChangesTheIdentityEvenWithTheSameSizeAndTime)
{
    std::ofstream(Path("content.ini"), std::ios::binary) << "[VK_A]\nDesc=Apple\n";
    const TFileIdentity before = RegularFileIdentity(Path("content.ini"));
    struct stat info {};
    ASSERT_EQ(stat(Path("content.ini").c_str(), &info), 0);
    usleep(20000); // past the file system's clock tick, so that the change time moves
    std::ofstream(Path("content.ini"), std::ios::binary) << "[VK_A]\nDesc=Acorn\n";
    const timespec times[2] = { info.st_atim, info.st_mtim }; // the old modification time back
    ASSERT_EQ(utimensat(AT_FDCWD, Path("content.ini").c_str(), times, 0), 0);
    const TFileIdentity after = RegularFileIdentity(Path("content.ini"));
    EXPECT_EQ(after.Size, before.Size);
    EXPECT_EQ(after.ModifiedNs, before.ModifiedNs);
    EXPECT_NE(after, before);
}

// A mounted file system whose file stuck.bin never answers a read and slow.ini answers late.
class StuckDisk : public RegularFile {
protected:
    void SetUp() override
    {
        RegularFile::SetUp();
        const std::string why = m_disk.Mount(Path("mnt"));
        if (!why.empty())
            GTEST_SKIP() << why;
        std::ofstream(Path("good.txt"), std::ios::binary) << "good";
        // Reads abandoned by an earlier test of this process end when its disk went away.
        ASSERT_TRUE(WaitUntil([] { return AbandonedFileReads() == 0; }));
    }
    void TearDown() override { TakeTheDiskAway(); }

    void TakeTheDiskAway() { m_disk.TakeAway(); }
    std::string Stuck() const { return m_disk.File("stuck.bin"); }
    std::string Slow() const { return m_disk.File("slow.ini"); }

private:
    TStuckDisk m_disk;
};

TEST_F(StuckDisk, AFileThatNeverAnswersCostsTheBoundedWaitOnly)
{
    const std::string message = MessageOf([&] { ReadRegularFile(Stuck(), 1 << 20, 200ms); });
    EXPECT_NE(message.find("was not read within 200 ms"), std::string::npos) << message;
    EXPECT_NE(message.find(Stuck()), std::string::npos) << message;
    EXPECT_EQ(Text(ReadRegularFile(Path("good.txt"), 100)), "good") << "other files read on";
}

TEST_F(StuckDisk, StuckReadsAreLimitedAndEndWhenTheDiskGoesAway)
{
    for (int i = 0; i < MaxAbandonedFileReads; ++i) {
        const std::string message = MessageOf([&] { ReadRegularFile(Stuck(), 1 << 20, 50ms); });
        EXPECT_NE(message.find("was not read within"), std::string::npos) << i << ": " << message;
    }
    EXPECT_EQ(AbandonedFileReads(), MaxAbandonedFileReads);
    // No more threads for any file while those wait.
    const std::string refused = MessageOf([&] { ReadRegularFile(Path("good.txt"), 100); });
    EXPECT_NE(refused.find("earlier files are still not read"), std::string::npos) << refused;

    TakeTheDiskAway();
    EXPECT_TRUE(WaitUntil([] { return AbandonedFileReads() == 0; }))
        << AbandonedFileReads() << " reads still wait after their disk went away";
    EXPECT_EQ(Text(ReadRegularFile(Path("good.txt"), 100)), "good");
}

TEST_F(StuckDisk, ASlowFileIsReadAcrossWaitsAndADroppedReadIsAbandoned)
{
    {
        TFileRead read(Slow(), 1 << 20);
        EXPECT_FALSE(read.Wait(50ms)) << "slow.ini answers after 500 ms";
        EXPECT_NE(MessageOf([&] { read.Take(); }).find("is not read yet"), std::string::npos);
        EXPECT_EQ(AbandonedFileReads(), 0) << "a read still held is not abandoned";
        ASSERT_TRUE(read.Wait(10s)) << "the slow file was never read";
        TFileIdentity identity;
        EXPECT_EQ(Text(read.Take(&identity)).substr(0, 19), "[Virtual CODE=0X41]");
        EXPECT_EQ(identity, RegularFileIdentity(Slow()));
    }
    {
        TFileRead dropped(Stuck(), 1 << 20);
        EXPECT_FALSE(dropped.Wait(20ms));
    }
    EXPECT_EQ(AbandonedFileReads(), 1);
}

} // namespace
