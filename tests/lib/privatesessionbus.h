// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A session bus of the test's own: a dbus-daemon started for the test process, which starts the
// desktop's services (the permission store, say) on demand with their data in a temporary folder,
// so a test never touches the user's. Qt's session bus connection keeps the first address it
// sees for the whole process, so it is started before anything uses that connection, once, and
// ended when the process ends.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <sys/types.h>

// Starts it (only the first call does anything); empty on success, else why it could not.
inline QString UsePrivateSessionBus()
{
    static QString failure;
    static bool started = false;
    if (started)
        return failure;
    started = true;
    static QTemporaryDir data;
    qputenv("XDG_DATA_HOME", (data.path() + QStringLiteral("/data")).toLocal8Bit());
    auto* daemon = new QProcess; // lives until the process ends
    daemon->setProgram(QStringLiteral("dbus-daemon"));
    daemon->setArguments({ QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    daemon->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    daemon->start();
    if (!daemon->waitForStarted(10000))
        return failure = QStringLiteral("dbus-daemon does not start: ") + daemon->errorString();
    while (!daemon->canReadLine() && daemon->waitForReadyRead(10000)) { }
    const QByteArray address = daemon->readLine().trimmed();
    if (address.isEmpty())
        return failure = QStringLiteral("dbus-daemon gave no address");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    static pid_t pid = pid_t(daemon->processId());
    std::atexit([] { kill(pid, SIGTERM); });
    return failure;
}
