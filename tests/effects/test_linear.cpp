// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 1 … 34 (expand, slide, reveal, unroll, build up along one axis). Every frame is checked
// pixel by pixel against a rule that says, for each line along the axis, which line of the picture
// it shows; and the start, the end and the roll widths against plain statements of what they
// must show.
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

// The line of a picture of `length` lines that line i of a copy `target` lines long shows when
// the picture is shrunk or stretched onto it: the one under the centre of line i.
int32_t Nearest(int32_t i, int32_t target, int32_t length)
{
    return int32_t((2 * int64_t(i) + 1) * length / (2 * int64_t(target)));
}

// What line t of an axis L long shows when the effect has reached E along it: a line of the
// picture, or nothing (−1: the start image stays). A roll also names the shading offset of the
// line, and is R lines thick.
struct TLine {
    int32_t Source = -1;
    bool Shaded = false;
    int32_t Offset = 0;
};
using TLineRule = TLine (*)(int32_t t, int32_t L, int32_t E, int32_t R, bool down);

TLine Shows(int32_t source) { return { source }; }
TLine Keeps() { return {}; }

// The seventeen designs, each said per line. "Far" is the right (bottom) end, "near" the left
// (top) one.
const TLineRule Designs[17] = {
    // Expand from the far end: the whole picture squeezed into the last E lines.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        return t >= L - E ? Shows(Nearest(t - (L - E), E, L)) : Keeps();
    },
    // Expand from the near end: into the first E lines.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return t < E ? Shows(Nearest(t, E, L)) : Keeps(); },
    // Slide in from the far end: the picture's first E lines in the last E lines.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return t >= L - E ? Shows(t - (L - E)) : Keeps(); },
    // Slide in from the near end: its last E lines in the first E.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return t < E ? Shows(t + L - E) : Keeps(); },
    // Reveal from the near end, in place.
    [](int32_t t, int32_t, int32_t E, int32_t, bool) { return t < E ? Shows(t) : Keeps(); },
    // Reveal from the far end, in place.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return t >= L - E ? Shows(t) : Keeps(); },
    // Expand in from the far end: the picture's first E lines blown up to 2L − E, from line 0.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return E > 0 ? Shows(Nearest(t, 2 * L - E, E)) : Keeps(); },
    // Expand in from the near end: its last E lines blown up to 2L − E, ending at line L.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        return E > 0 ? Shows(L - E + Nearest(t + L - E, 2 * L - E, E)) : Keeps();
    },
    // Expand in to the middle: the middle E lines blown up to 3L − 2E, centred.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        return E > 0 ? Shows((L - E) / 2 + Nearest(t + L - E, 3 * L - 2 * E, E)) : Keeps();
    },
    // Expand out from the middle: the whole picture squeezed into E lines from (L − E) div 2.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        const int32_t first = (L - E) / 2;
        return t >= first && t < first + E ? Shows(Nearest(t - first, E, L)) : Keeps();
    },
    // Reveal out from the middle, in place.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        const int32_t first = (L - E) / 2;
        return t >= first && t < first + E ? Shows(t) : Keeps();
    },
    // Reveal in from both ends, E div 2 lines each, in place.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) { return t < E / 2 || t >= L - E / 2 ? Shows(t) : Keeps(); },
    // Expand in from both ends: each half of L div 2 lines squeezed into E div 2 at its end.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        if (t < E / 2)
            return Shows(Nearest(t, E / 2, L / 2));
        if (t >= L - E / 2)
            return Shows(L / 2 + Nearest(t - (L - E / 2), E / 2, L / 2));
        return Keeps();
    },
    // Unroll from the near end: the first E lines in place, then a roll of R lines showing the
    // next R lines of the picture mirrored (as seen from behind), shaded.
    [](int32_t t, int32_t L, int32_t E, int32_t R, bool down) {
        if (t < E)
            return Shows(t);
        if (t >= E + R || R < 1)
            return Keeps();
        const int32_t source = 2 * (E + R) - 1 - t;
        const std::vector<int32_t> shade = down ? RowShade(RollDepth, R) : ColumnShade(RollDepth, R);
        return TLine { source < L ? source : -1, !shade.empty(), shade.empty() ? 0 : shade[size_t(t - E)] };
    },
    // Unroll from the far end: the last E lines in place, the roll before them mirroring the R
    // lines that end one line before the roll's own start.
    [](int32_t t, int32_t L, int32_t E, int32_t R, bool down) {
        if (t >= L - E)
            return Shows(t);
        if (t < L - E - R || R < 1)
            return Keeps();
        const int32_t source = 2 * (L - E - R - 1) - t;
        const std::vector<int32_t> shade = down ? RowShade(RollDepth, R) : ColumnShade(RollDepth, R);
        return TLine { source >= 0 ? source : -1, !shade.empty(),
            shade.empty() ? 0 : shade[size_t(t - (L - E - R))] };
    },
    // Build up from the far end: the first E lines in place, the rest smeared out of the (at most
    // L div 10) lines after them.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        if (t < E)
            return Shows(t);
        const int32_t strip = std::min(L - E, L / 10);
        return strip > 0 ? Shows(E + Nearest(t - E, L - E, strip)) : Keeps();
    },
    // Build up from the near end: the last E lines in place, the rest smeared out of the lines
    // just before them.
    [](int32_t t, int32_t L, int32_t E, int32_t, bool) {
        if (t >= L - E)
            return Shows(t);
        const int32_t first = std::max(L - E - L / 10, 0);
        return L - E - first > 0 ? Shows(first + Nearest(t, L - E, L - E - first)) : Keeps();
    },
};

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
