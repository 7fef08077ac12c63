// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The media player on SDL's disk audio driver, which writes the mixed sound to a file, and on
// its dummy driver, which plays in real time into nothing.
#include "platform/system/exception.h"
#include "platform/system/mediaplayer.h"

#include "lib/disksound.h"
#include "lib/waituntil.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 44100; // the player's output, so the disk file holds our samples as they are
// Samples in one buffer of the output (2048 frames of two channels). A sound that is cut may
// still reach the file by what was mixed before the cut and what the file's own buffer holds.
constexpr long Buffer = 2048 * 2;

// A 16-bit stereo WAV file of Seconds whose every sample is Sample(frame).
void WriteWav(const QString& path, double seconds, const std::function<int16_t(int)>& sample)
{
    const uint32_t frames = uint32_t(seconds * Rate);
    const uint32_t dataBytes = frames * 4;
    std::ofstream out(path.toStdString(), std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(2);
    u32(Rate);
    u32(Rate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const int16_t s = sample(int(i));
        u16(uint16_t(s));
        u16(uint16_t(s));
    }
}

// A square wave whose samples are all +Level or -Level.
std::function<int16_t(int)> Square(int16_t level)
{
    return [level](int frame) { return int16_t((frame / 50) % 2 ? level : -level); };
}

// One middle C of half a second on a piano, as a standard MIDI file.
void WriteMidi(const QString& path)
{
    const unsigned char bytes[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, //
        'M', 'T', 'r', 'k', 0, 0, 0, 16, //
        0x00, 0xC0, 0x00, // piano
        0x00, 0x90, 0x3C, 0x64, // note on
        0x60, 0x80, 0x3C, 0x40, // a beat later (120 beats a minute): note off
        0x00, 0xFF, 0x2F, 0x00, // end of track
    };
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class MediaPlayer : public testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString DiskFile() const { return Path("output.raw"); }

    void UseDriver(const char* driver)
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", DiskFile().toLocal8Bit().constData(), 1);
    }

    // A player that counts its notifications and remembers the mode each one saw.
    std::unique_ptr<TMediaPlayer> MakePlayer()
    {
        auto player = std::make_unique<TMediaPlayer>();
        TMediaPlayer* raw = player.get();
        player->SetOnNotify([this, raw](QObject* sender) {
            EXPECT_EQ(sender, raw);
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            m_notifications.push_back({ raw->NotifyValue(), raw->Mode() });
            if (m_loop)
                m_loop->quit();
        });
        return player;
    }

    // Runs the event loop until the next notification, at most TimeoutMs.
    bool WaitForNotification(int timeoutMs = 10000)
    {
        const size_t before = m_notifications.size();
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
        return m_notifications.size() > before;
    }

    std::vector<int16_t> DiskSamples() const { return ::DiskSamples(DiskFile().toStdString()); }

    // How many of the written samples are +Level or -Level.
    long SamplesAt(int16_t level) const
    {
        const std::vector<int16_t> samples = DiskSamples();
        return long(std::count_if(samples.begin(), samples.end(),
            [level](int16_t s) { return std::abs(int(s)) == level; }));
    }

    // Waits until the disk driver has written Count samples at Level: the sound really reached
    // the output (the driver writes in real time, on its own thread).
    bool WaitForOutput(int16_t level, long count)
    {
        return WaitUntil([&] { return SamplesAt(level) >= count; });
    }

    // Waits until the driver has written Count more samples than Before, whatever they hold.
    bool WaitForMoreOutput(size_t before, size_t count)
    {
        return WaitUntil([&] { return DiskSamples().size() >= before + count; });
    }

    struct TNotification {
        TMPNotifyValues Value;
        TMPModes Mode;
    };
    std::vector<TNotification> m_notifications;

private:
    QTemporaryDir m_dir;
    QEventLoop* m_loop = nullptr;
};

TEST_F(MediaPlayer, EveryFormatReachesTheSoundOutput)
{
    UseDriver("disk");
    WriteWav(Path("tone.wav"), 0.4, [](int frame) {
        return int16_t(16000 * std::sin(2 * M_PI * 440 * frame / Rate));
    });
    WriteMidi(Path("note.mid"));
    const QString data = QStringLiteral(TAPSY_TEST_DATA "/");
    for (const QString& file : { Path("tone.wav"), data + "tone.ogg", data + "tone.mp3",
             data + "tone.flac", Path("note.mid") }) {
        SCOPED_TRACE(file.toStdString());
        {
            auto player = MakePlayer();
            player->SetFileName(file);
            ASSERT_NO_THROW(player->Open());
            player->Play();
            EXPECT_EQ(player->Error(), 0) << player->ErrorMessage().toStdString();
            // (Its mode while it plays is checked on long sounds below: these may have ended.)
            ASSERT_TRUE(WaitForNotification());
            EXPECT_EQ(m_notifications.back().Value, nvSuccessful);
            EXPECT_EQ(m_notifications.back().Mode, mpStopped); // it ended on its own
        } // the last player closes the output, which writes the rest of the file
        int peak = 0;
        for (const int16_t s : DiskSamples())
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 2000);
    }
}

TEST_F(MediaPlayer, ASecondSoundCutsTheFirstAndPlaysFromItsStart)
{
    UseDriver("disk");
    constexpr double longSeconds = 10.0, shortSeconds = 2.0;
    WriteWav(Path("long.wav"), longSeconds, Square(20000));
    WriteWav(Path("short.wav"), shortSeconds, Square(5000));
    long loudAtCut = 0;
    {
        auto player = MakePlayer();
        player->SetFileName(Path("long.wav"));
        player->Open();
        player->Play();
        EXPECT_EQ(player->Mode(), mpPlaying);
        ASSERT_TRUE(WaitForOutput(20000, 2 * Buffer)) << "the first sound did not reach the output";
        // What the game does for the next key: close, open the new file, play.
        player->Close();
        loudAtCut = SamplesAt(20000);
        player->SetFileName(Path("short.wav"));
        player->Open();
        player->Play();
        ASSERT_TRUE(WaitForNotification()); // the first play was aborted
        EXPECT_EQ(m_notifications.back().Value, nvAborted);
        EXPECT_EQ(m_notifications.back().Mode, mpPlaying); // the second one plays meanwhile
        ASSERT_TRUE(WaitForNotification());
        EXPECT_EQ(m_notifications.back().Value, nvSuccessful);
        EXPECT_EQ(m_notifications.back().Mode, mpStopped);
    }
    long loud = 0, quiet = 0;
    bool quietBeforeLoud = false;
    for (const int16_t s : DiskSamples()) {
        if (std::abs(s) == 20000) {
            ++loud;
            quietBeforeLoud |= quiet > 0;
        } else if (std::abs(s) == 5000) {
            ++quiet;
        }
    }
    EXPECT_EQ(quiet, long(shortSeconds * Rate) * 2); // the whole second sound
    EXPECT_LE(loud, loudAtCut + 2 * Buffer); // the first one ended at the cut
    EXPECT_FALSE(quietBeforeLoud);
}

TEST_F(MediaPlayer, AMissingFileStopsThePreviousSound)
{
    UseDriver("disk");
    WriteWav(Path("long.wav"), 10.0, Square(20000));
    {
        auto player = MakePlayer();
        player->SetFileName(Path("long.wav"));
        player->Open();
        player->Play();
        ASSERT_TRUE(WaitForOutput(20000, 2 * Buffer)) << "the first sound did not reach the output";
        player->SetFileName(Path("missing.wav"));
        EXPECT_THROW(player->Open(), EMCIDeviceError);
        const long loudAtCut = SamplesAt(20000);
        const size_t writtenAtCut = DiskSamples().size();
        EXPECT_NE(player->Error(), 0);
        EXPECT_TRUE(player->ErrorMessage().contains(QStringLiteral("missing.wav")));
        EXPECT_EQ(player->Mode(), mpNotReady);
        ASSERT_TRUE(WaitForNotification());
        EXPECT_EQ(m_notifications.back().Value, nvAborted);
        // The output goes on for half a second (in silence); the first sound does not.
        ASSERT_TRUE(WaitForMoreOutput(writtenAtCut, Rate)) << "the output stopped after the cut";
        EXPECT_LE(SamplesAt(20000), loudAtCut + 2 * Buffer)
            << "the first sound went on after the cut";
        player->Play(); // nothing is open: raises nothing, only reports
        EXPECT_NE(player->Error(), 0);
    }
}

TEST_F(MediaPlayer, AFileNoFormatCanPlayFailsToOpen)
{
    UseDriver("dummy");
    std::ofstream(Path("noise.wav").toStdString()) << "this is no sound file";
    auto player = MakePlayer();
    player->SetFileName(Path("noise.wav"));
    EXPECT_THROW(player->Open(), EMCIDeviceError);
    EXPECT_EQ(player->Mode(), mpNotReady);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_notifications.empty());
}

TEST_F(MediaPlayer, NotifyAndWaitApplyToTheNextCommandOnly)
{
    UseDriver("dummy");
    WriteWav(Path("a.wav"), 0.2, Square(1000));
    auto player = MakePlayer();
    player->SetFileName(Path("a.wav"));

    // As the game prepares it: the first open notifies, after the command, not inside it.
    player->SetWait(false);
    player->SetNotify(true);
    player->Open();
    EXPECT_TRUE(m_notifications.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(m_notifications.size(), 1u);
    EXPECT_EQ(m_notifications[0].Value, nvSuccessful);
    EXPECT_EQ(m_notifications[0].Mode, mpStopped);

    // A later open notifies no more.
    player->Open();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_notifications.size(), 1u);
    EXPECT_EQ(player->ErrorMessage(), QStringLiteral("The specified command was carried out."));

    // Play with Wait returns when the sound has ended, and still notifies.
    player->SetWait(true);
    player->Play();
    EXPECT_EQ(player->Mode(), mpStopped);
    ASSERT_TRUE(WaitForNotification());
    EXPECT_EQ(m_notifications.back().Value, nvSuccessful);

    // Play without notification.
    player->SetNotify(false);
    player->SetWait(true);
    player->Play();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_notifications.size(), 2u);
}

TEST_F(MediaPlayer, PlayingAgainSupersedesTheRunningPlay)
{
    UseDriver("dummy");
    WriteWav(Path("a.wav"), 10.0, Square(1000)); // far longer than the test: it plays throughout
    auto player = MakePlayer();
    player->SetFileName(Path("a.wav"));
    player->Open();
    player->Play();
    player->Play();
    ASSERT_TRUE(WaitForNotification());
    EXPECT_EQ(m_notifications.back().Value, nvSuperseded);
    EXPECT_EQ(m_notifications.back().Mode, mpPlaying);
    player->Close();
    ASSERT_TRUE(WaitForNotification());
    EXPECT_EQ(m_notifications.back().Value, nvAborted);
    EXPECT_EQ(m_notifications.back().Mode, mpNotReady);
    EXPECT_EQ(m_notifications.size(), 2u);
}

TEST_F(MediaPlayer, CloseWithoutADeviceDoesNothing)
{
    UseDriver("dummy");
    auto player = MakePlayer();
    EXPECT_NO_THROW(player->Close());
    EXPECT_EQ(player->Mode(), mpNotReady);
    EXPECT_NE(player->Error(), 0);
    EXPECT_NE(player->ErrorMessage(), QStringLiteral("The specified command was carried out."));
    player->Close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_notifications.empty());
}

TEST_F(MediaPlayer, WithoutASoundOutputEveryOpenFailsAndOneLineIsTraced)
{
    UseDriver("no-such-driver");
    WriteWav(Path("a.wav"), 0.1, Square(1000));
    testing::internal::CaptureStderr();
    {
        auto player = MakePlayer();
        player->SetFileName(Path("a.wav"));
        for (int i = 0; i < 3; ++i) {
            EXPECT_THROW(player->Open(), EMCIDeviceError);
            EXPECT_EQ(player->Mode(), mpNotReady);
        }
        EXPECT_FALSE(TMediaPlayer::HasAudioOutput());
    }
    // A new player later does not trace the failure again.
    auto player = MakePlayer();
    player->SetFileName(Path("a.wav"));
    EXPECT_THROW(player->Open(), EMCIDeviceError);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 1) << trace;
    EXPECT_NE(trace.find("No sound output"), std::string::npos) << trace;
}

} // namespace
