// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The steps that the effects share: the rectangle store, the region builders, the pixel
// routines, the effects' random generator and the clipped copy.
#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <initializer_list>
#include <span>

// Collects any number of rectangles and turns them into one region with a single call. The
// block is laid out as RGNDATA: a 32-byte header, then the rectangles exactly as passed (not
// normalised, not clipped), and 4 spare bytes; it grows by 500 rectangles at a time.
class TComplexRegion {
public:
    static constexpr int32_t GrowBy = 500;
    // Bounds of a store that holds nothing: deliberately not INT_MIN on the right and bottom.
    static constexpr TRect EmptyBounds { 2147483647, 2147483647, -2147483647, -2147483647 };

    TComplexRegion();
    ~TComplexRegion();
    TComplexRegion(const TComplexRegion&) = delete;
    TComplexRegion& operator=(const TComplexRegion&) = delete;

    void Clear();
    void AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
    // A new region of the stored rectangles (the caller deletes it), or nullptr when none.
    HRGN CreateRegion();

    const uint8_t* RgnData() const { return m_rgnData; }
    int32_t Capacity() const { return m_capacity; }
    int32_t Count() const { return m_count; }
    const TRect& Bounds() const { return m_bounds; }
    // Size in bytes of the block as allocated: Capacity·16 + 36.
    size_t BlockSize() const { return size_t(m_capacity) * 16 + 36; }

private:
    uint8_t* m_rgnData = nullptr;
    int32_t m_capacity = 0;
    int32_t m_count = 0;
    TRect m_bounds = EmptyBounds;
    uint8_t* m_nextRect = nullptr;
};

// Region builders; each returns a new region that the caller deletes (or nullptr when it
// stored no rectangle). XP / YP are the progress extents the effect chooses; HKind / VKind
// the kind of horizontal and vertical bands, 0 meaning none.
HRGN CreateBarsRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind);
HRGN CreateUnevenShredRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind);
HRGN CreateSpeckleRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind);
HRGN CreateSectorRgn(int32_t CX, int32_t CY, int32_t Radius, long double StartAngle,
    long double EndAngle, int32_t Steps);
// Values are x0, y0, x1, y1, …; an odd last value is ignored. WINDING fill.
HRGN CreatePolyRgn(std::span<const int32_t> Values);
inline HRGN CreatePolyRgn(std::initializer_list<int32_t> Values)
{
    return CreatePolyRgn(std::span<const int32_t>(Values.begin(), Values.size()));
}

// Shading of a rolled band: columns Left … Left+Count−1 of every row, or rows Top … Top+Count−1.
void ApplyHReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Left, int32_t Count);
void ApplyVReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Top, int32_t Count);
// Blends Src into Dst by Percent inside the rectangle.
void MergeTransparent(TGdiBitmap& Dst, const TGdiBitmap& Src, int32_t Percent, int32_t Left,
    int32_t Top, int32_t Width, int32_t Height);
// Draws Src rotated by Angle (radians) about (CX, CY) over Dst; CY is measured from the bottom.
void MergeRotate(TGdiBitmap& Dst, const TGdiBitmap& Src, int32_t CX, int32_t CY, long double Angle);
void RotatePoints(std::span<TPoint> Points, int32_t CX, int32_t CY, long double Angle);

// The effects' random generator: one process-wide seed, 0 at start, no lock (only effects use
// it). Effects that need the same pattern on every frame seed it from the picture's handle and
// put the previous value back.
extern uint32_t RandomSeed;
int32_t RandomBelow(int32_t N);

// Restores RandomSeed when it leaves scope, so an effect that seeds it gives it back even when
// an exception passes.
class TRandomSeedGuard {
public:
    explicit TRandomSeedGuard(uint32_t seed)
        : m_saved(RandomSeed)
    {
        RandomSeed = seed;
    }
    ~TRandomSeedGuard() { RandomSeed = m_saved; }
    TRandomSeedGuard(const TRandomSeedGuard&) = delete;
    TRandomSeedGuard& operator=(const TRandomSeedGuard&) = delete;

private:
    uint32_t m_saved;
};

// Deletes a region when it leaves scope.
class TRegionGuard {
public:
    explicit TRegionGuard(HRGN region)
        : m_region(region)
    {
    }
    ~TRegionGuard() { DeleteObject(m_region); }
    TRegionGuard(const TRegionGuard&) = delete;
    TRegionGuard& operator=(const TRegionGuard&) = delete;
    HRGN Get() const { return m_region; }

private:
    HRGN m_region;
};

// The drawing notation of the effects: a block copy and a scaled copy from Picture to Screen.
inline void Copy(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t dx, int32_t dy, int32_t w, int32_t h,
    int32_t sx, int32_t sy)
{
    BitBlt(Screen.DC(), dx, dy, w, h, Picture.DC(), sx, sy, SRCCOPY);
}
inline void Stretch(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t dx, int32_t dy, int32_t dw,
    int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    StretchBlt(Screen.DC(), dx, dy, dw, dh, Picture.DC(), sx, sy, sw, sh, SRCCOPY);
}

// The clipped copy: clip Screen to R, copy the whole picture, remove the clip, delete R (also
// when the copy fails). With R null nothing clips, so the whole picture is copied.
void ClippedCopy(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, HRGN R);
