// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/mmtimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr uint32_t PeriodMin = 1;
constexpr uint32_t PeriodMax = 1000000;

using Clock = std::chrono::steady_clock;

struct TTimerEntry {
    std::mutex Mutex;
    std::condition_variable Wake;
    bool Stop = false;
    std::thread Thread;
};

std::mutex g_registryMutex;
std::map<uint32_t, std::shared_ptr<TTimerEntry>> g_timers;
uint32_t g_lastID = 0;

void RunTimer(std::shared_ptr<TTimerEntry> entry, uint32_t id, uint32_t delay, TTimeCallback callback,
    uintptr_t user, bool periodic)
{
    const auto period = std::chrono::milliseconds(delay);
    auto deadline = Clock::now() + period;
    std::unique_lock lock(entry->Mutex);
    while (!entry->Stop) {
        if (entry->Wake.wait_until(lock, deadline, [&] { return entry->Stop; }))
            break;
        lock.unlock();
        callback(id, user);
        lock.lock();
        if (!periodic)
            break;
        deadline += period;
        // A callback that overran its period does not trigger a burst of catch-up calls.
        const auto now = Clock::now();
        if (deadline < now)
            deadline = now;
    }
}

} // namespace

uint32_t timeGetDevCaps(TTimeCaps* caps)
{
    if (!caps)
        return TIMERR_NOCANDO;
    caps->wPeriodMin = PeriodMin;
    caps->wPeriodMax = PeriodMax;
    return TIMERR_NOERROR;
}

uint32_t timeBeginPeriod(uint32_t period)
{
    return period >= PeriodMin && period <= PeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

uint32_t timeEndPeriod(uint32_t period) { return timeBeginPeriod(period); }

uint32_t timeSetEvent(uint32_t delay, uint32_t, TTimeCallback callback, uintptr_t user, uint32_t flags)
{
    if (!callback || delay < PeriodMin || delay > PeriodMax)
        return 0;
    auto entry = std::make_shared<TTimerEntry>();
    std::lock_guard registry(g_registryMutex);
    do
        ++g_lastID;
    while (g_lastID == 0 || g_timers.count(g_lastID));
    const uint32_t id = g_lastID;
    // The entry's mutex is held until the thread object is stored, so that the new thread
    // cannot be killed (and joined) before it is fully set up.
    std::lock_guard setup(entry->Mutex);
    entry->Thread = std::thread(RunTimer, entry, id, delay, callback, user, (flags & TIME_PERIODIC) != 0);
    g_timers.emplace(id, entry);
    return id;
}

uint32_t timeKillEvent(uint32_t timerID)
{
    std::shared_ptr<TTimerEntry> entry;
    {
        std::lock_guard registry(g_registryMutex);
        auto it = g_timers.find(timerID);
        if (it == g_timers.end())
            return MMSYSERR_INVALPARAM;
        entry = std::move(it->second);
        g_timers.erase(it);
    }
    std::thread thread;
    {
        std::lock_guard lock(entry->Mutex);
        entry->Stop = true;
        thread = std::move(entry->Thread);
    }
    entry->Wake.notify_all();
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach(); // the callback kills its own timer: its loop ends when it returns
    else if (thread.joinable())
        thread.join();
    return TIMERR_NOERROR;
}

uint32_t GetTickCount()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}
