// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/retrypacer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// One event at a moment (ms from the start): the inhibition turned on, or off with the pause
// the pacer must answer.
struct TEvent {
    bool On;
    int AtMs;
    int PauseMs = 0;
};

struct TCase {
    const char* Name;
    std::vector<TEvent> Events;
};

class RetryPacer : public testing::TestWithParam<TCase> { };

TEST_P(RetryPacer, AnswersThePauseBeforeAskingAgain)
{
    TRetryPacer pacer;
    const TRetryPacer::Clock::time_point start {};
    for (size_t i = 0; i < GetParam().Events.size(); ++i) {
        const TEvent& event = GetParam().Events[i];
        const auto now = start + std::chrono::milliseconds(event.AtMs);
        if (event.On)
            pacer.Active(now);
        else
            EXPECT_EQ(pacer.Inactive(now).count(), event.PauseMs) << "event " << i << " at " << event.AtMs << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RetryPacer,
    testing::Values(
        // A parent's or a child's way out closes again at once.
        TCase { "FirstTurnOffAtOnce", { { true, 0 }, { false, 5000, 0 } } },
        // A compositor that refuses every time is asked ever more slowly, never more than
        // every 30 s.
        TCase { "RefusalsDoubleThePause",
            { { false, 0, 0 }, { false, 10, 250 }, { false, 300, 500 }, { false, 900, 1000 },
                { false, 2000, 2000 }, { false, 4100, 4000 }, { false, 8200, 8000 },
                { false, 16300, 16000 }, { false, 32400, 30000 }, { false, 62500, 30000 } } },
        // On and straight off again is a refusal too.
        TCase { "ShortInhibitionsCountAsRefusals",
            { { true, 0 }, { false, 100, 0 }, { true, 150 }, { false, 200, 250 }, { true, 500 },
                { false, 600, 500 } } },
        // An inhibition that held for 10 s starts afresh; one just short of it does not.
        TCase { "HeldInhibitionStartsAfresh",
            { { false, 0, 0 }, { false, 10, 250 }, { true, 300 }, { false, 10299, 500 },
                { true, 11000 }, { false, 21000, 0 }, { false, 21010, 250 } } }),
    [](const testing::TestParamInfo<TCase>& Info) { return Info.param.Name; });

} // namespace
