// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/shortcutsinhibit.h"

#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"
#include "platform/system/debuglog.h"

#include <QGuiApplication>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace {

void* NativeResource(const char* Name, QWindow* Window = nullptr)
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    return Window ? native->nativeResourceForWindow(Name, Window)
                  : native->nativeResourceForIntegration(Name);
}

void OnGlobal(void* Data, wl_registry* Registry, uint32_t Name, const char* Interface, uint32_t)
{
    auto* manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1**>(Data);
    if (!*manager && std::strcmp(Interface, zwp_keyboard_shortcuts_inhibit_manager_v1_interface.name) == 0)
        *manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1*>(
            wl_registry_bind(Registry, Name, &zwp_keyboard_shortcuts_inhibit_manager_v1_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) { }

constexpr wl_registry_listener RegistryListener = { OnGlobal, OnGlobalRemove };

} // namespace

TShortcutsInhibitor::TShortcutsInhibitor()
{
    m_again.setSingleShot(true);
    QObject::connect(&m_again, &QTimer::timeout, [this] { AskAgain(); });
}

// The registry is read on a queue of our own, so that the toolkit's queue and its listeners see
// nothing of it; the manager then moves to the toolkit's queue, which dispatches its inhibitor's
// events on the user-interface thread.
bool TShortcutsInhibitor::FindManager()
{
    if (m_looked)
        return m_manager;
    m_looked = true;
    m_display = static_cast<wl_display*>(NativeResource("wl_display"));
    if (!m_display)
        return false;
    wl_event_queue* queue = wl_display_create_queue(m_display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(m_display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &RegistryListener, &m_manager);
    const bool answered = wl_display_roundtrip_queue(m_display, queue) >= 0;
    if (m_manager)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_manager), nullptr);
    wl_registry_destroy(registry);
    wl_event_queue_destroy(queue);
    if (!answered)
        DebugLog("The Wayland compositor did not answer the question for its globals.");
    return m_manager;
}

void TShortcutsInhibitor::Inhibit(QWindow* Window)
{
    if (!Window || !QGuiApplication::platformName().startsWith(u"wayland"))
        return;
    auto* surface = static_cast<wl_surface*>(NativeResource("surface", Window));
    if (!surface || (m_inhibitor && surface == m_surface && Window == m_window))
        return;
    if (!FindManager()) {
        if (!m_saidUnavailable) {
            m_saidUnavailable = true;
            DebugLog("The Wayland compositor offers no keyboard-shortcuts inhibition "
                     "(zwp_keyboard_shortcuts_inhibit_manager_v1): its own shortcuts stay on.");
        }
        return;
    }
    auto* seat = static_cast<wl_seat*>(NativeResource("wl_seat"));
    if (!seat) {
        if (!m_saidUnavailable) {
            m_saidUnavailable = true;
            DebugLog("The Wayland compositor has no seat whose shortcuts could be inhibited.");
        }
        return;
    }
    // A new surface for the window (or another window): the old request goes first, as the
    // compositor refuses a second one for the same surface and seat.
    if (m_inhibitor)
        zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    static constexpr zwp_keyboard_shortcuts_inhibitor_v1_listener Listener = { OnActive, OnInactive };
    m_inhibitor = zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(m_manager, surface, seat);
    zwp_keyboard_shortcuts_inhibitor_v1_add_listener(m_inhibitor, &Listener, this);
    wl_display_flush(m_display);
    m_surface = surface;
    m_window = Window;
    DebugLog("The Wayland compositor is asked to inhibit its keyboard shortcuts for the game window.");
}

// A new request for the same surface: the old one goes first, as the compositor refuses a second.
void TShortcutsInhibitor::AskAgain()
{
    QWindow* window = m_window;
    if (!m_inhibitor || !window)
        return;
    zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    m_inhibitor = nullptr;
    Inhibit(window);
}

void TShortcutsInhibitor::Release()
{
    m_again.stop();
    if (!m_inhibitor)
        return;
    zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    wl_display_flush(m_display);
    m_inhibitor = nullptr;
    m_surface = nullptr;
    m_window = nullptr;
    DebugLog("The Wayland compositor's keyboard shortcuts are given back.");
}

void TShortcutsInhibitor::OnActive(void* Data, zwp_keyboard_shortcuts_inhibitor_v1*)
{
    static_cast<TShortcutsInhibitor*>(Data)->m_pacer.Active(TRetryPacer::Clock::now());
    DebugLog("The Wayland compositor inhibits its keyboard shortcuts for the game window.");
}

void TShortcutsInhibitor::OnInactive(void* Data, zwp_keyboard_shortcuts_inhibitor_v1*)
{
    auto* self = static_cast<TShortcutsInhibitor*>(Data);
    const TRetryPacer::Duration pause = self->m_pacer.Inactive(TRetryPacer::Clock::now());
    DebugLog(pause == TRetryPacer::Duration::zero()
            ? QStringLiteral("The Wayland compositor has turned its keyboard shortcuts on again; the game asks again at once.")
            : QStringLiteral("The Wayland compositor has turned its keyboard shortcuts on again; the game asks again in %1 ms.")
                  .arg(pause.count()));
    self->m_again.start(pause);
}
