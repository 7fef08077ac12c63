// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 35 … 57 (corners, appear and contract, centre, quarters). Every frame is checked pixel
// by pixel against the effect's transfers painted here by their definitions, and the start and
// the end, odd sizes included, against plain statements of what they must show.
#include "effectrules.h"

#include <cstdlib>
#include <vector>

using namespace effecttest;

namespace {

// The whole picture except inside the rectangle (right and bottom edges outside).
void CopyAround(TExpected& e, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    for (int32_t y = 0; y < e.Frame().H; ++y)
        for (int32_t x = 0; x < e.Frame().W; ++x)
            if (x < left || x >= right || y < top || y >= bottom)
                e.Put(x, y, x, y);
}

struct TRow {
    int32_t Style;
    void (*Draw)(TExpected& e, int32_t W, int32_t H, int32_t X, int32_t Y);
};

// One row of the table: its transfers, in order. hw, hh, hx, hy are the quarter sizes.
#define ROW(style, ...)                                                                            \
    TRow                                                                                           \
    {                                                                                              \
        style, [](TExpected& e, int32_t W, int32_t H, int32_t X, int32_t Y) {                      \
            const int32_t hw = W / 2, hh = H / 2, hx = X / 2, hy = Y / 2;                          \
            (void)hw, (void)hh, (void)hx, (void)hy;                                                \
            __VA_ARGS__;                                                                           \
        }                                                                                          \
    }

const TRow Rows[] = {
    ROW(35, e.Stretch(W - X, H - Y, X, Y, 0, 0, W, H)),
    ROW(36, e.Stretch(W - X, 0, X, Y, 0, 0, W, H)),
    ROW(37, e.Stretch(0, 0, X, Y, 0, 0, W, H)),
    ROW(38, e.Stretch(0, H - Y, X, Y, 0, 0, W, H)),
    ROW(39, e.Copy(W - X, H - Y, W, H, 0, 0)),
    ROW(40, e.Copy(W - X, Y - H, W, H, 0, 0)),
    ROW(41, e.Copy(X - W, Y - H, W, H, 0, 0)),
    ROW(42, e.Copy(X - W, H - Y, W, H, 0, 0)),
    ROW(43, e.Copy(0, 0, X, Y, 0, 0)),
    ROW(44, e.Copy(0, H - Y, X, Y, 0, H - Y)),
    ROW(45, e.Copy(W - X, H - Y, X, Y, W - X, H - Y)),
    ROW(46, e.Copy(W - X, 0, X, Y, W - X, 0)),
    ROW(47, e.Stretch(0, 0, 2 * W - X, 2 * H - Y, 0, 0, X, Y)),
    ROW(48, e.Stretch(0, Y - H, 2 * W - X, 2 * H - Y, 0, H - Y, X, Y)),
    ROW(49, e.Stretch(X - W, Y - H, 2 * W - X, 2 * H - Y, W - X, H - Y, X, Y)),
    ROW(50, e.Stretch(X - W, 0, 2 * W - X, 2 * H - Y, W - X, 0, X, Y)),
    ROW(51, e.Stretch(X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, (W - X) / 2, (H - Y) / 2, X, Y)),
    ROW(52, e.Stretch((W - X) / 2, (H - Y) / 2, X, Y, 0, 0, W, H)),
    ROW(53, e.Copy((W - X) / 2, (H - Y) / 2, X, Y, (W - X) / 2, (H - Y) / 2)),
    ROW(54, CopyAround(e, X / 2, Y / 2, W - X / 2, H - Y / 2)),
    ROW(55, e.Copy(0, 0, hx, hy, 0, 0); e.Copy(0, H - hy, hx, hy, 0, H - hy);
        e.Copy(W - hx, H - hy, hx, hy, W - hx, H - hy); e.Copy(W - hx, 0, hx, hy, W - hx, 0)),
    ROW(56, e.Stretch(0, 0, hx, hy, 0, 0, hw, hh); e.Stretch(0, H - hy, hx, hy, 0, hh, hw, hh);
        e.Stretch(W - hx, H - hy, hx, hy, hw, hh, hw, hh);
        e.Stretch(W - hx, 0, hx, hy, hw, 0, hw, hh)),
    ROW(57, e.Copy(hx - hw, 0, hw, hh, 0, 0); e.Copy(hw, hy - hh, hw, hh, hw, 0);
        e.Copy(W - hx, hh, hw, hh, hw, hh); e.Copy(0, H - hy, hw, hh, 0, hh)),
};

// Odd sizes find the div 2 quirks, the tall one the other way of computing the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

TEST(CornerEffects, EveryRowPixelByPixelThroughTheTransition)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t progress = 0; progress <= 100; ++progress) {
            const TPoint ext = ExtentsRef(size.W, size.H, progress);
            for (const TRow& row : Rows) {
                SCOPED_TRACE(::testing::Message() << "effect " << row.Style << ", " << size.W << "x"
                                                  << size.H << ", X=" << ext.X << ", Y=" << ext.Y);
                TExpected expected(f);
                row.Draw(expected, f.W, f.H, ext.X, ext.Y);
                f.Run(row.Style, ext.X, ext.Y, progress);
                EXPECT_TRUE(FrameMatches(f.Screen, expected));
            }
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
