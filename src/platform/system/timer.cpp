// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/timer.h"

TTimer::TTimer()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTimer)
            m_onTimer();
    });
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == m_enabled)
        return;
    m_enabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(int Milliseconds)
{
    if (Milliseconds < 0)
        Milliseconds = 0;
    if (Milliseconds == m_interval)
        return;
    m_interval = Milliseconds;
    UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void()> Handler)
{
    m_onTimer = std::move(Handler);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    m_timer.stop();
    if (m_enabled && m_interval > 0 && m_onTimer)
        m_timer.start(m_interval);
}
