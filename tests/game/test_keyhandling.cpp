// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// One key press through the game window, with a small content folder of its own, a clock the
// test moves, and SDL's disk audio driver.
#include "game/formmain.h"
#include "platform/graphics/bitmap.h"
#include "platform/system/datetime.h"
#include "platform/system/mediaplayer.h"
#include "platform/system/productidentity.h"
#include "platform/widgets/label.h"
#include "transition/transitionview.h"

#include "lib/disksound.h"
#include "lib/waituntil.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr TDateTime Millisecond = EncodeTime(0, 0, 0, 1);

// A square wave of Milliseconds at +-8000 as a mono WAV file.
void WriteTone(const fs::path& file, int milliseconds)
{
    const int rate = 22050;
    const int samples = rate * milliseconds / 1000;
    std::ofstream out(file, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    for (int i = 0; i < samples; ++i)
        u16(uint16_t(int16_t((i / 25) % 2 ? 8000 : -8000)));
}

class KeyHandling : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_system = fs::path(m_dir.path().toStdString());
        fs::create_directories(m_system / "TapsyData");
        TBitmap picture(30, 20);
        picture.Bitmap().Fill(RGB(255, 0, 0));
        picture.SaveToFile((m_system / "TapsyData" / "red.bmp").string());
        // Longer than any test, so that it still plays whenever a test looks.
        WriteTone(m_system / "TapsyData" / "tone.wav", 20000);
        std::ofstream(m_system / "TapsyV.ini") << "[VK_A]\r\nDisplay=A\r\nDesc=Apple\r\nPicture=red.bmp\r\nMusic=tone.wav\r\n"
                                                  "[VK_B]\r\nDisplay=B\r\nDesc=Bear\r\nPicture=missing.bmp\r\nMusic=missing.wav\r\n"
                                                  "[VK_C]\r\nDesc=No picture here\r\nPicture=\r\n"
                                                  "[Other_Key]\r\nPicture=red.bmp\r\n";
        setenv("TAPSY_SYSTEM_DIR", m_system.c_str(), 1);
        // Sound goes to a file, wherever the test runs; the output opens once per process.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", DiskFile().c_str(), 1);
        InitProductIdentity();
        QApplication::setQuitOnLastWindowClosed(false);
        Form = std::make_unique<TfrmMain>();
        Form->SetClock([this] { return Clock; });
        Form->TransitionView().SetThreaded(false); // runs to its end inside the key press
        Form->TransitionView().SetExactTiming(false);
        Form->TransitionView().SetDelay(1);
        Form->TransitionView().SetStep(50);
    }
    void TearDown() override
    {
        Form.reset();
        unsetenv("TAPSY_SYSTEM_DIR");
    }

    void Press(uint16_t key, TShiftState shift = TShiftState())
    {
        Clock += 500 * Millisecond;
        PressNow(key, shift);
    }
    void PressNow(uint16_t key, TShiftState shift = TShiftState()) { Form->FormKeyDown(Form.get(), key, shift); }
    QString Name() const { return Form->findChild<TStaticText*>("m_textKeyName")->Caption(); }
    QString Desc() const { return Form->findChild<TStaticText*>("m_textKeyDesc")->Caption(); }

    // The sound output's file; it starts anew whenever the output opens.
    static fs::path DiskFile() { return fs::temp_directory_path() / "tapsy-keyhandling-audio.raw"; }
    // How many samples the disk driver has written so far that are clearly not silence.
    static long AudibleSamples()
    {
        long audible = 0;
        for (const int16_t sample : DiskSamples(DiskFile().string()))
            audible += std::abs(int(sample)) > 4000;
        return audible;
    }

    TDateTime Clock = Now() + 1.0; // well after the moment the window was made
    std::unique_ptr<TfrmMain> Form;
    fs::path m_system;

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(KeyHandling, AKeyShowsItsNameDescriptionAndPicture)
{
    Press('A');
    EXPECT_EQ(Name(), QStringLiteral("A"));
    EXPECT_EQ(Desc(), QStringLiteral("Apple"));
    const TGdiBitmap& frame = Form->TransitionView().ScreenBitmap();
    ASSERT_EQ(frame.Width(), 30);
    EXPECT_EQ(frame.Pixel(15, 10), PixelFromColorRef(RGB(255, 0, 0)));
    const int style = Form->TransitionView().Style();
    EXPECT_GE(style, 1);
    EXPECT_LE(style, 171);
}

TEST_F(KeyHandling, APictureLargerThanTheViewIsHeldAtTheSizeItIsShown)
{
    // Left half red, right half blue, four times the offscreen screen's size.
    TBitmap big(3200, 2400);
    big.Bitmap().Fill(RGB(255, 0, 0));
    for (int32_t y = 0; y < 2400; ++y)
        std::fill_n(big.Bitmap().ScanLine(y) + 1600, 1600, PixelFromColorRef(RGB(0, 0, 255)));
    big.SaveToFile((m_system / "TapsyData" / "big.bmp").string());
    std::ofstream(m_system / "TapsyV.ini") << "[VK_A]\r\nPicture=big.bmp\r\n";
    Form->show();
    TTransitionView& view = Form->TransitionView();
    ASSERT_TRUE(WaitUntil([&] { return view.width() > 100; }, 5000))
        << "the view was never laid out";
    const TRect shown = view.DisplayRectFor(3200, 2400);
    ASSERT_LT(shown.Width(), 3200);

    Press('A');
    // The same place on screen as the whole picture would take, now at one pixel for one.
    EXPECT_EQ(view.Picture().Width(), shown.Width());
    EXPECT_EQ(view.Picture().Height(), shown.Height());
    EXPECT_EQ(view.DisplayRect().Left, shown.Left);
    EXPECT_EQ(view.DisplayRect().Top, shown.Top);
    EXPECT_EQ(view.DisplayRect().Right, shown.Right);
    EXPECT_EQ(view.DisplayRect().Bottom, shown.Bottom);
    const TGdiBitmap& frame = view.ScreenBitmap();
    ASSERT_EQ(frame.Width(), shown.Width());
    EXPECT_EQ(frame.Pixel(frame.Width() / 4, frame.Height() / 2), PixelFromColorRef(RGB(255, 0, 0)));
    EXPECT_EQ(frame.Pixel(frame.Width() * 3 / 4, frame.Height() / 2), PixelFromColorRef(RGB(0, 0, 255)));
}

TEST_F(KeyHandling, RepeatGuardDropsPressesWithin400Milliseconds)
{
    Press('C');
    EXPECT_EQ(Desc(), QStringLiteral("No picture here"));
    Clock += 399 * Millisecond;
    PressNow('A'); // dropped
    EXPECT_EQ(Desc(), QStringLiteral("No picture here"));
    Clock += 2 * Millisecond; // 401 ms after the accepted press
    PressNow('A');
    EXPECT_EQ(Desc(), QStringLiteral("Apple"));

    // An ignored key shows nothing but still restarts the guard.
    Press(0xFF);
    EXPECT_EQ(Desc(), QStringLiteral("Apple"));
    Clock += 100 * Millisecond;
    PressNow('C');
    EXPECT_EQ(Desc(), QStringLiteral("Apple"));
}

TEST_F(KeyHandling, TheExitChordPassesTheGuard)
{
    Form->show();
    Press('A');
    Clock += 10 * Millisecond;
    PressNow('Q', TShiftState(ssCtrl | ssAlt));
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(KeyHandling, EmptyDisplayShowsTheKeysCharacterAndMissingPictureLeavesTheView)
{
    Press('A');
    const uint32_t shown = Form->TransitionView().ScreenBitmap().Pixel(0, 0);
    Press('C'); // no picture: the view is untouched
    EXPECT_EQ(Name(), QStringLiteral("C"));
    EXPECT_EQ(Form->TransitionView().ScreenBitmap().Pixel(0, 0), shown);
    Press('B'); // a picture that does not exist: name and description change all the same
    EXPECT_EQ(Name(), QStringLiteral("B"));
    EXPECT_EQ(Desc(), QStringLiteral("Bear"));
    EXPECT_EQ(Form->TransitionView().ScreenBitmap().Pixel(0, 0), shown);
    EXPECT_FALSE(Form->TransitionView().Busy());
}

TEST_F(KeyHandling, OtherKeysFallBackForThePicture)
{
    Press(0x70); // F1: no section of its own
    EXPECT_EQ(Form->TransitionView().ScreenBitmap().Width(), 30);
}

TEST_F(KeyHandling, SoundsStartAndAMissingSoundStopsThePrevious)
{
    Press('A');
    ASSERT_TRUE(TMediaPlayer::HasAudioOutput()) << "SDL's disk driver should give an output";
    EXPECT_TRUE(Form->MusicPlaying());
    EXPECT_EQ(Form->MediaPlayer().Mode(), mpPlaying);
    EXPECT_TRUE(WaitUntil([] { return AudibleSamples() > 0; }))
        << "the key's sound did not reach the output";
    Press('B'); // its sound is missing: the previous one is closed, nothing new plays
    EXPECT_NE(Form->MediaPlayer().Mode(), mpPlaying);
}

TEST_F(KeyHandling, TheIdleDemoPressesOnlyCapitalLetters)
{
    for (int i = 0; i < 40; ++i) {
        Clock += 500 * Millisecond;
        Form->Timer1Timer(nullptr);
        const QString name = Name();
        ASSERT_EQ(name.size(), 1);
        EXPECT_TRUE(name[0] >= QLatin1Char('A') && name[0] <= QLatin1Char('Z')) << name.toStdString();
    }
    // The demo's own presses leave its timer running; a real key pauses it.
    Form->IdleTimer().SetEnabled(true);
    Form->Timer1Timer(nullptr);
    EXPECT_TRUE(Form->IdleTimer().Enabled());
    Press('C');
    EXPECT_FALSE(Form->IdleTimer().Enabled());
}

TEST_F(KeyHandling, HostileContentStillShowsEveryKeysNameAndDescription)
{
    // A corrupt JPEG, a JPEG whose header claims 60000 x 60000 pixels, a missing picture and a
    // missing sound, FIFOs without a writer and a device that never ends as pictures and sounds,
    // in a content file with 10,000 other sections and 5 MB of junk lines.
    // A press that hangs on a file ends the test process instead of waiting for ever.
    alarm(120);
    ASSERT_EQ(mkfifo((m_system / "TapsyData" / "fifo.bmp").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((m_system / "TapsyData" / "fifo.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", m_system / "TapsyData" / "zero.jpg");
    fs::create_symlink("/dev/zero", m_system / "TapsyData" / "zero.ogg");
    std::ofstream(m_system / "TapsyData" / "corrupt.jpg", std::ios::binary) << "\xFF\xD8\xFF\xE0 not really a JPEG";
    {
        std::string huge = "\xFF\xD8";
        huge += std::string("\xFF\xC0\x00\x11\x08\xEA\x60\xEA\x60\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 19);
        huge += std::string(200, '\0') + "\xFF\xD9";
        std::ofstream(m_system / "TapsyData" / "huge.jpg", std::ios::binary) << huge;
    }
    {
        std::ofstream ini(m_system / "TapsyV.ini", std::ios::binary);
        for (int i = 0; i < 10000; ++i)
            ini << "[Section" << i << "]\nDisplay=" << i << "\n";
        const std::string junk(1000, '#');
        for (int i = 0; i < 5000; ++i)
            ini << junk << (i % 7 ? "\n" : "=\r\n[") << "\xC3\x28\xFF";
        ini << "\n[VK_A]\nDisplay=A\nDesc=Corrupt\nPicture=corrupt.jpg\nMusic=nothing.ogg\n"
               "[VK_B]\nDisplay=B\nDesc=Huge\nPicture=huge.jpg\nMusic=corrupt.jpg\n"
               "[VK_C]\nDisplay=C\nDesc=Missing\nPicture=missing.jpg\n"
               "[VK_D]\nDisplay=D\nDesc=Fifo\nPicture=fifo.bmp\nMusic=fifo.wav\n"
               "[VK_E]\nDisplay=E\nDesc=Endless\nPicture=zero.jpg\nMusic=zero.ogg\n";
    }
    testing::internal::CaptureStderr();
    const std::pair<uint16_t, const char*> keys[]
        = { { 'A', "Corrupt" }, { 'B', "Huge" }, { 'C', "Missing" }, { 'D', "Fifo" }, { 'E', "Endless" } };
    for (auto [key, desc] : keys) {
        Press(key);
        EXPECT_EQ(Name(), QString(QChar(key)));
        EXPECT_EQ(Desc(), QString::fromLatin1(desc));
        EXPECT_FALSE(Form->TransitionView().Busy());
        EXPECT_TRUE(Form->TransitionView().ScreenBitmap().Empty()); // no picture ever loaded
        EXPECT_NE(Form->MediaPlayer().Mode(), mpPlaying);
    }
    const std::string trace = testing::internal::GetCapturedStderr();
    alarm(0);
    // Each file left out is named in a line of the trace that says so.
    for (const char* file : { "fifo.bmp", "fifo.wav", "zero.jpg", "zero.ogg" }) {
        std::istringstream lines(trace);
        bool said = false;
        for (std::string line; std::getline(lines, line);)
            said |= line.find("is left out: ") != std::string::npos && line.find(file) != std::string::npos;
        EXPECT_TRUE(said) << file << " is not said to be left out in the trace:\n" << trace;
    }
}
