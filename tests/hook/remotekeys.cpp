// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Presses keys on GNOME Shell through mutter's remote-desktop interface, for the tests: one
// session for the whole run (mutter ends a session when its caller leaves the bus, so a one-shot
// call cannot press anything). Reads lines "<Linux key code> down|up" from standard input and
// answers each with "ok" or the error, so the caller knows the key was handed over.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

const QString Service = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

QDBusMessage Call(const QString& Path, const QString& Interface, const QString& Method, const QVariantList& Arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, Method);
    call.setArguments(Arguments);
    return QDBusConnection::sessionBus().call(call);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QDBusMessage created = Call(QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), Service, QStringLiteral("CreateSession"));
    if (created.type() == QDBusMessage::ErrorMessage || created.arguments().isEmpty()) {
        std::fprintf(stderr, "remotekeys: no session: %s\n", qPrintable(created.errorMessage()));
        return 1;
    }
    const QString session = created.arguments().constFirst().value<QDBusObjectPath>().path();
    const QString interface = Service + QStringLiteral(".Session");
    const QDBusMessage started = Call(session, interface, QStringLiteral("Start"));
    if (started.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "remotekeys: the session does not start: %s\n", qPrintable(started.errorMessage()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    unsigned code = 0;
    std::string state;
    while (std::cin >> code >> state) {
        const QDBusMessage reply = Call(session, interface, QStringLiteral("NotifyKeyboardKeycode"), { code, state == "down" });
        std::printf("%s\n", reply.type() == QDBusMessage::ErrorMessage ? qPrintable(reply.errorMessage()) : "ok");
        std::fflush(stdout);
    }
    Call(session, interface, QStringLiteral("Stop"));
    return 0;
}
