// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The game window: borderless, topmost, over the whole primary screen. The upper band shows
// the last key's name and description, the lower right area its picture, the lower left
// corner the two links and the note for parents. Ctrl+Alt+Q closes it.
#pragma once

#include "platform/system/datetime.h"
#include "platform/system/osversion.h"
#include "platform/system/shiftstate.h"
#include "platform/system/timer.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>

class QTimer;
class TContextMenuFilter;
class TLabel;
class TMediaPlayer;
class TPanel;
class TScreenCovers;
class TScreenSaverInhibitor;
class TStaticText;
class TTerminationSignals;
class TTransitionView;

// Ctrl+Alt+Q, with or without Shift; the one way out of the game.
constexpr bool IsExitChord(uint16_t Key, TShiftState Shift)
{
    return Key == 0x51 && (Shift & ssCtrl) && (Shift & ssAlt);
}

class TfrmMain : public QWidget {
    // Its texts are translated under its own name, not QWidget's (no Q_OBJECT here).
    Q_DECLARE_TR_FUNCTIONS(TfrmMain)

public:
    // The note for parents under the links (lines end in CR LF) and its hint, in English; the
    // window shows them in the program's language (context "TfrmMain").
    static const char* const Label1Caption;
    static const char* const Label1Hint;

    explicit TfrmMain(QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // Sender is the window for a real key and null for the idle demo's presses.
    void FormKeyDown(QObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormKeyUp(QObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormMouseDown(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void FormClose(QObject* Sender);

    void LabelHomePageMouseEnter(TLabel* Sender);
    void LabelHomePageMouseLeave(TLabel* Sender);
    void LabelHomePageClick(QObject* Sender);
    void LabelAboutClick(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void ApplicationIdle(QObject* Sender, bool& Done);
    void m_MediaPlayerNotify(QObject* Sender);

    // Tests drive the repeat guard with their own clock; the game reads the real time.
    void SetClock(std::function<TDateTime()> Clock) { m_now = std::move(Clock); }
    TTransitionView& TransitionView() { return *m_transitionView; }
    TMediaPlayer& MediaPlayer() { return *m_MediaPlayer; }
    bool MusicPlaying() const { return m_musicPlaying; }

    // Timer1, the idle demo's timer.
    TTimer& IdleTimer() { return Timer1; }

    // The settings and the lock-down as the window holds them.
    bool EnableMusic() const { return m_enableMusic; }
    int32_t UsePassword() const { return m_usePassword; }
    bool LockedDown() const { return m_locked; }
    TScreenCovers& ScreenCovers() { return *m_covers; }
    TScreenSaverInhibitor& ScreenSaverInhibitor() { return *m_inhibitor; }

    // A termination signal ends the game without the password: it comes from the system or
    // the grown-up, never from the keyboard. The desktop is given back as at every close.
    void Terminate(int Signal);

    // Takes full screen, the top and the covers of the other screens back if the window
    // manager took them; the placement timer calls it every half second while the game shows.
    void KeepPlacement();
    const QTimer& PlacementTimer() const { return *m_placementTimer; }

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void CreateComponents();
    void FormCreate();

    // Steps whose work comes with the screen-saver settings, the sound player, the idle demo
    // and the keyboard lock-down. Each is called where the game needs it.
    void SwitchLockDownOn();
    void SwitchLockDownOff();
    void ReadScreenSaverSettings();
    void PrepareMediaPlayer();
    void InstallIdleHandler();
    void CheckPasswordOnClose(bool& CanClose);
    // Closes the sound before, then opens and plays File; a sound that cannot play is left out.
    void StartSound(const std::filesystem::path& File);
    void LeaveScreenSaverRunning();
    // Beyond the hook library: the covers of the other screens, the hold on the desktop's
    // screen saver, and the watch that takes full screen and the top back within a second.
    void HoldDesktop();
    void ReleaseDesktop();

    // Components, in the order the form declares them. The widgets belong to the window.
    TTimer Timer1;
    TPanel* panelTop = nullptr;
    TPanel* panelBottom = nullptr;
    TPanel* panelLeftBottom = nullptr;
    TPanel* panelRightBottom = nullptr;
    TTransitionView* m_transitionView = nullptr;
    TPanel* panelLeftTop = nullptr;
    TPanel* panelRightTop = nullptr;
    TStaticText* m_textKeyName = nullptr;
    TStaticText* m_textKeyDesc = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* LabelAbout = nullptr;
    TLabel* LabelHomePage = nullptr;
    TStaticText* StaticText1 = nullptr;
    TLabel* Label1 = nullptr;
    TContextMenuFilter* m_contextMenuFilter = nullptr;
    TMediaPlayer* m_MediaPlayer = nullptr;
    TScreenCovers* m_covers = nullptr;
    TScreenSaverInhibitor* m_inhibitor = nullptr;
    QTimer* m_placementTimer = nullptr;
    TTerminationSignals* m_terminationSignals = nullptr;
    bool m_locked = false;
    bool m_desktopHeld = false;
    bool m_focusLost = false; // said in the trace once each time another window took the focus
    bool m_closed = false;
    bool m_terminating = false;
    std::function<TDateTime()> m_now = Now;

    int32_t m_usePassword = 1;
    TDateTime m_lastKeyTime = 0.0;
    bool m_enableMusic = true;
    bool m_musicPlaying = false;
    TOSVersionInfo m_osVersion {};
};
