// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Keyboard-shortcuts inhibition on Wayland: the compositor is asked to pass its own shortcuts
// (workspace switching, launchers, closing windows) to one window of ours, through the
// zwp_keyboard_shortcuts_inhibit_manager_v1 global where the compositor offers it. Only for a
// program running on Qt's Wayland platform; every call does nothing anywhere else.
//
// A compositor may turn the inhibition off whenever it likes (GNOME on its restore-shortcuts key,
// sway on its seat command); the inhibitor then asks again, at once the first time and then
// paced (see retrypacer.h).
#pragma once

#include "hook/retrypacer.h"

#include <QPointer>
#include <QTimer>
#include <QWindow>

struct wl_display;
struct wl_surface;
struct zwp_keyboard_shortcuts_inhibit_manager_v1;
struct zwp_keyboard_shortcuts_inhibitor_v1;

class TShortcutsInhibitor {
public:
    TShortcutsInhibitor();
    TShortcutsInhibitor(const TShortcutsInhibitor&) = delete;
    TShortcutsInhibitor& operator=(const TShortcutsInhibitor&) = delete;

    // Asks for inhibition for Window's surface and the default seat, once per surface; cheap to
    // call again. Says once in the debug trace when the compositor cannot do it.
    void Inhibit(QWindow* Window);
    // Gives the compositor its shortcuts back.
    void Release();

private:
    bool FindManager();
    void AskAgain();
    static void OnActive(void* Data, zwp_keyboard_shortcuts_inhibitor_v1* Inhibitor);
    static void OnInactive(void* Data, zwp_keyboard_shortcuts_inhibitor_v1* Inhibitor);

    wl_display* m_display = nullptr;
    zwp_keyboard_shortcuts_inhibit_manager_v1* m_manager = nullptr;
    zwp_keyboard_shortcuts_inhibitor_v1* m_inhibitor = nullptr;
    wl_surface* m_surface = nullptr;
    QPointer<QWindow> m_window;
    TRetryPacer m_pacer;
    QTimer m_again;
    bool m_looked = false;
    bool m_saidUnavailable = false;
};
