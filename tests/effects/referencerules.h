// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reference arithmetic and shape tests for the rules of the shape, diamond and pixel effect
// tests, written independently of the effects library: the Windows MulDiv, the extents X and
// Y, a nonzero-winding point-in-polygon test at pixel centres, and the duties every effect has
// besides drawing its frame.
#pragma once

#include "effecttest.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace effecttest {

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

using TPolygonRef = std::vector<TPoint>;

// Whether the centre (x + 0.5, y + 0.5) of a pixel lies inside the polygon, nonzero winding.
// Crossings are counted on the ray to the right of the centre, excluding the centre itself, so
// a centre exactly on an edge counts as inside when the inside lies to the edge's right: the
// left edge in, the right edge out. Exact: all coordinates are doubled to stay integral.
inline bool PolygonCovers(const TPolygonRef& polygon, int32_t x, int32_t y)
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

// The frame that shows the picture where `covers` holds and the start image elsewhere.
template <typename TCovers>
::testing::AssertionResult ShowsPictureWhere(const TFrame& frame, TCovers covers)
{
    return FrameMatches(frame.Screen,
        [&](int32_t x, int32_t y) { return covers(x, y) ? frame.PictureAt(x, y) : frame.StartAt(x, y); });
}

// Calls the effect directly and checks what it owes besides the frame: Picture untouched, no
// clip region left on Screen, no region leaked, the effects' random seed as it was.
inline ::testing::AssertionResult LeavesNoTrace(TFrame& frame, int32_t style, int32_t progress)
{
    const TPoint extents = ExtentsRef(frame.W, frame.H, progress);
    constexpr uint32_t Seed = 0x9E3779B9u;
    RandomSeed = Seed;
    const int64_t regions = LiveRegionCount();
    frame.Run(style, extents.X, extents.Y, progress);
    if (RandomSeed != Seed)
        return ::testing::AssertionFailure() << "RandomSeed changed to " << RandomSeed;
    if (LiveRegionCount() != regions)
        return ::testing::AssertionFailure()
            << "regions alive: " << regions << " before, " << LiveRegionCount() << " after";
    TRect box;
    GetClipBox(frame.Screen.DC(), &box);
    if (box != TRect { 0, 0, frame.W, frame.H })
        return ::testing::AssertionFailure() << "clip box left at (" << box.Left << ", " << box.Top
                                             << ", " << box.Right << ", " << box.Bottom << ")";
    if (auto unchanged = FrameMatches(frame.Picture, [&](int32_t x, int32_t y) { return frame.PictureAt(x, y); });
        !unchanged)
        return ::testing::AssertionFailure() << "Picture was written: " << unchanged.message();
    return ::testing::AssertionSuccess();
}

} // namespace effecttest
