// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The multimedia timer: periodic callbacks on a thread of their own, paced by steady-clock
// deadlines, so that frame pacing does not depend on the user-interface thread's traffic.
// Unlike the platform it stands in for, killing a timer waits for a callback that is running
// (unless the callback kills its own timer): after timeKillEvent returns, no callback runs.
#pragma once

#include <cstdint>

struct TTimeCaps {
    uint32_t wPeriodMin = 0;
    uint32_t wPeriodMax = 0;
};

enum : uint32_t { TIMERR_NOERROR = 0, MMSYSERR_INVALPARAM = 11, TIMERR_NOCANDO = 97 };
enum : uint32_t { TIME_ONESHOT = 0, TIME_PERIODIC = 1 };

// Called with the timer's id and the user value given to timeSetEvent.
using TTimeCallback = void (*)(uint32_t TimerID, uintptr_t User);

// The smallest and largest period this timer supports, in milliseconds.
uint32_t timeGetDevCaps(TTimeCaps* caps);
// Resolution requests: the steady clock is fine-grained already, so these only check the value.
uint32_t timeBeginPeriod(uint32_t period);
uint32_t timeEndPeriod(uint32_t period);
// Starts a timer that calls `callback` every `delay` ms (once for TIME_ONESHOT). Returns its id,
// never 0; 0 when delay is 0 or above the largest period, or callback is null.
uint32_t timeSetEvent(uint32_t delay, uint32_t resolution, TTimeCallback callback, uintptr_t user,
    uint32_t flags);
// Stops the timer; waits for a running callback unless called from that callback.
uint32_t timeKillEvent(uint32_t timerID);

// Milliseconds of a monotonic clock; wraps around after 49.7 days like the platform's.
uint32_t GetTickCount();
