// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The effects that bring the picture in along an axis, said line by line: for every line along
// the axis, which line of the picture it shows once the effect has reached a given extent. Written
// from the designs' descriptions, independently of the effects library.
#pragma once

#include "effectrules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace effecttest {

// The shading of a roll: each byte of red, green and blue moved by the offset, kept in 0 … 255.
inline uint32_t Shaded(uint32_t p, int32_t offset)
{
    uint32_t out = p & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= uint32_t(std::clamp(int32_t((p >> shift) & 0xFF) + offset, 0, 255)) << shift;
    return out;
}

// Shading offsets of a roll of `count` columns, left to right, for a shading depth of more than
// half the roll (rolls here are at most 10 wide): the edges darkened by `depth`, rising by
// depth div half per column to the middle and falling again from there.
inline std::vector<int32_t> ColumnShade(int32_t depth, int32_t count)
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
inline std::vector<int32_t> RowShade(int32_t depth, int32_t count)
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
inline int32_t Roll(int32_t size, int32_t extent)
{
    if (extent < size / 10)
        return extent;
    return size - extent < 2 * (size / 10) ? (size - extent) / 2 : size / 10;
}

constexpr uint8_t RollDepth = 64;

// The line of a picture of `length` lines that line i of a copy `target` lines long shows when
// the picture is shrunk or stretched onto it: the one under the centre of line i.
inline int32_t Nearest(int32_t i, int32_t target, int32_t length)
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

inline TLine Shows(int32_t source) { return { source }; }
inline TLine Keeps() { return {}; }

// The seventeen designs, each said per line. "Far" is the right (bottom) end, "near" the left
// (top) one. Effects 1 … 17 run them across the width, 18 … 34 down the height, and most of the
// effects from a corner or the centre both ways at once.
enum TDesign {
    ExpandFromFarEnd,
    ExpandFromNearEnd,
    SlideInFromFarEnd,
    SlideInFromNearEnd,
    RevealFromNearEnd,
    RevealFromFarEnd,
    ExpandInFromFarEnd,
    ExpandInFromNearEnd,
    ExpandInToMiddle,
    ExpandOutFromMiddle,
    RevealOutFromMiddle,
    RevealInFromBothEnds,
    ExpandInFromBothEnds,
    UnrollFromNearEnd,
    UnrollFromFarEnd,
    BuildUpFromFarEnd,
    BuildUpFromNearEnd,
};
inline const TLineRule Designs[17] = {
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

} // namespace effecttest
