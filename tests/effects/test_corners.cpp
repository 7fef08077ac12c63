// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 35 … 57 (corners, appear and contract, centre, quarters). Every frame is checked pixel
// by pixel against the designs of the linear effects run along both axes at once (or, for the
// frame and the pinwheel, against their own rules), and the start and the end, odd sizes
// included, against plain statements of what they must show.
#include "linerules.h"

#include <cstdlib>
#include <vector>

using namespace effecttest;

namespace {

// The effects that run one of the designs along each axis at once: the pixel shows the picture
// pixel at the two lines the designs name, or keeps the start image when either names none.
struct TBothWays {
    int32_t Style;
    TDesign Across, Down;
};
const TBothWays BothWays[] = {
    { 35, ExpandFromFarEnd, ExpandFromFarEnd },
    { 36, ExpandFromFarEnd, ExpandFromNearEnd },
    { 37, ExpandFromNearEnd, ExpandFromNearEnd },
    { 38, ExpandFromNearEnd, ExpandFromFarEnd },
    { 39, SlideInFromFarEnd, SlideInFromFarEnd },
    { 40, SlideInFromFarEnd, SlideInFromNearEnd },
    { 41, SlideInFromNearEnd, SlideInFromNearEnd },
    { 42, SlideInFromNearEnd, SlideInFromFarEnd },
    { 43, RevealFromNearEnd, RevealFromNearEnd },
    { 44, RevealFromNearEnd, RevealFromFarEnd },
    { 45, RevealFromFarEnd, RevealFromFarEnd },
    { 46, RevealFromFarEnd, RevealFromNearEnd },
    { 47, ExpandInFromFarEnd, ExpandInFromFarEnd },
    { 48, ExpandInFromFarEnd, ExpandInFromNearEnd },
    { 49, ExpandInFromNearEnd, ExpandInFromNearEnd },
    { 50, ExpandInFromNearEnd, ExpandInFromFarEnd },
    { 51, ExpandInToMiddle, ExpandInToMiddle },
    { 52, ExpandOutFromMiddle, ExpandOutFromMiddle },
    { 53, RevealOutFromMiddle, RevealOutFromMiddle },
    { 55, RevealInFromBothEnds, RevealInFromBothEnds },
    { 56, ExpandInFromBothEnds, ExpandInFromBothEnds },
};

uint32_t BothWaysPixel(const TFrame& f, const TBothWays& e, int32_t X, int32_t Y, int32_t x, int32_t y)
{
    const TLine column = Designs[e.Across](x, f.W, X, 0, false);
    const TLine row = Designs[e.Down](y, f.H, Y, 0, true);
    const bool inside = column.Source >= 0 && column.Source < f.W && row.Source >= 0 && row.Source < f.H;
    return inside ? f.PictureAt(column.Source, row.Source) : f.StartAt(x, y);
}

// 54: the picture in place around a hole of (W − X div 2·2) x (H − Y div 2·2) about the centre.
uint32_t FramePixel(const TFrame& f, int32_t X, int32_t Y, int32_t x, int32_t y)
{
    const bool inHole = x >= X / 2 && x < f.W - X / 2 && y >= Y / 2 && y < f.H - Y / 2;
    return inHole ? f.StartAt(x, y) : f.PictureAt(x, y);
}

// 57, the pinwheel: quarters of (W div 2) x (H div 2) slide in, the top left one from the left,
// the top right from the top, the bottom right from the right and the bottom left from the
// bottom, X div 2 (Y div 2) of each showing; where they overlap the one named later lies on top.
uint32_t PinwheelPixel(const TFrame& f, int32_t X, int32_t Y, int32_t x, int32_t y)
{
    const int32_t hw = f.W / 2, hh = f.H / 2, hx = X / 2, hy = Y / 2;
    struct TQuarter {
        int32_t Left, Top, SourceLeft, SourceTop; // where it lies now, and where it comes from
    };
    const TQuarter quarters[] = { { hx - hw, 0, 0, 0 }, { hw, hy - hh, hw, 0 }, { f.W - hx, hh, hw, hh },
        { 0, f.H - hy, 0, hh } };
    for (int i = 3; i >= 0; --i) {
        const TQuarter& q = quarters[i];
        if (x >= q.Left && x < q.Left + hw && y >= q.Top && y < q.Top + hh)
            return f.PictureAt(q.SourceLeft + x - q.Left, q.SourceTop + y - q.Top);
    }
    return f.StartAt(x, y);
}

// Odd sizes find the div 2 quirks, the tall one the other way of computing the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

TEST(CornerEffects, EveryEffectPixelByPixelThroughTheTransition)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t progress = 0; progress <= 100; ++progress) {
            const TPoint ext = ExtentsRef(size.W, size.H, progress);
            const auto trace = [&](int32_t style) {
                return ::testing::Message() << "effect " << style << ", " << size.W << "x" << size.H
                                            << ", X=" << ext.X << ", Y=" << ext.Y;
            };
            for (const TBothWays& e : BothWays) {
                f.Run(e.Style, ext.X, ext.Y, progress);
                EXPECT_TRUE(FrameMatches(
                    f.Screen, [&](int32_t x, int32_t y) { return BothWaysPixel(f, e, ext.X, ext.Y, x, y); }))
                    << trace(e.Style);
            }
            f.Run(54, ext.X, ext.Y, progress);
            EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return FramePixel(f, ext.X, ext.Y, x, y); }))
                << trace(54);
            f.Run(57, ext.X, ext.Y, progress);
            EXPECT_TRUE(
                FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return PinwheelPixel(f, ext.X, ext.Y, x, y); }))
                << trace(57);
        }
    }
}

// Zero sizes, zero-size sources and positions wholly off the screen: nothing is drawn, and
// effect 54 excludes the whole screen.
TEST(CornerEffects, NothingIsDrawnAtTheStart)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t style = 35; style <= 57; ++style) {
            SCOPED_TRACE(
                ::testing::Message() << "effect " << style << ", " << size.W << "x" << size.H);
            f.Run(style, 0, 0);
            EXPECT_TRUE(
                FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.StartAt(x, y); }));
        }
    }
}

// At the end effects 35 … 54 show the whole picture in place (54 only for even sizes: for odd
// ones its excluded rectangle keeps the centre pixel). The quarters are W div 2 x H div 2, so on
// 37 x 23 column 18 and row 11 are never drawn where they belong, and a quarter placed from the
// right or bottom edge lands one pixel right of or below its source.
TEST(CornerEffects, TheWholePictureAtTheEndButTheQuartersOfOddSizes)
{
    using TRule = std::function<uint32_t(const TFrame&, int32_t, int32_t)>;
    struct TCase {
        int32_t Style, W, H;
        TRule Rule;
    };
    const TRule whole = [](const TFrame& f, int32_t x, int32_t y) { return f.PictureAt(x, y); };
    std::vector<TCase> cases;
    for (int32_t style = 35; style <= 57; ++style)
        cases.push_back({ style, 40, 30, whole });
    for (int32_t style = 35; style <= 53; ++style)
        cases.push_back({ style, 37, 23, whole });
    cases.push_back({ 54, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return x == 18 && y == 11 ? f.StartAt(x, y) : f.PictureAt(x, y);
                     } });
    cases.push_back({ 55, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return x == 18 || y == 11 ? f.StartAt(x, y) : f.PictureAt(x, y);
                     } });
    cases.push_back({ 56, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         return x == 18 || y == 11
                             ? f.StartAt(x, y)
                             : f.PictureAt(x < 18 ? x : x - 1, y < 11 ? y : y - 1);
                     } });
    // The pinwheel: the top quarters in place, the bottom right one column right, the bottom left
    // one row down.
    cases.push_back({ 57, 37, 23, [](const TFrame& f, int32_t x, int32_t y) {
                         if (y < 11)
                             return x < 36 ? f.PictureAt(x, y) : f.StartAt(x, y);
                         if (x >= 19 && y < 22)
                             return f.PictureAt(x - 1, y);
                         if (x < 18 && y >= 12)
                             return f.PictureAt(x, y - 1);
                         return f.StartAt(x, y);
                     } });

    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "effect " << c.Style << ", " << c.W << "x" << c.H);
        TFrame f(c.W, c.H);
        f.Run(c.Style, c.W, c.H);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return c.Rule(f, x, y); }));
    }
}

// Halfway on 40 x 30 (X = 20, Y = 15), said plainly: the quarter effects have each corner at
// 10 x 7, and 54 shows a frame of 10 columns and 7 rows around the untouched centre.
TEST(CornerEffects, QuartersAndFrameHalfway)
{
    TFrame f(40, 30);
    const auto inCorner
        = [](int32_t x, int32_t y) { return (x < 10 || x >= 30) && (y < 7 || y >= 23); };
    f.Run(55, 20, 15);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        return inCorner(x, y) ? f.PictureAt(x, y) : f.StartAt(x, y);
    }));
    f.Run(56, 20, 15);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        if (!inCorner(x, y))
            return f.StartAt(x, y);
        // Each 20 x 15 quarter squeezed into its 10 x 7 corner: every second column, and the rows
        // 15 · (2j + 1) / 14 from the quarter's top.
        const int32_t i = x < 10 ? x : x - 30, j = y < 7 ? y : y - 23;
        return f.PictureAt(
            (x < 10 ? 0 : 20) + 2 * i + 1, (y < 7 ? 0 : 15) + (15 * (2 * j + 1)) / 14);
    }));
    f.Run(54, 20, 15);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        return x >= 10 && x < 30 && y >= 7 && y < 23 ? f.StartAt(x, y) : f.PictureAt(x, y);
    }));
}

} // namespace
