// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The test file system `stuckfs` (tests/platform/system/stuckfs.c) mounted in a folder of the
// test's own: "stuck.bin" never answers a read, "slow.ini" answers after a delay. The test's
// target defines STUCKFS as the program's path.
#pragma once

#include "lib/waituntil.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <string>
#include <sys/mount.h>
#include <sys/stat.h>

class TStuckDisk {
public:
    ~TStuckDisk() { TakeAway(); }

    // Mounts it in Folder (made here); an empty answer when it is mounted, else why not.
    std::string Mount(const std::string& Folder, int SlowMs = 500)
    {
        m_folder = Folder;
        if (mkdir(Folder.c_str(), 0700) != 0)
            return "cannot make " + Folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("STUCKFS_SLOW_MS"), QString::number(SlowMs));
        m_fs.setProcessEnvironment(environment);
        m_fs.setProcessChannelMode(QProcess::MergedChannels);
        m_fs.start(QStringLiteral(STUCKFS), { QString::fromStdString(Folder), QStringLiteral("-f") });
        const bool mounted = WaitUntil([&] {
            struct stat info {};
            return stat(File("stuck.bin").c_str(), &info) == 0 || m_fs.state() == QProcess::NotRunning;
        }) && m_fs.state() != QProcess::NotRunning;
        return mounted ? std::string() : "no FUSE file system can be mounted here: " + m_fs.readAll().toStdString();
    }

    std::string File(const char* name) const { return m_folder + "/" + name; }

    // Reads still waiting on it are answered with an error once it is gone.
    void TakeAway()
    {
        if (m_fs.state() == QProcess::NotRunning)
            return;
        umount2(m_folder.c_str(), MNT_DETACH);
        m_fs.kill();
        m_fs.waitForFinished(10000);
    }

private:
    std::string m_folder;
    QProcess m_fs;
};
