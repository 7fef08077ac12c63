// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The rules the effect tests share, written independently of the effects library: the Windows
// MulDiv and the extents X and Y, the effects' random generator replayed, pixel-centre tests for
// polygons and rectangles, a mask of pixels, and frames that show the picture where a rule
// says.
#pragma once

#include "effecttest.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace effecttest {

struct TSize {
    int32_t W, H;
};

// ---------------------------------------------------------------------------------------------
// Arithmetic

// a·b / c rounded to nearest, halves away from zero.
inline int32_t MulDivRef(int32_t a, int32_t b, int32_t c)
{
    const int64_t p = int64_t(a) * b;
    const int64_t q = (2 * std::llabs(p) + std::llabs(c)) / (2 * std::llabs(int64_t(c)));
    return int32_t(((p < 0) != (c < 0)) ? -q : q);
}

// X and Y at `progress`: computed on the longer side, carried to the other in proportion.
inline TPoint ExtentsRef(int32_t W, int32_t H, int32_t progress)
{
    if (H > W) {
        const int32_t Y = MulDivRef(H, progress, 100);
        return { MulDivRef(Y, W, H), Y };
    }
    const int32_t X = MulDivRef(W, progress, 100);
    return { X, MulDivRef(X, H, W) };
}

// a / 256 rounded towards minus infinity.
inline int32_t FloorDiv256(int32_t a) { return a >= 0 ? a / 256 : -((-a + 255) / 256); }

// The effects' generator, replayed: seed = seed·0x08088405 + 1, result = high half of seed·n.
struct TRandomReplay {
    uint32_t Seed;
    int32_t Below(int32_t n)
    {
        Seed = Seed * 0x08088405u + 1;
        return int32_t((uint64_t(Seed) * uint32_t(n)) >> 32);
    }
};

// ---------------------------------------------------------------------------------------------
// Shapes at pixel centres

using TPolygonRef = std::vector<TPoint>;
using TTriangle = std::array<TPoint, 3>;

// Whether the centre (x + 0.5, y + 0.5) of a pixel lies inside the polygon, nonzero winding.
// Crossings are counted on the ray to the right of the centre, excluding the centre itself, so
// a centre exactly on an edge counts as inside when the inside lies to the edge's right: the
// left edge in, the right edge out. Exact: all coordinates are doubled to stay integral.
template <typename TPoints>
bool PolygonCovers(const TPoints& polygon, int32_t x, int32_t y)
{
    const int64_t px = 2 * int64_t(x) + 1, py = 2 * int64_t(y) + 1;
    int winding = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const TPoint& a = polygon[i];
        const TPoint& b = polygon[(i + 1) % polygon.size()];
        const int64_t ax = 2 * int64_t(a.X), ay = 2 * int64_t(a.Y);
        const int64_t bx = 2 * int64_t(b.X), by = 2 * int64_t(b.Y);
        const bool down = ay <= py && py < by;
        const bool up = by <= py && py < ay;
        if (!down && !up)
            continue;
        // Sign of (crossing x − px)·(by − ay).
        const int64_t side = (ax - px) * (by - ay) + (py - ay) * (bx - ax);
        if (down && side > 0)
            ++winding;
        else if (up && side < 0)
            --winding;
    }
    return winding != 0;
}

// A rectangle holds the pixels left ≤ x < right, top ≤ y < bottom.
inline bool RectCovers(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x, int32_t y)
{
    return left <= x && x < right && top <= y && y < bottom;
}

// Which pixels should show the picture, row-major.
struct TMask {
    int32_t W, H;
    std::vector<bool> Bits;
    TMask(int32_t w, int32_t h)
        : W(w)
        , H(h)
        , Bits(size_t(w) * size_t(h))
    {
    }
    // Marks the rectangle left ≤ x < right, top ≤ y < bottom, cut to the mask; an empty or
    // inverted one marks nothing.
    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom)
    {
        for (int32_t y = std::max(top, 0); y < std::min(bottom, H); ++y)
            for (int32_t x = std::max(left, 0); x < std::min(right, W); ++x)
                Bits[size_t(y) * size_t(W) + size_t(x)] = true;
    }
    bool operator()(int32_t x, int32_t y) const { return Bits[size_t(y) * size_t(W) + size_t(x)]; }
};

// ---------------------------------------------------------------------------------------------
// Expected frames

// The frame that shows the picture where `covers` holds and the start image elsewhere.
template <typename TCovers>
::testing::AssertionResult ShowsPictureWhere(const TFrame& frame, TCovers covers)
{
    return FrameMatches(frame.Screen,
        [&](int32_t x, int32_t y) { return covers(x, y) ? frame.PictureAt(x, y) : frame.StartAt(x, y); });
}

inline ::testing::AssertionResult ShowsStart(const TFrame& frame)
{
    return ShowsPictureWhere(frame, [](int32_t, int32_t) { return false; });
}

inline ::testing::AssertionResult ShowsPicture(const TFrame& frame)
{
    return ShowsPictureWhere(frame, [](int32_t, int32_t) { return true; });
}

} // namespace effecttest
