// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/screensaverinhibitor.h"

#include "platform/system/debuglog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>

namespace {

const QString Service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Path = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString Interface = QStringLiteral("org.freedesktop.ScreenSaver");

// Closing waits no longer than this for the service to take the hold back.
constexpr int ReleaseTimeoutMs = 1000;

} // namespace

TScreenSaverInhibitor::TScreenSaverInhibitor(QObject* Parent)
    : QObject(Parent)
{
}

TScreenSaverInhibitor::~TScreenSaverInhibitor() { Release(); }

void TScreenSaverInhibitor::Inhibit(const QString& ApplicationName, const QString& Reason)
{
    if (m_wanted)
        return;
    m_wanted = true;
    // Without a bus address or the session's bus socket there is no desktop session to ask;
    // Qt would start its D-Bus thread only to find that out.
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool busKnown = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!runtimeDir.isEmpty() && QFileInfo::exists(runtimeDir + QStringLiteral("/bus")));
    if (!busKnown || !QDBusConnection::sessionBus().isConnected()) {
        m_answered = true;
        DebugLog("No session bus: the desktop's screen saver is not held off.");
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Inhibit"));
    call << ApplicationName << Reason;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* Watcher) {
        Watcher->deleteLater();
        m_answered = true;
        const QDBusPendingReply<uint32_t> reply = *Watcher;
        if (reply.isError()) {
            DebugLog(QStringLiteral("The desktop's screen saver is not held off: %1").arg(reply.error().message()));
            return;
        }
        Granted(reply.value());
    });
}

void TScreenSaverInhibitor::Granted(uint32_t Cookie)
{
    m_cookie = Cookie;
    m_inhibited = true;
    DebugLog("The desktop's screen saver is held off.");
    if (!m_wanted)
        Release();
}

void TScreenSaverInhibitor::Release()
{
    m_wanted = false;
    if (!m_inhibited)
        return;
    m_inhibited = false;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("UnInhibit"));
    call << m_cookie;
    // Waited for, so the hold is gone before the program is; a service that does not answer
    // costs at most the timeout.
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, ReleaseTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        DebugLog(QStringLiteral("The desktop's screen saver hold was not given back: %1").arg(reply.errorMessage()));
}
