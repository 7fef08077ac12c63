// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "transition/transitionengine.h"

#include "platform/system/mmtimer.h"

#include <algorithm>

int32_t TransitionStep(int32_t Step, uint32_t Elapsed, int32_t Delay, bool ExactTiming)
{
    if (!ExactTiming)
        return Step;
    // A long stall (a suspended machine) only needs to finish the transition, and must not
    // overflow the product.
    const int32_t elapsed = static_cast<int32_t>(std::min<uint32_t>(Elapsed, 1000000));
    return std::max(MulDiv(Step, elapsed, std::max(Delay, 1)), 0);
}

int32_t NextProgress(int32_t Progress, int32_t Step, bool Reverse)
{
    if (Reverse)
        return Step < Progress ? Progress - Step : 0;
    return Progress < 100 - Step ? Progress + Step : 100;
}

TTransitionEngine::TTransitionEngine()
    : m_screen(std::make_unique<TGdiBitmap>())
{
}

TTransitionEngine::~TTransitionEngine() { StopTimer(); }

bool TTransitionEngine::Begin(std::unique_ptr<TGdiBitmap> picture, bool overDraw, TTransitionHooks hooks)
{
    const int32_t W = picture->Width();
    const int32_t H = picture->Height();
    auto start = std::make_unique<TGdiBitmap>(W, H);
    std::lock_guard lock(m_frameLock);
    const bool fromBackground = !(overDraw && !m_screen->Empty() && m_screen->Width() == W && m_screen->Height() == H);
    if (!fromBackground) // starts from the frame on show, even a half-finished one
        BitBlt(start->DC(), 0, 0, W, H, m_screen->DC(), 0, 0, SRCCOPY);
    m_start = std::move(start);
    m_picture = std::move(picture);
    if (m_screen->Width() != W || m_screen->Height() != H)
        m_screen->SetSize(W, H);
    m_hooks = std::move(hooks);
    m_newFrame = false;
    ++m_transition;
    return fromBackground;
}

void TTransitionEngine::SetStartImage(TGdiBitmap& under, TColorRef fill)
{
    std::lock_guard lock(m_frameLock);
    if (!m_start)
        return;
    if (under.Empty()) {
        m_start->Fill(fill);
        return;
    }
    SetStretchBltMode(m_start->DC(), COLORONCOLOR);
    StretchBlt(m_start->DC(), 0, 0, m_start->Width(), m_start->Height(), under.DC(), 0, 0, under.Width(),
        under.Height(), SRCCOPY);
}

void TTransitionEngine::ShowStart(bool reverse)
{
    std::lock_guard lock(m_frameLock);
    if (m_start)
        BitBlt(m_screen->DC(), 0, 0, m_start->Width(), m_start->Height(), m_start->DC(), 0, 0, SRCCOPY);
    m_progress = reverse ? 100 : 0;
}

void TTransitionEngine::End()
{
    StopTimer();
    std::lock_guard lock(m_frameLock);
    m_picture.reset();
    m_start.reset();
    // The callables may hold what the application gave them; a finished transition lets go.
    m_hooks = {};
}

void TTransitionEngine::Clear()
{
    std::lock_guard lock(m_frameLock);
    m_screen->SetSize(0, 0);
}

bool TTransitionEngine::SetProgress(int32_t value)
{
    value = std::clamp(value, 0, 100);
    std::lock_guard lock(m_frameLock);
    if (!m_start || value == m_progress)
        return false;
    m_progress = static_cast<TPercent>(value);
    ComposeLocked(value);
    return true;
}

void TTransitionEngine::Recompose()
{
    std::lock_guard lock(m_frameLock);
    if (m_start)
        ComposeLocked(m_progress);
}

void TTransitionEngine::ComposeLocked(int32_t progress)
{
    ComposeFrame(m_style, *m_screen, *m_start, *m_picture, progress, &m_hooks.Frame);
}

void TTransitionEngine::Configure(const TTransitionSettings& settings)
{
    m_settings = settings;
    m_lastTick = TickCount();
}

bool TTransitionEngine::Advance(bool& changed)
{
    const uint32_t now = TickCount();
    const int32_t step = TransitionStep(m_settings.Step, now - m_lastTick, m_settings.Delay, m_settings.ExactTiming);
    m_lastTick = now;
    changed = SetProgress(NextProgress(m_progress, step, m_settings.Reverse));
    return m_settings.Reverse ? m_progress != 0 : m_progress != 100;
}

uint16_t TTransitionEngine::StartTimer()
{
    if (m_timerID != 0)
        return m_settings.Delay;
    TTimeCaps caps;
    const bool capsRead = m_hooks.TimerCaps ? m_hooks.TimerCaps(caps) : timeGetDevCaps(&caps) == TIMERR_NOERROR;
    if (!capsRead) {
        // Unreadable capabilities would leave the transition prepared for ever: take the
        // narrowest range every timer offers instead, so that it still runs.
        caps.wPeriodMin = 1;
        caps.wPeriodMax = 65535;
    }
    uint32_t period = std::min<uint32_t>(m_settings.Delay, caps.wPeriodMax);
    m_timerResolution = period / 10;
    if (m_timerResolution < caps.wPeriodMin) {
        m_timerResolution = caps.wPeriodMin;
        period = std::max(period, caps.wPeriodMin);
    }
    // Exact timing measures steps against the period in force.
    m_settings.Delay = static_cast<uint16_t>(std::min<uint32_t>(period, 65535));
    if (period == 0)
        return 0;
    m_ended = false;
    timeBeginPeriod(m_timerResolution);
    m_timerID = timeSetEvent(period, m_timerResolution, &TTransitionEngine::TimerCallback,
        reinterpret_cast<uintptr_t>(this), TIME_PERIODIC);
    if (m_timerID == 0)
        timeEndPeriod(m_timerResolution);
    return m_settings.Delay;
}

void TTransitionEngine::StopTimer()
{
    if (m_timerID == 0)
        return;
    // Waits for a callback that is running: afterwards no callback touches the engine.
    timeKillEvent(m_timerID);
    timeEndPeriod(m_timerResolution);
    m_timerID = 0;
}

void TTransitionEngine::TimerCallback(uint32_t, uintptr_t User)
{
    auto* engine = reinterpret_cast<TTransitionEngine*>(User);
    // The ticks after the end wait for the view to stop the timer.
    if (engine->m_ended)
        return;
    if (!engine->m_hooks.Post) {
        engine->m_ended = true;
        return;
    }
    bool more = false;
    bool changed = false;
    try {
        more = engine->Advance(changed);
    } catch (...) {
        // Nothing on this thread could handle a failing effect or frame handler; ending the
        // transition keeps the program alive and the view usable.
        more = false;
    }
    if (changed) {
        engine->m_newFrame = true;
        engine->m_hooks.Post(TTransitionMessage::ProgressChanged, engine->m_transition);
    }
    if (!more) {
        // The timer is stopped on the view's thread, which waits for this callback to return:
        // one that killed itself here could still be running while the view starts the next.
        engine->m_ended = true;
        engine->m_hooks.Post(TTransitionMessage::TransitionCompleted, engine->m_transition);
    }
}

uint32_t TTransitionEngine::TickCount() const { return m_hooks.TickCount ? m_hooks.TickCount() : GetTickCount(); }
