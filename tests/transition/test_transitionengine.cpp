// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The engine alone, without a widget: what it composes, what it posts, and that it stops.
#include "transition/transitionengine.h"

#include "lib/waituntil.h"
#include "platform/system/mmtimer.h"

#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr TColorRef Red = RGB(255, 0, 0);
constexpr TColorRef Blue = RGB(0, 0, 255);

std::unique_ptr<TGdiBitmap> Solid(int32_t w, int32_t h, TColorRef colour)
{
    auto bitmap = std::make_unique<TGdiBitmap>(w, h);
    bitmap->Fill(colour);
    return bitmap;
}

// What the engine posted, from whichever thread.
struct TPosted {
    std::mutex Lock;
    std::vector<std::pair<TTransitionMessage, uint32_t>> Messages;
    void Add(TTransitionMessage message, uint32_t transition)
    {
        std::lock_guard guard(Lock);
        Messages.emplace_back(message, transition);
    }
    std::vector<std::pair<TTransitionMessage, uint32_t>> Snapshot()
    {
        std::lock_guard guard(Lock);
        return Messages;
    }
};

} // namespace

TEST(TransitionEngine, ComposesThroughTheFrameHooksAndKeepsTheLastFrame)
{
    TTransitionEngine engine;
    engine.SetStyle(0);
    std::vector<std::string> calls;
    TTransitionHooks hooks;
    auto record = [&calls](const char* name) {
        return [&calls, name](TGdiBitmap&, TGdiBitmap&) { calls.push_back(name); };
    };
    hooks.Frame = { record("Before"), record("Custom"), record("After") };
    EXPECT_FALSE(engine.SetProgress(50)) << "nothing is prepared";

    EXPECT_TRUE(engine.Begin(Solid(6, 4, Red), true, hooks)) << "no frame on show: the start is the background";
    TGdiBitmap background(3, 2);
    background.Fill(Blue);
    engine.SetStartImage(background, 0);
    engine.ShowStart(false);
    EXPECT_EQ(engine.Screen().Pixel(5, 3), PixelFromColorRef(Blue));
    EXPECT_TRUE(calls.empty()) << "the start image is shown without composing";

    EXPECT_TRUE(engine.SetProgress(50));
    EXPECT_FALSE(engine.SetProgress(50)) << "an unchanged value composes nothing";
    EXPECT_TRUE(engine.SetProgress(150));
    EXPECT_EQ(engine.Progress(), 100);
    EXPECT_EQ(calls, (std::vector<std::string> { "Before", "Custom", "After", "Before", "After" }));
    EXPECT_EQ(engine.Screen().Pixel(0, 0), PixelFromColorRef(Red));

    engine.End();
    EXPECT_FALSE(engine.Prepared());
    EXPECT_EQ(engine.Screen().Pixel(0, 0), PixelFromColorRef(Red));
    // Same size with overdraw: the next transition starts from the frame on show.
    EXPECT_FALSE(engine.Begin(Solid(6, 4, Blue), true, {}));
    EXPECT_EQ(engine.Start().Pixel(3, 2), PixelFromColorRef(Red));
    engine.End();
}

TEST(TransitionEngine, TheTimerPostsOneTaggedMessagePerFrameThenTheEndOnce)
{
    TTransitionEngine engine;
    engine.SetStyle(5);
    TPosted posted;
    TTransitionHooks hooks;
    hooks.Post = [&posted](TTransitionMessage message, uint32_t transition) { posted.Add(message, transition); };
    engine.Begin(Solid(8, 8, Red), true, hooks);
    engine.ShowStart(false);
    engine.Configure({ 40, 1, false, false });
    EXPECT_EQ(engine.StartTimer(), 1);
    const uint32_t tag = engine.Transition();
    ASSERT_TRUE(WaitUntil([&] { return posted.Snapshot().size() >= 4; })) << "the timer never reached the end";
    // Ticks after the end post nothing more, however long the timer is left running.
    ASSERT_FALSE(WaitUntil([&] { return posted.Snapshot().size() > 4; }, 100));
    engine.StopTimer();
    using M = TTransitionMessage;
    EXPECT_EQ(posted.Snapshot(),
        (std::vector<std::pair<M, uint32_t>> {
            { M::ProgressChanged, tag }, { M::ProgressChanged, tag }, { M::ProgressChanged, tag },
            { M::TransitionCompleted, tag } })); // 40, 80, 100
    EXPECT_TRUE(engine.TakeNewFrame());
    EXPECT_FALSE(engine.TakeNewFrame()) << "one composed frame is shown once";
    EXPECT_EQ(engine.Screen().Pixel(7, 7), PixelFromColorRef(Red));
    engine.End();
}

TEST(TransitionEngine, DelayIsKeptWithinTheTimersRange)
{
    struct Case {
        uint16_t Delay;
        uint32_t Min, Max;
        bool Readable;
        uint16_t Period;
    };
    const Case cases[] = {
        { 0, 1, 1000, true, 1 }, // below the smallest period: the smallest
        { 30, 1, 1000, true, 30 },
        { 500, 1, 200, true, 200 }, // above the largest: the largest
        { 7, 10, 1000, true, 10 },
        { 0, 0, 0, false, 1 }, // unreadable capabilities: the narrowest range any timer has
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Delay);
        TTransitionEngine engine;
        TTransitionHooks hooks;
        hooks.Post = [](TTransitionMessage, uint32_t) {};
        hooks.TimerCaps = [c](TTimeCaps& caps) {
            caps.wPeriodMin = c.Min;
            caps.wPeriodMax = c.Max;
            return c.Readable;
        };
        engine.Begin(Solid(4, 4, Red), true, hooks);
        engine.Configure({ 1, c.Delay, false, false });
        EXPECT_EQ(engine.StartTimer(), c.Period);
        EXPECT_TRUE(engine.TimerRunning());
        engine.End();
        EXPECT_FALSE(engine.TimerRunning());
    }
}

TEST(TransitionEngine, DestroyingItMidTransitionJoinsTheTimer)
{
    std::atomic<int> frames { 0 };
    std::atomic<bool> running { true };
    {
        TTransitionEngine engine;
        TTransitionHooks hooks;
        hooks.Post = [](TTransitionMessage, uint32_t) {};
        hooks.Frame.AfterNewFrame = [&](TGdiBitmap&, TGdiBitmap&) {
            EXPECT_TRUE(running.load()) << "a frame was composed after the engine was gone";
            ++frames;
        };
        engine.Begin(Solid(16, 16, Red), true, hooks);
        engine.Configure({ 1, 1, false, false });
        engine.StartTimer();
        ASSERT_TRUE(WaitUntil([&] { return frames.load() >= 3; })) << "the timer composed no frames";
    }
    running = false;
    const int seen = frames.load();
    WaitUntil([] { return false; }, 50);
    EXPECT_EQ(frames.load(), seen);
}
