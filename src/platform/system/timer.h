// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's timer: a periodic event on the user-interface thread that runs while
// Enabled is true, Interval is not 0 and OnTimer is assigned.
#pragma once

#include <QTimer>
#include <functional>

class TTimer {
public:
    // Enabled and 1000 ms, as the class library creates its timers. It fires on the thread
    // that creates it.
    TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return m_enabled; }
    // Writing the value it already has changes nothing: in particular enabling a running
    // timer does not restart its period (the idle handler enables it again and again).
    void SetEnabled(bool Value);

    int Interval() const { return m_interval; }
    // A new interval starts a fresh period.
    void SetInterval(int Milliseconds);

    const std::function<void()>& OnTimer() const { return m_onTimer; }
    void SetOnTimer(std::function<void()> Handler);

    // Whether the period is counting, that is Enabled with an interval and a handler.
    bool Running() const { return m_timer.isActive(); }

private:
    void UpdateTimer();

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 1000;
    std::function<void()> m_onTimer;
};
