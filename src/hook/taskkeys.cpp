// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The hook library's one entry point. _DisableTaskKeys(1, 0) locks the keyboard for the
// application's window: on X11 the window holds a keyboard and a pointer grab for the whole
// locked time (taken once it is mapped, taken again whenever focus or the grab goes elsewhere),
// so Alt+Tab, Super, every other shortcut of the window manager and every click reach the game
// instead; the keys that the X
// server acts on by itself are taken out of its keyboard map (see serverkeys.h). On Wayland,
// where no client may grab the keyboard, the compositor is asked to inhibit its own shortcuts for
// the window (see shortcutsinhibit.h), GNOME's own way out of that is emptied while locked (see
// restoreshortcuts.h), a denial that GNOME remembers is said in the trace, and on KWin a script
// keeps the game's window in front (see kwinscript.h). _DisableTaskKeys(0, 0) gives all of it
// back; the keyboard map, the key binding and KWin's script are also put back when the program
// ends while still locked, and by the guardian when it dies.
// The second argument is reserved and must be 0. The result is 1 when the call was carried out,
// 0 when there is no application to lock.
#include "hook/kwinscript.h"
#include "hook/restoreshortcuts.h"
#include "hook/serverkeys.h"
#include "hook/shortcutsinhibit.h"
#include "platform/system/debuglog.h"
#include "platform/system/shortcutspermission.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <spawn.h>
#include <sys/socket.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// From Xlib, whose macros would clash with Qt's names; Display comes with Qt's native interface.
extern "C" char* XDisplayString(Display* Display);

extern "C" __attribute__((visibility("default"))) int32_t DisableTaskKeys(int32_t On, int32_t Reserved) __asm__("_DisableTaskKeys");

namespace {

// The window manager or another client gets the keyboard for this long at most.
constexpr int GrabCheckMs = 500;

// Program-wide and never freed: the map and the key binding are put back at exit, after the
// toolkit is gone.
TServerKeys* ServerKeys = nullptr;
TRestoreShortcutsKey* RestoreShortcuts = nullptr;
TKWinScript* KWinScript = nullptr;

void RestoreAtExit()
{
    if (KWinScript && KWinScript->Loaded()) {
        KWinScript->Unload();
        DebugLog(QString::fromStdString(KWinScript->Message));
    }
    if (ServerKeys && ServerKeys->Disabled()) {
        ServerKeys->Restore();
        DebugLog(QString::fromStdString(ServerKeys->Message));
    }
    if (RestoreShortcuts && RestoreShortcuts->Disabled()) {
        RestoreShortcuts->Restore();
        DebugLog(QString::fromStdString(RestoreShortcuts->Message));
    }
}

void SayPermission(const TPermissionAnswer& Answer)
{
    const QString id = QLatin1String(GameDesktopFileId);
    switch (Answer.Permission) {
    case TShortcutsPermission::Granted:
        DebugLog(QStringLiteral("GNOME's permission store lets the game hold the shortcuts (GRANTED for %1).").arg(id));
        break;
    case TShortcutsPermission::Denied:
    case TShortcutsPermission::Other:
        DebugLog(QStringLiteral("The lock-down is denied: GNOME's permission store holds DENIED for %1 (its dialog "
                                "\"Allow inhibiting shortcuts\" was answered Deny, by a child perhaps), so GNOME keeps its "
                                "shortcuts on while the game runs. A grown-up allows them once with: %2")
                     .arg(id, AllowLockdownCommand()));
        break;
    case TShortcutsPermission::NotStored:
        DebugLog(QStringLiteral("GNOME's permission store holds no answer for %1: GNOME asks in a dialog, which a "
                                "grown-up answers Allow; or allow it once beforehand with: %2")
                     .arg(id, AllowLockdownCommand()));
        break;
    case TShortcutsPermission::NoStore:
        DebugLog(QStringLiteral("No permission store to ask about GNOME's answer: %1.").arg(Answer.Error));
        break;
    }
}

std::string X11DisplayName()
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (Display* display = x11->display())
            return XDisplayString(display);
    }
    return qEnvironmentVariable("DISPLAY").toStdString();
}

// The guardian process (guardian.cpp) while the server's keys are out, GNOME's key binding is
// empty or KWin's script is loaded: it hears the game's heartbeat and puts them back when the
// game dies or its user-interface thread hangs. DisplayName is empty on Wayland.
class TGuardian {
public:
    // Starts it for display DisplayName; says in the trace what happened.
    void Start(const std::string& DisplayName)
    {
        Stop();
        Dl_info self {};
        if (!dladdr(reinterpret_cast<void*>(&DisableTaskKeys), &self) || !self.dli_fname) {
            DebugLog("No guardian: the hook library cannot tell where it is.");
            return;
        }
        std::string program = self.dli_fname;
        program = program.substr(0, program.rfind('/') + 1) + "tapsy-guardian";
        // A socket rather than a pipe: a guardian that is gone must not end the game by SIGPIPE.
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
            DebugLog("No guardian: no socket for its heartbeat.");
            return;
        }
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, ends[0], 3);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        // A session of its own: a Ctrl+C or hang-up meant for the game does not reach it.
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
        const std::string pid = std::to_string(getpid());
        char* arguments[] = { program.data(), const_cast<char*>(pid.c_str()),
            const_cast<char*>(DisplayName.c_str()), nullptr };
        pid_t guardian = 0;
        const int failed = posix_spawn(&guardian, program.c_str(), &files, &attributes, arguments, environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&files);
        close(ends[0]);
        if (failed) {
            close(ends[1]);
            DebugLog(QStringLiteral("No guardian (%1: %2): what the lock-down changed comes back only when the game ends well.")
                         .arg(QString::fromStdString(program), QString::fromLocal8Bit(strerror(failed))));
            return;
        }
        m_pid = guardian;
        m_heartbeat = ends[1];
        DebugLog(QStringLiteral("A guardian (process %1) gives the keys back if the game dies or hangs.").arg(guardian));
    }

    void Beat() const
    {
        // Never blocks (a guardian that stopped reading) nor raises SIGPIPE (one that is gone).
        if (m_heartbeat >= 0)
            [[maybe_unused]] const ssize_t sent = send(m_heartbeat, "", 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    }

    // After the keys are back: the closed socket ends the guardian, which finds nothing to do.
    void Stop()
    {
        if (m_heartbeat < 0)
            return;
        close(m_heartbeat);
        m_heartbeat = -1;
        for (int tries = 0; tries < 100 && waitpid(m_pid, nullptr, WNOHANG) == 0; ++tries)
            usleep(10000);
        m_pid = -1;
    }

private:
    int m_heartbeat = -1;
    pid_t m_pid = -1;
};

bool CanTakeKeyboard(const QWindow* Window)
{
    const Qt::WindowType type = Window->type();
    return Window->isVisible() && (type == Qt::Window || type == Qt::Dialog)
        && !(Window->flags() & (Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput));
}

class TKeyboardLock : public QObject {
public:
    TKeyboardLock()
    {
        m_timer.setInterval(GrabCheckMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_guardian.Beat(); // from the user-interface thread: it beats only while that turns
            Grab();
        });
    }

    void Lock()
    {
        if (m_locked)
            return;
        m_locked = true;
        const QString platform = QGuiApplication::platformName();
        m_x11 = platform == u"xcb";
        m_wayland = platform.startsWith(u"wayland");
        if (!m_x11 && !m_wayland) {
            DebugLog(QStringLiteral("No keyboard lock-down on the platform \"%1\".").arg(platform));
            return;
        }
        if (!ServerKeys) {
            ServerKeys = new TServerKeys;
            RestoreShortcuts = new TRestoreShortcutsKey;
            KWinScript = new TKWinScript;
            std::atexit(RestoreAtExit);
        }
        if (m_x11) {
            ServerKeys->Disable(X11DisplayName());
            DebugLog(QString::fromStdString(ServerKeys->Message));
            // A Wayland run that could not end well may have left GNOME's key binding empty.
            if (RestoreShortcuts->RestoreFromStateFile())
                DebugLog(QString::fromStdString(RestoreShortcuts->Message));
            if (KWinScript->UnloadFromStateFile())
                DebugLog(QString::fromStdString(KWinScript->Message));
            if (ServerKeys->Disabled())
                m_guardian.Start(X11DisplayName());
        } else {
            RestoreShortcuts->Disable();
            DebugLog(QString::fromStdString(RestoreShortcuts->Message));
            if (TKWinScript::KWinOnSessionBus()) {
                KWinScript->Load(getpid());
                DebugLog(QString::fromStdString(KWinScript->Message));
            } else if (KWinScript->UnloadFromStateFile()) {
                DebugLog(QString::fromStdString(KWinScript->Message));
            }
            if (RestoreShortcuts->Disabled() || KWinScript->Loaded())
                m_guardian.Start(std::string());
            LookupShortcutsPermissionLater(this, SayPermission);
        }
        qGuiApp->installEventFilter(this);
        m_timer.start();
        Grab();
    }

    void Unlock()
    {
        if (!m_locked)
            return;
        m_locked = false;
        qGuiApp->removeEventFilter(this);
        m_timer.stop();
        if (m_window && m_grabbed)
            m_window->setKeyboardGrabEnabled(false);
        if (m_window && m_pointerGrabbed)
            m_window->setMouseGrabEnabled(false);
        m_pointerGrabbed = false;
        if (m_grabbed)
            DebugLog("The keyboard is free again.");
        m_grabbed = false;
        m_window = nullptr;
        m_inhibitor.Release();
        RestoreAtExit();
        m_guardian.Stop();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::Expose:
        case QEvent::Show:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::WindowStateChange:
            if (Watched->isWindowType() && !m_grabQueued) {
                m_grabQueued = true;
                QMetaObject::invokeMethod(this, [this] { Grab(); }, Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The window that holds the keyboard: the one chosen before while it is shown, else the
    // focused window, else the first shown window that takes focus.
    QWindow* LockedWindow()
    {
        if (m_window && m_window->isVisible())
            return m_window;
        QWindow* focus = QGuiApplication::focusWindow();
        if (focus && CanTakeKeyboard(focus))
            return focus;
        for (QWindow* window : QGuiApplication::topLevelWindows())
            if (CanTakeKeyboard(window))
                return window;
        return nullptr;
    }

    void Grab()
    {
        m_grabQueued = false;
        if (!m_locked)
            return;
        QWindow* window = LockedWindow();
        // Grabbing needs a mapped window; until the first expose the next event tries again.
        if (!window || !window->isExposed())
            return;
        if (m_wayland) {
            m_inhibitor.Inhibit(window);
            m_window = window;
            return;
        }
        if (window != m_window && m_window && m_grabbed) {
            m_window->setKeyboardGrabEnabled(false);
            m_window->setMouseGrabEnabled(false);
        }
        const bool grabbed = window->setKeyboardGrabEnabled(true);
        // The pointer too: clicks and the wheel anywhere, on every monitor, go to the game's
        // windows and never to the window manager, a panel or the root window.
        const bool pointer = grabbed && window->setMouseGrabEnabled(true);
        if (pointer != m_pointerGrabbed)
            DebugLog(pointer ? "The mouse is grabbed for the game window."
                             : "The mouse is free: another client holds it.");
        m_pointerGrabbed = pointer;
        if (grabbed && (!m_grabbed || window != m_window))
            DebugLog("The keyboard is grabbed for the game window.");
        else if (!grabbed && m_grabbed)
            DebugLog("Another client holds the keyboard; the game takes it back as soon as it can.");
        m_window = window;
        m_grabbed = grabbed;
    }

    QTimer m_timer;
    QPointer<QWindow> m_window;
    bool m_locked = false;
    bool m_grabbed = false;
    bool m_pointerGrabbed = false;
    bool m_grabQueued = false;
    bool m_x11 = false;
    bool m_wayland = false;
    TShortcutsInhibitor m_inhibitor;
    TGuardian m_guardian;
};

} // namespace

int32_t DisableTaskKeys(int32_t On, int32_t)
{
    if (!qGuiApp)
        return 0;
    // One lock for the program's life; it stays with the library, which is never unloaded.
    static auto* lock = new TKeyboardLock;
    if (On)
        lock->Lock();
    else
        lock->Unlock();
    return 1;
}
