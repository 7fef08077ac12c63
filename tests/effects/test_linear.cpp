// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 1 … 34 (expand, slide, reveal, unroll, build up along one axis). Every frame is checked
// pixel by pixel against a rule that says, for each line along the axis, which line of the picture
// it shows; and the start, the end and the roll widths against plain statements of what they
// must show.
#include "linerules.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace effecttest;

namespace {

// Effect `style` (1 … 34) pixel by pixel: 1 … 17 run their design across the width, 18 … 34 the
// same design down the height.
uint32_t Expected(const TFrame& f, int32_t style, int32_t X, int32_t Y, int32_t R, int32_t x, int32_t y)
{
    const bool down = style > 17;
    const TLineRule rule = Designs[(style - 1) % 17];
    const TLine line = down ? rule(y, f.H, Y, R, true) : rule(x, f.W, X, R, false);
    const bool inside = line.Source >= 0 && line.Source < (down ? f.H : f.W);
    uint32_t p = !inside ? f.StartAt(x, y) : down ? f.PictureAt(x, line.Source) : f.PictureAt(line.Source, y);
    return line.Shaded ? Shaded(p, line.Offset) : p;
}

// Odd sizes find the div 2 quirks, the tall one the other way of computing the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

TEST(LinearEffects, EveryEffectPixelByPixelThroughTheTransition)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t progress = 0; progress <= 100; ++progress) {
            const TPoint ext = ExtentsRef(size.W, size.H, progress);
            for (int32_t style = 1; style <= 34; ++style) {
                SCOPED_TRACE(::testing::Message() << "effect " << style << ", " << size.W << "x" << size.H
                                                  << ", X=" << ext.X << ", Y=" << ext.Y);
                const int32_t R = style > 17 ? Roll(size.H, ext.Y) : Roll(size.W, ext.X);
                f.Run(style, ext.X, ext.Y, progress);
                EXPECT_TRUE(FrameMatches(
                    f.Screen, [&](int32_t x, int32_t y) { return Expected(f, style, ext.X, ext.Y, R, x, y); }));
            }
        }
    }
}

TEST(LinearEffects, NothingIsDrawnAtTheStartButTheBuildUpStrip)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t style = 1; style <= 34; ++style) {
            if (style == 16 || style == 17 || style == 33 || style == 34)
                continue;
            SCOPED_TRACE(
                ::testing::Message() << "effect " << style << ", " << size.W << "x" << size.H);
            f.Run(style, 0, 0);
            EXPECT_TRUE(
                FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.StartAt(x, y); }));
        }
    }
}

// At the end everything is in place, except that two halves of W div 2 (H div 2) leave the middle
// column (row) of an odd size undrawn, and the stretched right (lower) half lands one further on.
TEST(LinearEffects, TheWholePictureAtTheEndButTheHalvesOfOddSizes)
{
    struct TCase {
        int32_t Style, W, H;
        std::function<uint32_t(const TFrame&, int32_t, int32_t)> Rule;
    };
    const auto whole = [](const TFrame& f, int32_t x, int32_t y) { return f.PictureAt(x, y); };
    std::vector<TCase> cases;
    for (int32_t style = 1; style <= 34; ++style) {
        cases.push_back({ style, 40, 30, whole });
        if (style != 12 && style != 13 && style != 29 && style != 30)
            cases.push_back({ style, 37, 23, whole });
    }
    cases.push_back({ 12, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return x == 18 ? f.StartAt(x, y) : f.PictureAt(x, y);
                     } });
    cases.push_back({ 13, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return x == 18 ? f.StartAt(x, y) : f.PictureAt(x < 18 ? x : x - 1, y);
                     } });
    cases.push_back({ 29, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return y == 11 ? f.StartAt(x, y) : f.PictureAt(x, y);
                     } });
    cases.push_back({ 30, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return y == 11 ? f.StartAt(x, y) : f.PictureAt(x, y < 11 ? y : y - 1);
                     } });

    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "effect " << c.Style << ", " << c.W << "x" << c.H);
        TFrame f(c.W, c.H);
        f.Run(c.Style, c.W, c.H);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return c.Rule(f, x, y); }));
    }
}

// The build-up effects smear the strip of a tenth next to the part in place over the rest: at the
// start over the whole picture, three columns before the end a three-column strip over itself.
TEST(LinearEffects, BuildUpStrip)
{
    struct TCase {
        int32_t Style, W, H, X, Y;
        TPoint (*Source)(int32_t x, int32_t y); // the picture pixel that (x, y) shows
    };
    const TCase cases[] = {
        { 16, 100, 7, 0, 0,
            [](int32_t x, int32_t y) {
                return TPoint { x / 10, y };
            } },
        { 17, 100, 7, 0, 0,
            [](int32_t x, int32_t y) {
                return TPoint { 90 + x / 10, y };
            } },
        { 33, 7, 100, 0, 0,
            [](int32_t x, int32_t y) {
                return TPoint { x, y / 10 };
            } },
        { 34, 7, 100, 0, 0,
            [](int32_t x, int32_t y) {
                return TPoint { x, 90 + y / 10 };
            } },
        { 16, 100, 7, 97, 7,
            [](int32_t x, int32_t y) {
                return TPoint { x, y };
            } },
        { 17, 100, 7, 97, 7,
            [](int32_t x, int32_t y) {
                return TPoint { x, y };
            } },
        { 33, 7, 100, 7, 97,
            [](int32_t x, int32_t y) {
                return TPoint { x, y };
            } },
        { 34, 7, 100, 7, 97,
            [](int32_t x, int32_t y) {
                return TPoint { x, y };
            } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(
            ::testing::Message() << "effect " << c.Style << " at X=" << c.X << ", Y=" << c.Y);
        TFrame f(c.W, c.H);
        f.Run(c.Style, c.X, c.Y);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
            const TPoint s = c.Source(x, y);
            return f.PictureAt(s.X, s.Y);
        }));
    }
}

// The roll on a side of 100: as wide as the extent at first, a tenth in the middle, half of what
// is left near the end, gone at the end. At 80 the roll is exactly half of what is left, so 15
// and 32 reach one column (row) off the picture for the back of the roll.
TEST(LinearEffects, RollWidths)
{
    struct TRoll {
        int32_t Extent, R;
    };
    const TRoll rolls[] = { { 5, 5 }, { 50, 10 }, { 80, 10 }, { 85, 7 }, { 100, 0 } };
    for (const int32_t style : { 14, 15, 31, 32 })
        for (const TRoll& roll : rolls) {
            SCOPED_TRACE(::testing::Message() << "effect " << style << " at " << roll.Extent);
            const bool down = style > 17;
            TFrame f(down ? 7 : 100, down ? 100 : 7);
            const int32_t X = down ? 7 : roll.Extent, Y = down ? roll.Extent : 7;
            f.Run(style, X, Y);
            EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return Expected(f, style, X, Y, roll.R, x, y); }));
        }
}

} // namespace
