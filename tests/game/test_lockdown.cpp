// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The lock-down and the screen-saver settings of the game window: the settings store, the hook
// library and the password library (fakes that write their calls down), the close order, the
// covers of the other screen and the watch over the window's placement. Runs on two screens:
// 1280 x 1024 and, right of it, 800 x 600.
#include "game/formmain.h"
#include "game/lockdown.h"
#include "game/screencovers.h"
#include "platform/system/desktopwindows.h"
#include "platform/system/osversion.h"
#include "platform/system/productidentity.h"

#include "lib/waituntil.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const QString SaverGroup = QStringLiteral("Control Panel/Screen Saver.Tapsy");
const QString DesktopGroup = QStringLiteral("Control Panel/Desktop");

class LockDown : public testing::Test {
protected:
    void SetUp() override
    {
        InitProductIdentity();
        QApplication::setQuitOnLastWindowClosed(false);
        char pattern[] = "/tmp/tapsy-lockdown-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        fs::create_directories(m_dir / "libs");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
            QString::fromStdString((m_dir / "config").string()));
        setenv("TAPSY_FAKE_LOG", Log().c_str(), 1);
        setenv("TAPSY_FAKE_PASSWORD", "1", 1);
        SetGameLibraryDirs(std::vector<fs::path> { m_dir / "libs" });
        m_previousObserver = SetDesktopCallObserver([this](const std::string& Call) { Append(Call); });
        SetReportedPlatformId(0);
    }

    void TearDown() override
    {
        Form.reset();
        SetDesktopCallObserver(m_previousObserver);
        SetGameLibraryDirs(std::nullopt);
        SetReportedPlatformId(0);
        // The state the stand-in remembers is left as the next test expects it.
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
        unsetenv("TAPSY_FAKE_LOG");
        unsetenv("TAPSY_FAKE_PASSWORD");
        fs::remove_all(m_dir);
    }

    fs::path Log() const { return m_dir / "calls.log"; }
    fs::path SettingsFile() const { return m_dir / "config" / "Tapsy" / "Tapsy.conf"; }

    void Append(const std::string& Line) const
    {
        std::ofstream(Log(), std::ios::app) << Line << '\n';
    }

    Lines Calls() const
    {
        Lines lines;
        std::ifstream log(Log());
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

    // The calls since the log was last cleared, then a fresh log.
    Lines TakeCalls()
    {
        Lines lines = Calls();
        fs::remove(Log());
        return lines;
    }

    void Install(const char* Library, const char* Name) const
    {
        fs::copy_file(Library, m_dir / "libs" / Name, fs::copy_options::overwrite_existing);
    }

    static void Write(const QString& Group, const QString& Name, const QString& Value)
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tapsy"),
            QStringLiteral("Tapsy"));
        settings.setValue(Group + u'/' + Name, Value);
    }

    // The value as the settings file holds it, read afresh from the file.
    QString Stored(const QString& Group, const QString& Name) const
    {
        QSettings file(QString::fromStdString(SettingsFile().string()), QSettings::IniFormat);
        return file.value(Group + u'/' + Name, QStringLiteral("<absent>")).toString();
    }

    void OlderFamily() { SetReportedPlatformId(VER_PLATFORM_WIN32_WINDOWS); }

    void MakeForm() { Form = std::make_unique<TfrmMain>(); }

    void MakeAndShowForm()
    {
        MakeForm();
        Form->show();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TfrmMain> Form;

private:
    fs::path m_dir;
    TDesktopCallObserver m_previousObserver;
};

using Settings = LockDown;
using CloseOrder = LockDown;
using HookLibrary = LockDown;
using DesktopHold = LockDown;

TEST_F(Settings, FirstRunWritesTheDefaults)
{
    MakeForm();
    EXPECT_EQ(Stored(SaverGroup, "ChangeInterval"), "1500");
    EXPECT_EQ(Stored(SaverGroup, "EnableMusic"), "1");
    EXPECT_TRUE(Form->EnableMusic());
}

TEST_F(Settings, LaterRunsKeepWhatTheyFind)
{
    const struct {
        const char* ChangeInterval; // null: absent before the run
        const char* EnableMusic;
        const char* ChangeIntervalAfter;
        const char* EnableMusicAfter;
        bool Music;
    } cases[] = {
        { "250", "0", "250", "0", false },
        { nullptr, "0", "1500", "0", false },
        { "250", nullptr, "250", "1", true },
        { "1500", "7", "1500", "7", true },
        { "-3", "-1", "-3", "-1", true },
        // Not numbers: left as they are; the sound stays on and the game starts.
        { "soon", "loud", "soon", "loud", true },
    };
    for (const auto& c : cases) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tapsy"), QStringLiteral("Tapsy")).clear();
        if (c.ChangeInterval)
            Write(SaverGroup, "ChangeInterval", c.ChangeInterval);
        if (c.EnableMusic)
            Write(SaverGroup, "EnableMusic", c.EnableMusic);
        for (int run = 1; run <= 2; ++run) {
            MakeForm();
            EXPECT_EQ(Stored(SaverGroup, "ChangeInterval"), c.ChangeIntervalAfter) << c.ChangeIntervalAfter << " run " << run;
            EXPECT_EQ(Stored(SaverGroup, "EnableMusic"), c.EnableMusicAfter) << c.EnableMusicAfter << " run " << run;
            EXPECT_EQ(Form->EnableMusic(), c.Music) << c.EnableMusicAfter << " run " << run;
            Form.reset();
        }
    }
}

TEST_F(Settings, TheNTFamilyNeitherReadsTheDesktopKeyNorEntersTheRunningState)
{
    Write(DesktopGroup, "ScreenSaveUsePassword", "0");
    MakeForm();
    EXPECT_EQ(Form->UsePassword(), 1); // the initial value: the key was not read
    EXPECT_FALSE(ScreenSaverRunning());
    for (const std::string& call : Calls())
        EXPECT_EQ(call.find("SystemParametersInfoA"), std::string::npos) << call;
    EXPECT_FALSE(fs::exists(SettingsFile()) && Stored(DesktopGroup, "ScreenSaveUsePassword") != "0");
}

TEST_F(Settings, TheOlderFamilyReadsThePasswordFlag)
{
    const struct {
        const char* Value; // null: no Desktop key at all
        int32_t UsePassword;
    } cases[] = {
        { nullptr, 0 },
        { "0", 0 },
        { "1", 1 },
        { "5", 5 },
        { "yes", 0 }, // not an integer: no password
    };
    OlderFamily();
    for (const auto& c : cases) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tapsy"), QStringLiteral("Tapsy")).clear();
        if (c.Value)
            Write(DesktopGroup, "ScreenSaveUsePassword", c.Value);
        fs::remove(Log());
        MakeForm();
        const std::string which = c.Value ? c.Value : "<no key>";
        EXPECT_EQ(Form->UsePassword(), c.UsePassword) << which;
        EXPECT_EQ(ScreenSaverRunning(), c.UsePassword != 0) << which;
        const Lines calls = Calls();
        const bool entered = std::find(calls.begin(), calls.end(), "SystemParametersInfoA 97 1") != calls.end();
        EXPECT_EQ(entered, c.UsePassword != 0) << which;
        // The Desktop key is never written.
        EXPECT_EQ(Stored(DesktopGroup, "ScreenSaveUsePassword"), c.Value ? c.Value : "<absent>") << which;
        Form.reset();
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
    }
}

TEST_F(CloseOrder, NTFamilyReleasesTheLockDownWithoutAPassword)
{
    Install(FAKE_HOOK, "Tapsy.dll");
    Install(FAKE_PASSWORD, "password.cpl");
    setenv("TAPSY_FAKE_PASSWORD", "0", 1); // would refuse, were it asked
    MakeAndShowForm();
    EXPECT_EQ(TakeCalls(), (Lines { "_DisableTaskKeys 1 0", "FindWindowA Shell_traywnd" }));
    EXPECT_TRUE(Form->LockedDown());
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(TakeCalls(), (Lines { "_DisableTaskKeys 0 0", "FindWindowA Shell_traywnd" }));
    EXPECT_FALSE(Form->LockedDown());
    Form.reset();
    EXPECT_EQ(Calls(), Lines {}); // nothing more when the window goes
}

TEST_F(CloseOrder, OlderFamilyAsksThePasswordThenReleasesHookTaskBarAndRunningState)
{
    Install(FAKE_HOOK, "Tapsy.dll");
    Install(FAKE_PASSWORD, "password.cpl");
    Write(DesktopGroup, "ScreenSaveUsePassword", "1");
    OlderFamily();
    MakeAndShowForm();
    EXPECT_EQ(TakeCalls(),
        (Lines { "_DisableTaskKeys 1 0", "FindWindowA Shell_traywnd", "SystemParametersInfoA 97 1" }));
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(TakeCalls(),
        (Lines { "VerifyScreenSavePwd window", "_DisableTaskKeys 0 0", "FindWindowA Shell_traywnd",
            "SystemParametersInfoA 97 0" }));
    EXPECT_FALSE(ScreenSaverRunning());
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(CloseOrder, OlderFamilyWithoutAPasswordClosesWithoutAsking)
{
    Install(FAKE_HOOK, "Tapsy.dll");
    Install(FAKE_PASSWORD, "password.cpl");
    setenv("TAPSY_FAKE_PASSWORD", "0", 1);
    Write(DesktopGroup, "ScreenSaveUsePassword", "0");
    OlderFamily();
    MakeAndShowForm();
    TakeCalls();
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(TakeCalls(), (Lines { "_DisableTaskKeys 0 0", "FindWindowA Shell_traywnd" }));
}

TEST_F(CloseOrder, ThePasswordCheckFailsClosed)
{
    const struct {
        const char* What;
        const char* Library; // installed as password.cpl; null: none
        const char* Answer;
        Lines Calls;
    } cases[] = {
        { "a wrong password", FAKE_PASSWORD, "0", { "VerifyScreenSavePwd window" } },
        { "no password.cpl", nullptr, "1", {} },
        { "a password.cpl without VerifyScreenSavePwd", FAKE_OTHER_LIBRARY, "1", {} },
    };
    Install(FAKE_HOOK, "Tapsy.dll");
    Write(DesktopGroup, "ScreenSaveUsePassword", "1");
    OlderFamily();
    for (const auto& c : cases) {
        fs::remove(fs::path(Log()).parent_path() / "libs" / "password.cpl");
        if (c.Library)
            Install(c.Library, "password.cpl");
        setenv("TAPSY_FAKE_PASSWORD", c.Answer, 1);
        MakeAndShowForm();
        TakeCalls();
        for (int attempt = 1; attempt <= 2; ++attempt) {
            EXPECT_FALSE(Form->close()) << c.What;
            EXPECT_EQ(TakeCalls(), c.Calls) << c.What << ", attempt " << attempt;
            EXPECT_TRUE(Form->isVisible()) << c.What;
            EXPECT_TRUE(Form->LockedDown()) << c.What;
            EXPECT_TRUE(ScreenSaverRunning()) << c.What;
        }
        // The right password, once the platform can check it, lets the grown-up out.
        Install(FAKE_PASSWORD, "password.cpl");
        setenv("TAPSY_FAKE_PASSWORD", "1", 1);
        EXPECT_TRUE(Form->close()) << c.What;
        EXPECT_FALSE(Form->LockedDown()) << c.What;
        EXPECT_FALSE(ScreenSaverRunning()) << c.What;
        Form.reset();
    }
}

TEST_F(CloseOrder, ATerminationSignalEndsTheGameWithoutThePassword)
{
    Install(FAKE_HOOK, "Tapsy.dll");
    Install(FAKE_PASSWORD, "password.cpl");
    setenv("TAPSY_FAKE_PASSWORD", "0", 1);
    Write(DesktopGroup, "ScreenSaveUsePassword", "1");
    OlderFamily();
    for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
        MakeAndShowForm();
        TakeCalls();
        ASSERT_EQ(raise(signal), 0);
        EXPECT_TRUE(WaitUntil([&] { return !Form->isVisible(); }))
            << "signal " << signal << " did not close the game";
        EXPECT_EQ(TakeCalls(),
            (Lines { "_DisableTaskKeys 0 0", "FindWindowA Shell_traywnd", "SystemParametersInfoA 97 0" }))
            << signal;
        Form.reset();
    }
}

TEST_F(CloseOrder, AWindowThatGoesWithoutACloseStillReleasesTheDesktop)
{
    Install(FAKE_HOOK, "Tapsy.dll");
    MakeAndShowForm();
    TakeCalls();
    Form.reset();
    EXPECT_EQ(TakeCalls(), (Lines { "_DisableTaskKeys 0 0", "FindWindowA Shell_traywnd" }));
}

TEST_F(HookLibrary, IsLoadedByNameFromTheGivenFoldersOnly)
{
    const fs::path libs = fs::path(Log()).parent_path() / "libs";
    const struct {
        const char* What;
        const char* Library; // installed as Tapsy.dll; null: none
        bool Loaded;
        bool EntryPoint;
    } cases[] = {
        { "no library", nullptr, false, false },
        { "the hook", FAKE_HOOK, true, true },
        { "a library without _DisableTaskKeys", FAKE_OTHER_LIBRARY, true, false },
    };
    for (const auto& c : cases) {
        fs::remove(libs / "Tapsy.dll");
        if (c.Library)
            Install(c.Library, "Tapsy.dll");
        const TTaskKeysHook hook = LoadTaskKeysHook({ libs });
        EXPECT_EQ(hook.Library != nullptr, c.Loaded) << c.What;
        EXPECT_EQ(hook.DisableTaskKeys != nullptr, c.EntryPoint) << c.What;
    }

    // Never from the current directory.
    Install(FAKE_HOOK, "Tapsy.dll");
    const fs::path before = fs::current_path();
    fs::current_path(libs);
    const TTaskKeysHook fromHere = LoadTaskKeysHook({ fs::path() });
    fs::current_path(before);
    EXPECT_EQ(fromHere.Library, nullptr);
}

TEST_F(HookLibrary, TheProjectsHookLoadsAndTakesBothCalls)
{
    const TTaskKeysHook hook = LoadTaskKeysHook({ REAL_HOOK_DIR });
    ASSERT_NE(hook.Library, nullptr);
    ASSERT_NE(hook.DisableTaskKeys, nullptr);
    // Here, on Qt's offscreen platform, there is no keyboard to lock; the calls are carried out.
    EXPECT_EQ(hook.DisableTaskKeys(1, 0), 1);
    EXPECT_EQ(hook.DisableTaskKeys(0, 0), 1);
}

TEST_F(HookLibrary, TheGameStartsAndEndsWithoutIt)
{
    MakeAndShowForm();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Form->LockedDown());
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Calls(), (Lines { "FindWindowA Shell_traywnd", "FindWindowA Shell_traywnd" }));
}

TEST_F(DesktopHold, TheOtherScreenIsCoveredWhileTheGameShows)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    MakeForm();
    EXPECT_TRUE(Form->ScreenCovers().Covers().empty()); // not before the game shows
    Form->show();
    QCoreApplication::processEvents();
    const std::vector<QWidget*> covers = Form->ScreenCovers().Covers();
    ASSERT_EQ(covers.size(), 1u);
    const QWidget* cover = covers.front();
    EXPECT_TRUE(cover->isVisible());
    EXPECT_EQ(cover->geometry(), QRect(1280, 0, 800, 600));
    const Qt::WindowFlags flags = cover->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    const QImage image = const_cast<QWidget*>(cover)->grab().toImage();
    EXPECT_EQ(image.pixel(0, 0) | 0xFF000000, qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(799, 599) | 0xFF000000, qRgb(0, 0, 0));
    EXPECT_EQ(Form->geometry(), QRect(0, 0, 1280, 1024));

    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(Form->ScreenCovers().Covers().empty());
}

TEST_F(DesktopHold, TheGameTakesTheScreenBackWithinASecond)
{
    MakeAndShowForm();
    EXPECT_TRUE(Form->PlacementTimer().isActive());
    EXPECT_LE(Form->PlacementTimer().interval(), 1000);

    Form->setWindowState(Qt::WindowNoState);
    Form->setGeometry(100, 100, 300, 200);
    Form->ScreenCovers().Covers().front()->setGeometry(1300, 20, 100, 100);
    Form->KeepPlacement();
    EXPECT_EQ(Form->geometry(), QRect(0, 0, 1280, 1024));
    EXPECT_TRUE(Form->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(Form->ScreenCovers().Covers().front()->geometry(), QRect(1280, 0, 800, 600));

    EXPECT_TRUE(Form->close());
    EXPECT_FALSE(Form->PlacementTimer().isActive());
}

} // namespace
