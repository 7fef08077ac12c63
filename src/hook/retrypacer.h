// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// When to ask the compositor again after it turned the keyboard-shortcuts inhibition off: at once
// the first time, so a parent's or a child's way out closes again, but never in a tight loop
// against a compositor that refuses every time: each turn-off that comes soon after the last
// ask doubles the pause, up to a limit; an inhibition that held for a while starts afresh.
#pragma once

#include <algorithm>
#include <chrono>

class TRetryPacer {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = std::chrono::milliseconds;

    static constexpr Duration FirstPause { 250 };
    static constexpr Duration LongestPause { 30000 };
    // An inhibition that was on at least this long counts as held: the pauses start afresh.
    static constexpr Duration HeldTime { 10000 };

    // The compositor turned the inhibition on at Now.
    void Active(Clock::time_point Now)
    {
        m_active = true;
        m_activeSince = Now;
    }

    // It turned it off at Now: how long to wait before asking again.
    Duration Inactive(Clock::time_point Now)
    {
        if (m_active && Now - m_activeSince >= HeldTime)
            m_next = Duration::zero();
        m_active = false;
        const Duration pause = m_next;
        m_next = m_next == Duration::zero() ? FirstPause : std::min(2 * m_next, LongestPause);
        return pause;
    }

private:
    bool m_active = false;
    Clock::time_point m_activeSince {};
    Duration m_next = Duration::zero();
};
