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
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

extern char** environ;

// Starts it (only the first call does anything); empty on success, else why it could not.
// The daemon is a plain child process, not a QProcess: it has to outlive every Qt object of the
// test, and a QProcess kept to the end would be reported as a leak.
inline QString UsePrivateSessionBus()
{
    static QString failure;
    static bool started = false;
    if (started)
        return failure;
    started = true;
    static QTemporaryDir data;
    qputenv("XDG_DATA_HOME", (data.path() + QStringLiteral("/data")).toLocal8Bit());
    int out[2];
    if (pipe(out) != 0)
        return failure = QStringLiteral("no pipe for dbus-daemon's address");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, out[1], 1);
    posix_spawn_file_actions_addclose(&files, out[0]);
    char program[] = "dbus-daemon";
    char session[] = "--session";
    char nofork[] = "--nofork";
    char print[] = "--print-address=1";
    char* arguments[] = { program, session, nofork, print, nullptr };
    static pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &files, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&files);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return failure = QStringLiteral("dbus-daemon does not start: ") + QString::fromLocal8Bit(strerror(spawned));
    }
    std::atexit([] { kill(pid, SIGTERM); });
    // Its address is its first line, within 10 s.
    std::string address;
    pollfd ready { out[0], POLLIN, 0 };
    char c = 0;
    while (poll(&ready, 1, 10000) == 1 && read(out[0], &c, 1) == 1 && c != '\n')
        address += c;
    close(out[0]);
    if (address.empty())
        return failure = QStringLiteral("dbus-daemon gave no address");
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(address));
    return failure;
}
