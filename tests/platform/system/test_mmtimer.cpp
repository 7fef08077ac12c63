// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The multimedia timer's own rules: a callback may kill its own timer, killing waits for a
// running callback, and an overrun is not made up for by a burst of calls.
#include "platform/system/mmtimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The calls a timer made, and a bounded wait for their number to reach a count.
struct TCalls {
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<Clock::time_point> Times;
    uint32_t KillAt = 0; // the call that kills its own timer (0: none)
    uint32_t Id = 0;
    std::atomic<uint32_t> KillResult { ~0u };
    std::atomic<size_t> Finished { 0 }; // calls that have returned
    std::chrono::milliseconds OverrunAt1 { 0 }; // how long the first call takes

    static void Callback(uint32_t id, uintptr_t user)
    {
        auto* calls = reinterpret_cast<TCalls*>(user);
        size_t count;
        {
            std::lock_guard guard(calls->Lock);
            calls->Times.push_back(Clock::now());
            count = calls->Times.size();
        }
        if (count == 1 && calls->OverrunAt1.count() > 0)
            std::this_thread::sleep_for(calls->OverrunAt1);
        if (count == calls->KillAt)
            calls->KillResult = timeKillEvent(id);
        // Notified under the lock: a timer that killed itself runs on, detached, and the test
        // may end and free `calls` as soon as the lock is free again.
        std::lock_guard guard(calls->Lock);
        ++calls->Finished;
        calls->Changed.notify_all();
    }
    // Waits until `count` calls have returned.
    bool WaitFor(size_t count, std::chrono::milliseconds bound = std::chrono::seconds(10))
    {
        std::unique_lock guard(Lock);
        return Changed.wait_for(guard, bound, [&] { return Finished >= count; });
    }
    size_t Count()
    {
        std::lock_guard guard(Lock);
        return Times.size();
    }
};

} // namespace

TEST(MultimediaTimer, ACallbackMayKillItsOwnTimerAndNoCallFollows)
{
    TCalls calls;
    calls.KillAt = 3;
    const uint32_t id = timeSetEvent(1, 1, &TCalls::Callback, reinterpret_cast<uintptr_t>(&calls), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(calls.WaitFor(3)) << "the timer did not call three times";
    // Four more periods: a timer that outlived its own kill would have called again.
    EXPECT_FALSE(calls.WaitFor(4, std::chrono::milliseconds(20)));
    EXPECT_EQ(calls.KillResult, TIMERR_NOERROR);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM) << "the timer is gone already";
}

TEST(MultimediaTimer, KillingWaitsForTheRunningCallback)
{
    TCalls calls;
    calls.OverrunAt1 = std::chrono::milliseconds(50);
    const uint32_t id = timeSetEvent(1, 1, &TCalls::Callback, reinterpret_cast<uintptr_t>(&calls), TIME_PERIODIC);
    {
        std::unique_lock guard(calls.Lock);
        ASSERT_TRUE(calls.Changed.wait_for(guard, std::chrono::seconds(10), [&] { return !calls.Times.empty(); }))
            << "the timer never called";
    }
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR); // the first call is still sleeping
    const size_t after = calls.Count();
    EXPECT_EQ(calls.Finished.load(), after) << "the kill returned while a call was running";
    EXPECT_FALSE(calls.WaitFor(after + 1, std::chrono::milliseconds(20))) << "a call came after the kill";
}

TEST(MultimediaTimer, AnOverrunIsNotMadeUpForByABurst)
{
    TCalls calls;
    // The first call takes twenty periods.
    calls.OverrunAt1 = std::chrono::milliseconds(200);
    const uint32_t id = timeSetEvent(10, 1, &TCalls::Callback, reinterpret_cast<uintptr_t>(&calls), TIME_PERIODIC);
    ASSERT_TRUE(calls.WaitFor(7)) << "the timer stopped calling";
    timeKillEvent(id);
    std::lock_guard guard(calls.Lock);
    // After the overrun the timer calls at once, then keeps its period: a timer that made up
    // for the missed periods would call about twenty times without a pause. A busy machine may
    // delay one call past a period, which allows one more short gap.
    int shortGaps = 0;
    for (size_t i = 2; i < 7; ++i)
        shortGaps += calls.Times[i] - calls.Times[i - 1] < std::chrono::milliseconds(5) ? 1 : 0;
    EXPECT_LE(shortGaps, 2);
    EXPECT_EQ(timeSetEvent(0, 1, &TCalls::Callback, 0, TIME_PERIODIC), 0u) << "a zero period starts nothing";
}
