// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The test file system `stuckfs` (tests/platform/system/stuckfs.c) mounted in a folder of the
// test's own: "stuck.bin" never answers a read, "slow.ini" answers after a delay. The test's
// target defines STUCKFS as the program's path.
//
// It is started with posix_spawn, not QProcess: once a QProcess has started a child,
// ThreadSanitizer (GCC 12) loses track of the parent's mutexes and reports races on data that
// every thread reads under its lock (seen with a small program: such a flag is reported after a
// QProcess start, and not without one).
#pragma once

#include "lib/waituntil.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class TStuckDisk {
public:
    TStuckDisk() = default;
    TStuckDisk(const TStuckDisk&) = delete;
    TStuckDisk& operator=(const TStuckDisk&) = delete;
    ~TStuckDisk() { TakeAway(); }

    // Mounts it in Folder (made here); an empty answer when it is mounted, else why not.
    std::string Mount(const std::string& Folder, int SlowMs = 500)
    {
        m_folder = Folder;
        if (mkdir(Folder.c_str(), 0700) != 0)
            return "cannot make " + Folder + ": " + std::strerror(errno);
        const std::string log = Folder + ".log";
        const std::string slow = "STUCKFS_SLOW_MS=" + std::to_string(SlowMs);
        std::vector<char*> environment;
        for (char** entry = environ; *entry; ++entry)
            if (std::strncmp(*entry, "STUCKFS_SLOW_MS=", 16) != 0)
                environment.push_back(*entry);
        environment.push_back(const_cast<char*>(slow.c_str()));
        environment.push_back(nullptr);
        std::string program = STUCKFS;
        std::string foreground = "-f";
        char* arguments[] = { program.data(), m_folder.data(), foreground.data(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        const int failed = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, arguments, environment.data());
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) {
            m_pid = -1;
            return "cannot start " + program + ": " + std::strerror(failed);
        }
        const bool mounted = WaitUntil([&] {
            struct stat info {};
            return stat(File("stuck.bin").c_str(), &info) == 0 || !Running();
        }) && Running();
        if (mounted)
            return {};
        std::ifstream output(log);
        return "no FUSE file system can be mounted here: "
            + std::string(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>());
    }

    std::string File(const char* name) const { return m_folder + "/" + name; }

    // Reads still waiting on it are answered with an error once it is gone.
    void TakeAway()
    {
        if (m_pid <= 0)
            return;
        if (Running()) {
            umount2(m_folder.c_str(), MNT_DETACH);
            kill(m_pid, SIGKILL);
        }
        while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }

private:
    // Whether the program still runs; reaps it when it has ended.
    bool Running()
    {
        if (m_pid <= 0)
            return false;
        const pid_t ended = waitpid(m_pid, nullptr, WNOHANG);
        if (ended == 0)
            return true;
        m_pid = -1;
        return false;
    }

    std::string m_folder;
    pid_t m_pid = -1;
};
