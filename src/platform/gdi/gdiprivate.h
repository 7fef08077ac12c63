// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Internals shared by the raster layer's sources.
#pragma once

#include "gdi.h"

#include <pixman.h>

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

class TGdiRegion {
public:
    TGdiRegion() { pixman_region32_init(&Region); }
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
    // pixman's invariants: debug builds and tests call it.
    bool SelfCheck() const { return pixman_region32_selfcheck(const_cast<pixman_region32_t*>(&Region)); }

    pixman_region32_t Region;
};

// Hands a region over to a caller as a counted handle.
HRGN NewRegionHandle(std::unique_ptr<TGdiRegion> region);
