// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Bars and criss-cross reveals, checked over every pixel against the band arithmetic as it shows
// on screen: which bands are full, which partly revealed and from which side.
#include "effectrules.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace effecttest;

// Odd sizes with one-pixel bands, the wide picture whose bands are 3 thick, and a tall one.
const TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 200, 100 }, { 157, 103 }, { 61, 173 } };

enum class TSide { Near, Far }; // near: left / top; far: right / bottom

bool FromSide(int32_t along, int32_t length, int32_t covered, TSide side)
{
    return side == TSide::Near ? along < covered : along >= length - covered;
}

// Whether bands of one direction cover a pixel. `along` runs along the band (x for horizontal
// bands) over `length`; `across` picks the band. Kinds as they show: 1 all from the far side,
// 2 all from the near side, 4 even bands near then odd bands far, 5 even far then odd near —
// even bands over the first `length` of the extent, odd ones over the second; 3 even from the
// far side and odd from the near side at once.
bool InBands(
    int32_t along, int32_t across, int32_t length, int32_t thickness, int32_t extent, int32_t kind)
{
    const bool even = (across / thickness) % 2 == 0;
    switch (kind) {
    case 0:
        return false;
    case 3:
        return FromSide(along, length, extent, even ? TSide::Far : TSide::Near);
    default: {
        const TSide evenSide = kind == 1 || kind == 5 ? TSide::Far : TSide::Near;
        const TSide oddSide = kind == 1 || kind == 4 ? TSide::Far : TSide::Near;
        if (even)
            return FromSide(along, length, std::min(extent, length), evenSide);
        return FromSide(along, length, std::max(extent - length, 0), oddSide);
    }
    }
}

struct TBarsEffect {
    int32_t Style;
    int32_t HKind, VKind;
    // The extents are multiplied by this: 2 where a kind fills its bands in two halves.
    int32_t Pace;
};

// clang-format off
const TBarsEffect BarsEffects[] = {
    { 60, 1, 0, 2 }, { 61, 2, 0, 2 }, { 62, 4, 0, 2 }, { 63, 5, 0, 2 }, { 64, 3, 0, 1 },
    { 71, 0, 1, 2 }, { 72, 0, 2, 2 }, { 73, 0, 4, 2 }, { 74, 0, 5, 2 }, { 75, 0, 3, 1 },
    { 86, 1, 1, 2 }, { 87, 1, 2, 2 }, { 88, 2, 1, 2 }, { 89, 2, 2, 2 }, { 90, 4, 4, 2 },
    { 91, 4, 5, 2 }, { 92, 5, 4, 2 }, { 93, 5, 5, 2 }, { 94, 1, 3, 1 }, { 95, 2, 3, 1 },
    { 96, 3, 1, 1 }, { 97, 3, 2, 1 }, { 98, 3, 3, 1 },
};
// clang-format on

int32_t Thickness(int32_t W, int32_t H) { return std::min(W, H) / 50 + 1; }

bool InCrissCross(int32_t x, int32_t y, int32_t W, int32_t H, int32_t XP, int32_t YP, int32_t HKind,
    int32_t VKind)
{
    const int32_t B = Thickness(W, H);
    return InBands(x, y, W, B, XP, HKind) || InBands(y, x, H, B, YP, VKind);
}

// What a pixel shows, by style.
bool Revealed(int32_t style, int32_t x, int32_t y, int32_t W, int32_t H, int32_t X, int32_t Y)
{
    if (style == 99) // where the criss-cross from the bottom right meets the one from the top left
        return InCrissCross(x, y, W, H, 2 * X, 2 * Y, 1, 1)
            && InCrissCross(x, y, W, H, 2 * X, 2 * Y, 2, 2);
    const auto& e = *std::find_if(std::begin(BarsEffects), std::end(BarsEffects),
        [&](const TBarsEffect& b) { return b.Style == style; });
    return InCrissCross(x, y, W, H, e.Pace * X, e.Pace * Y, e.HKind, e.VKind);
}

::testing::AssertionResult ShowsBars(const TFrame& frame, int32_t style, int32_t X, int32_t Y)
{
    return ShowsPictureWhere(
        frame, [&](int32_t x, int32_t y) { return Revealed(style, x, y, frame.W, frame.H, X, Y); });
}

std::vector<int32_t> AllStyles()
{
    std::vector<int32_t> styles;
    for (const auto& e : BarsEffects)
        styles.push_back(e.Style);
    styles.push_back(99);
    return styles;
}

TEST(BarsEffects, FollowTheBandsThroughTheWholeTransition)
{
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const int32_t style : AllStyles())
            for (const int32_t progress : { 0, 1, 10, 25, 37, 50, 63, 75, 90, 99, 100 }) {
                const TPoint e = ExtentsRef(size.W, size.H, progress);
                frame.Run(style, e.X, e.Y);
                EXPECT_TRUE(ShowsBars(frame, style, e.X, e.Y))
                    << "effect " << style << " on " << size.W << "x" << size.H << " at X=" << e.X
                    << " Y=" << e.Y;
            }
    }
}

// The two ends do not depend on the band arithmetic: nothing at no extent, everything at full
// extent (effect 99 included: both of its regions are full, so is their intersection).
TEST(BarsEffects, ShowNothingAtZeroExtentAndEverythingAtFullExtent)
{
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const int32_t style : AllStyles()) {
            frame.Run(style, 0, 0);
            EXPECT_TRUE(ShowsStart(frame))
                << "effect " << style << " on " << size.W << "x" << size.H;
            frame.Run(style, size.W, size.H);
            EXPECT_TRUE(ShowsPicture(frame))
                << "effect " << style << " on " << size.W << "x" << size.H;
        }
    }
}

// 200 x 100: bands 3 rows thick. Half way the even bands (rows 0-2, 6-8, …) are complete and the
// odd ones untouched; at three quarters the odd bands show their right half.
TEST(BarsEffects, BarsInFromRightOnAWidePicture)
{
    TFrame frame(200, 100);
    frame.Run(60, 100, 50);
    EXPECT_TRUE(ShowsPictureWhere(frame, [](int32_t, int32_t y) { return (y / 3) % 2 == 0; }));
    frame.Run(60, 150, 75);
    EXPECT_TRUE(ShowsPictureWhere(
        frame, [](int32_t x, int32_t y) { return (y / 3) % 2 == 0 || x >= 100; }));
}

// Through the engine's frame composition, which works out the extents and calls the effect.
TEST(BarsEffects, ComposedFrames)
{
    const TSize size { 37, 23 };
    TFrame frame(size.W, size.H);
    for (const int32_t style : AllStyles()) {
        ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, 50));
        const TPoint e = ExtentsRef(size.W, size.H, 50);
        EXPECT_TRUE(ShowsBars(frame, style, e.X, e.Y)) << "effect " << style;
    }
}

} // namespace
