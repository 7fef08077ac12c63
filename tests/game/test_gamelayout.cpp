// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/formmain.h"
#include "game/gamelayout.h"
#include "game/gamerandom.h"

#include <gtest/gtest.h>

namespace {

TEST(GameLayout, BandColumnAndDescriptionFollowTheScreenHeight)
{
    const struct {
        int32_t ScreenHeight;
        int32_t Band, Column, DescTop;
    } cases[] = {
        { 1024, 204, 408, 52 }, // 1024 / 5 = 204.8: the band is cut, not rounded
        { 768, 153, 306, 26 }, // (153 - 100) / 2 = 26.5: cut as well
        { 1080, 216, 432, 58 },
        { 600, 120, 240, 10 },
        { 500, 100, 200, 0 },
        { 245, 49, 98, -25 }, // a band lower than the description: toward zero, not -26
        { 4, 0, 0, -50 },
    };
    for (const auto& c : cases) {
        const TGameLayout layout = ComputeGameLayout(c.ScreenHeight);
        EXPECT_EQ(layout.BandHeight, c.Band) << c.ScreenHeight;
        EXPECT_EQ(layout.ColumnWidth, c.Column) << c.ScreenHeight;
        EXPECT_EQ(layout.DescTop, c.DescTop) << c.ScreenHeight;
        EXPECT_EQ(layout.DescLeft, 50);
        EXPECT_EQ(layout.DescHeight, 100);
    }
}

TEST(ExitChord, IsQWithCtrlAndAltWhateverShiftSays)
{
    const struct {
        uint16_t Key;
        TShiftState Shift;
        bool Exits;
    } cases[] = {
        { 0x51, ssCtrl | ssAlt, true }, { 0x51, ssCtrl | ssAlt | ssShift, true },
        { 0x51, ssCtrl | ssAlt | ssLeft, true }, { 0x51, ssCtrl, false }, { 0x51, ssAlt, false },
        { 0x51, ssCtrl | ssShift, false }, { 0x51, 0, false },
        { 0x57, ssCtrl | ssAlt, false }, // W, its neighbour
        { 0x71, ssCtrl | ssAlt, false }, // F2, whose code is a lower-case q
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExitChord(c.Key, c.Shift), c.Exits)
            << "key " << c.Key << ", shift " << int(c.Shift);
}

TEST(GameRandom, DrawsThirtyOneBitsOfALinearCongruence)
{
    // Worked out independently with 64-bit integers: S := S * 22695477 + 1, draw bits 32 … 62.
    const struct {
        uint32_t Seed;
        uint64_t SeededState;
        uint32_t Draws[4];
    } cases[] = {
        { 0, 0x1, { 0, 119927, 950081144, 759785117 } },
        { 1, 0x15a4e36, { 119927, 950081144, 759785117, 1840109577 } },
        { 1765000000, 0x71b4ec41, { 10080579, 1400590929, 500338109, 1715437155 } },
    };
    for (const auto& c : cases) {
        TGameRandom random;
        random.Seed(c.Seed);
        EXPECT_EQ(random.State(), c.SeededState) << c.Seed;
        for (uint32_t expected : c.Draws)
            EXPECT_EQ(random.Draw(), expected) << c.Seed;
    }
}

TEST(GameRandom, ReseedingStartsTheSequenceAgain)
{
    TGameRandom random;
    random.Seed(7);
    const uint32_t first = random.Draw();
    for (int i = 0; i < 10; ++i)
        random.Draw();
    random.Seed(7);
    EXPECT_EQ(random.Draw(), first);
}

} // namespace
