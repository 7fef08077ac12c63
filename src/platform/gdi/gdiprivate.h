// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Internals shared by the raster layer's sources.
#pragma once

#include "gdi.h"

#include <pixman.h>

#include <algorithm>
#include <cassert>
#include <vector>

// Coordinates are limited like the platform's regions (27 bits), which keeps every sum and
// product of the scan converters far from overflow.
constexpr int32_t RegionCoordinateLimit = 1 << 27;

inline int32_t ClampCoordinate(int64_t v)
{
    if (v < -RegionCoordinateLimit)
        return -RegionCoordinateLimit;
    if (v > RegionCoordinateLimit)
        return RegionCoordinateLimit;
    return int32_t(v);
}

inline TRect Intersect(const TRect& a, const TRect& b)
{
    return { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
        std::min(a.Bottom, b.Bottom) };
}

class TGdiRegion {
public:
    TGdiRegion() { pixman_region32_init(&Region); }
    // The union of the boxes, in any order and overlapping or not.
    explicit TGdiRegion(const std::vector<pixman_box32_t>& boxes)
    {
        if (boxes.empty())
            pixman_region32_init(&Region);
        else
            pixman_region32_init_rects(&Region, boxes.data(), int(boxes.size()));
    }
    explicit TGdiRegion(const TRect& r)
    {
        pixman_region32_init_rect(&Region, r.Left, r.Top, uint32_t(std::max(0, r.Width())),
            uint32_t(std::max(0, r.Height())));
    }
    TGdiRegion(const TGdiRegion& other)
    {
        pixman_region32_init(&Region);
        pixman_region32_copy(&Region, const_cast<pixman_region32_t*>(&other.Region));
    }
    TGdiRegion& operator=(const TGdiRegion&) = delete;
    ~TGdiRegion() { pixman_region32_fini(&Region); }

    int32_t Type() const
    {
        const int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&Region));
        return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
    }
    // pixman's invariants; CheckInvariants calls it after every region operation of a debug build.
    bool SelfCheck() const { return pixman_region32_selfcheck(const_cast<pixman_region32_t*>(&Region)); }
    void CheckInvariants() const { assert(SelfCheck() && "a region operation broke pixman's invariants"); }

    pixman_region32_t Region;
};

// Hands a region over to a caller as a counted handle.
HRGN NewRegionHandle(std::unique_ptr<TGdiRegion> region);

// The visible device boxes of `area` (device coordinates): the part within the bitmap and the
// clip region, in y-x banded order. Replaces the contents of `out`.
void VisibleBoxes(HDC dc, const TRect& area, std::vector<TRect>& out);
