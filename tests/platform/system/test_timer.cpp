// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <gtest/gtest.h>

namespace {

TEST(Timer, RunsOnlyWhenEnabledWithAnIntervalAndAHandler)
{
    const struct {
        bool Enabled;
        int Interval;
        bool Handler;
        bool Running;
    } cases[] = {
        { true, 4000, true, true },
        { false, 4000, true, false },
        { true, 0, true, false },
        { true, 4000, false, false },
        { true, -5, true, false },
    };
    for (const auto& c : cases) {
        TTimer timer;
        timer.SetEnabled(c.Enabled);
        timer.SetInterval(c.Interval);
        timer.SetOnTimer(c.Handler ? std::function<void()>([] {}) : std::function<void()>());
        EXPECT_EQ(timer.Running(), c.Running)
            << "enabled " << c.Enabled << ", interval " << c.Interval << ", handler " << c.Handler;
    }
}

TEST(Timer, StartsEnabledWithOneSecondAndStopsWhenDisabled)
{
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_FALSE(timer.Running()) << "no handler yet";
    timer.SetOnTimer([] {});
    EXPECT_TRUE(timer.Running());
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
}

// The idle handler enables the timer after every event. If enabling a running timer restarted
// its period, a busy event loop would keep it from ever firing.
TEST(Timer, EnablingARunningTimerDoesNotRestartItsPeriod)
{
    TTimer timer;
    timer.SetEnabled(false);
    timer.SetInterval(100);
    int fired = 0;
    QEventLoop loop;
    timer.SetOnTimer([&] {
        ++fired;
        loop.quit();
    });
    timer.SetEnabled(true);

    // Enables it again and again, far more often than its period.
    QTimer idle;
    QObject::connect(&idle, &QTimer::timeout, [&] { timer.SetEnabled(true); });
    idle.start(5);
    // A generous bound that only a starved timer reaches.
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(fired, 1) << "the timer never fired while being enabled repeatedly";
}

} // namespace
