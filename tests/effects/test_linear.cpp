// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 1 … 34 (expand, slide, reveal, unroll, build up along one axis). Every frame is checked
// pixel by pixel against the effect's transfers painted here by their definitions, and the start,
// the end and the roll widths against plain statements of what they must show.
#include "effectrules.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace effecttest;

namespace {

// The shading of a roll: each byte of red, green and blue moved by the offset, kept in 0 … 255.
uint32_t Shaded(uint32_t p, int32_t offset)
{
    uint32_t out = p & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= uint32_t(std::clamp(int32_t((p >> shift) & 0xFF) + offset, 0, 255)) << shift;
    return out;
}
void ShadeColumns(TExpected& e, int32_t left, const std::vector<int32_t>& offsets)
{
    for (int32_t y = 0; y < e.Frame().H; ++y)
        for (size_t i = 0; i < offsets.size(); ++i)
            e.At(left + int32_t(i), y) = Shaded(e.At(left + int32_t(i), y), offsets[i]);
}
void ShadeRows(TExpected& e, int32_t top, const std::vector<int32_t>& offsets)
{
    for (size_t j = 0; j < offsets.size(); ++j)
        for (int32_t x = 0; x < e.Frame().W; ++x)
            e.At(x, top + int32_t(j)) = Shaded(e.At(x, top + int32_t(j)), offsets[j]);
}

// Shading offsets of a roll of `count` columns, left to right, for a shading depth of more than
// half the roll (rolls here are at most 10 wide): the edges darkened by `depth`, rising by
// depth div half per column to the middle and falling again from there.
std::vector<int32_t> ColumnShade(int32_t depth, int32_t count)
{
    if (count < 2)
        return {};
    const int32_t half = count / 2;
    EXPECT_GT(depth, half) << "only deep shading is modelled here";
    std::vector<int32_t> t;
    int32_t v = -depth, s = depth / half;
    for (int32_t i = 1; i <= count; ++i) {
        t.push_back(v);
        v += s;
        if (i == half)
            s = -s;
    }
    return t;
}

// The same for a roll of `count` rows, top to bottom. The rows are stepped from the bottom of the
// roll upward, and the step at the middle row already goes back down.
std::vector<int32_t> RowShade(int32_t depth, int32_t count)
{
    if (count < 2)
        return {};
    const int32_t half = count / 2;
    EXPECT_GT(depth, half) << "only deep shading is modelled here";
    std::vector<int32_t> t(static_cast<size_t>(count));
    int32_t v = -depth;
    for (int32_t i = 1; i <= count; ++i) {
        t[size_t(count - i)] = v;
        v += i < half ? depth / half : -(depth / half);
    }
    return t;
}

// The roll: a tenth of the size, but never more than the extent reached nor more than half of
// what is left.
int32_t Roll(int32_t size, int32_t extent)
{
    if (extent < size / 10)
        return extent;
    return size - extent < 2 * (size / 10) ? (size - extent) / 2 : size / 10;
}

constexpr uint8_t RollDepth = 64;

// The four unrolls for a given roll thickness R.
void Unroll14(TExpected& e, int32_t W, int32_t H, int32_t X, int32_t R)
{
    (void)W;
    e.Stretch(X + R - 1, 0, -R, H, X + R, 0, R, H);
    e.Copy(0, 0, X, H, 0, 0);
    ShadeColumns(e, X, ColumnShade(RollDepth, R));
}
void Unroll15(TExpected& e, int32_t W, int32_t H, int32_t X, int32_t R)
{
    e.Stretch(W - X - 1, 0, -R, H, W - X - 2 * R - 1, 0, R, H);
    e.Copy(W - X, 0, X, H, W - X, 0);
    ShadeColumns(e, W - X - R, ColumnShade(RollDepth, R));
}
void Unroll31(TExpected& e, int32_t W, int32_t H, int32_t Y, int32_t R)
{
    (void)H;
    e.Stretch(0, Y + R - 1, W, -R, 0, Y + R, W, R);
    e.Copy(0, 0, W, Y, 0, 0);
    ShadeRows(e, Y, RowShade(RollDepth, R));
}
void Unroll32(TExpected& e, int32_t W, int32_t H, int32_t Y, int32_t R)
{
    e.Stretch(0, H - Y - 1, W, -R, 0, H - Y - 2 * R - 1, W, R);
    e.Copy(0, H - Y, W, Y, 0, H - Y);
    ShadeRows(e, H - Y - R, RowShade(RollDepth, R));
}

struct TRow {
    int32_t Style;
    void (*Draw)(TExpected& e, int32_t W, int32_t H, int32_t X, int32_t Y);
};

// One row of the table: its transfers, in order.
#define ROW(style, ...)                                                                            \
    TRow                                                                                           \
    {                                                                                              \
        style, [](TExpected& e, int32_t W, int32_t H, int32_t X, int32_t Y) {                      \
            (void)W, (void)H, (void)X, (void)Y;                                                    \
            __VA_ARGS__;                                                                           \
        }                                                                                          \
    }

const TRow Rows[] = {
    ROW(1, e.Stretch(W - X, 0, X, H, 0, 0, W, H)),
    ROW(2, e.Stretch(0, 0, X, H, 0, 0, W, H)),
    ROW(3, e.Copy(W - X, 0, W, H, 0, 0)),
    ROW(4, e.Copy(X - W, 0, W, H, 0, 0)),
    ROW(5, e.Copy(0, 0, X, H, 0, 0)),
    ROW(6, e.Copy(W - X, 0, X, H, W - X, 0)),
    ROW(7, e.Stretch(0, 0, 2 * W - X, H, 0, 0, X, H)),
    ROW(8, e.Stretch(X - W, 0, 2 * W - X, H, W - X, 0, X, H)),
    ROW(9, e.Stretch(X - W, 0, 3 * W - 2 * X, H, (W - X) / 2, 0, X, H)),
    ROW(10, e.Stretch((W - X) / 2, 0, X, H, 0, 0, W, H)),
    ROW(11, e.Copy((W - X) / 2, 0, X, H, (W - X) / 2, 0)),
    ROW(12, e.Copy(0, 0, X / 2, H, 0, 0); e.Copy(W - X / 2, 0, X / 2, H, W - X / 2, 0)),
    ROW(13, e.Stretch(0, 0, X / 2, H, 0, 0, W / 2, H);
        e.Stretch(W - X / 2, 0, X / 2, H, W / 2, 0, W / 2, H)),
    ROW(14, Unroll14(e, W, H, X, Roll(W, X))),
    ROW(15, Unroll15(e, W, H, X, Roll(W, X))),
    ROW(16, e.Copy(0, 0, X, H, 0, 0); e.Stretch(X, 0, W - X, H, X, 0, std::min(W - X, W / 10), H)),
    ROW(17, e.Copy(W - X, 0, X, H, W - X, 0); const int32_t S = std::max(W - X - W / 10, 0);
        e.Stretch(0, 0, W - X, H, S, 0, W - X - S, H)),
    ROW(18, e.Stretch(0, H - Y, W, Y, 0, 0, W, H)),
    ROW(19, e.Stretch(0, 0, W, Y, 0, 0, W, H)),
    ROW(20, e.Copy(0, H - Y, W, H, 0, 0)),
    ROW(21, e.Copy(0, Y - H, W, H, 0, 0)),
    ROW(22, e.Copy(0, 0, W, Y, 0, 0)),
    ROW(23, e.Copy(0, H - Y, W, Y, 0, H - Y)),
    ROW(24, e.Stretch(0, 0, W, 2 * H - Y, 0, 0, W, Y)),
    ROW(25, e.Stretch(0, Y - H, W, 2 * H - Y, 0, H - Y, W, Y)),
    ROW(26, e.Stretch(0, Y - H, W, 3 * H - 2 * Y, 0, (H - Y) / 2, W, Y)),
    ROW(27, e.Stretch(0, (H - Y) / 2, W, Y, 0, 0, W, H)),
    ROW(28, e.Copy(0, (H - Y) / 2, W, Y, 0, (H - Y) / 2)),
    ROW(29, e.Copy(0, 0, W, Y / 2, 0, 0); e.Copy(0, H - Y / 2, W, Y / 2, 0, H - Y / 2)),
    ROW(30, e.Stretch(0, 0, W, Y / 2, 0, 0, W, H / 2);
        e.Stretch(0, H - Y / 2, W, Y / 2, 0, H / 2, W, H / 2)),
    ROW(31, Unroll31(e, W, H, Y, Roll(H, Y))),
    ROW(32, Unroll32(e, W, H, Y, Roll(H, Y))),
    ROW(33, e.Copy(0, 0, W, Y, 0, 0); e.Stretch(0, Y, W, H - Y, 0, Y, W, std::min(H - Y, H / 10))),
    ROW(34, e.Copy(0, H - Y, W, Y, 0, H - Y); const int32_t S = std::max(H - Y - H / 10, 0);
        e.Stretch(0, 0, W, H - Y, 0, S, W, H - Y - S)),
};

// Odd sizes find the div 2 quirks, the tall one the other way of computing the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

TEST(LinearEffects, EveryRowPixelByPixelThroughTheTransition)
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
                const TBefore before(f);
                f.Run(row.Style, ext.X, ext.Y, progress);
                EXPECT_TRUE(FrameMatches(f.Screen, expected));
                EXPECT_TRUE(LeftAsFound(f, before));
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
    struct TUnroll {
        int32_t Style;
        bool Vertical;
        void (*Draw)(TExpected&, int32_t W, int32_t H, int32_t extent, int32_t R);
    };
    const TUnroll unrolls[] = { { 14, false, Unroll14 }, { 15, false, Unroll15 },
        { 31, true, Unroll31 }, { 32, true, Unroll32 } };
    for (const TUnroll& u : unrolls)
        for (const TRoll& roll : rolls) {
            SCOPED_TRACE(::testing::Message() << "effect " << u.Style << " at " << roll.Extent);
            TFrame f(u.Vertical ? 7 : 100, u.Vertical ? 100 : 7);
            TExpected expected(f);
            u.Draw(expected, f.W, f.H, roll.Extent, roll.R);
            f.Run(u.Style, u.Vertical ? 7 : roll.Extent, u.Vertical ? roll.Extent : 7);
            EXPECT_TRUE(FrameMatches(f.Screen, expected));
        }
}

} // namespace
