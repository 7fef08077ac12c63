// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// SIGTERM, SIGINT and SIGHUP end the program the orderly way, so that whatever it changed on the
// desktop is given back. The signal handler only writes the signal's number to a pipe; the
// user-interface thread reads it and calls OnSignal there. The first signal also puts the
// default action back, so a second one ends the program at once should the first hang.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class TTerminationSignals : public QObject {
public:
    // One watcher at a time; a second one while the first lives throws Exception.
    explicit TTerminationSignals(std::function<void(int Signal)> OnSignal, QObject* Parent = nullptr);
    // Gives the signals their actions from before back.
    ~TTerminationSignals() override;

private:
    void ReadSignals();

    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
