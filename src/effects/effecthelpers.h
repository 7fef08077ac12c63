// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The steps that the effects share: the rectangle store, the region builders, the pixel
// routines, the effects' random generator and the clipped copy.
#pragma once

#include "platform/gdi/gdi.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
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

// Rectangles given along an axis and across it, stored as they are or, for the transposed axis,
// with x and y exchanged: a builder written for horizontal bands serves vertical ones too.
struct TAxisRects {
    TComplexRegion& Store;
    bool Transposed;
    void Add(int32_t along0, int32_t across0, int32_t along1, int32_t across1) const
    {
        if (Transposed)
            Store.AddRect(across0, along0, across1, along1);
        else
            Store.AddRect(along0, across0, along1, across1);
    }
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

// The angles of the turning and sweeping effects are in radians.
constexpr long double Pi = 3.1415926535897932385L;

// Weights 0 … 256 of a blend, one for each byte of a pixel in memory order: blue, green, red and
// the fourth byte.
using TByteWeights = std::array<uint16_t, 4>;
// Blends `count` pixels of `src` into `dst`, each byte by its weight w: dst + floor((src − dst)·w
// / 256). Weight 0 keeps the byte of `dst`, 256 takes the one of `src`. The blend of every
// effect: cross-fade, merge and channel mix.
void BlendPixels(uint32_t* dst, const uint32_t* src, size_t count, const TByteWeights& weights);

// Shading of a rolled band: columns Left … Left+Count−1 of every row, or rows Top … Top+Count−1.
void ApplyHReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Left, int32_t Count);
void ApplyVReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Top, int32_t Count);
// Blends Src into Dst by Percent (kept within 0 … 100) inside the rectangle.
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

// Merges the polygons' regions into `First` in order with `Mode` (RGN_OR or RGN_XOR), each made
// just before and deleted right after its merge; returns the result. No `First`, no result.
template <typename TPolygons>
HRGN MergePolygons(HRGN First, const TPolygons& Polygons, int32_t Mode)
{
    TOwnedRegion result(First);
    if (!result)
        return nullptr;
    for (const auto& polygon : Polygons) {
        const TOwnedRegion next(CreatePolyRgn(polygon));
        CombineRgn(result.get(), result.get(), next.get(), Mode);
    }
    return result.release();
}

// Cells of 2N x 2N laid from the top-left corner, column by column; the last column and row
// may reach past the picture. N is at least 1.
template <typename TCellProc>
void ForEachCellCentre(int32_t W, int32_t H, int32_t N, TCellProc Cell)
{
    for (int32_t x0 = 0; x0 < W; x0 += 2 * N)
        for (int32_t y0 = 0; y0 < H; y0 += 2 * N)
            Cell(x0 + N, y0 + N);
}

// The union of one shape made at every cell centre by MakeAt(cx, cy), merged one by one in the
// order of the cells. All copies are alike, so the one made at the first cell is moved from
// cell to cell instead of being made again: the region is the same, and a frame of a large
// picture saves some forty scan conversions. Returns nullptr when there is no cell.
template <typename TMakeAt>
HRGN UniteOverCells(int32_t W, int32_t H, int32_t N, TMakeAt MakeAt)
{
    TOwnedRegion cells, moving;
    TPoint at;
    ForEachCellCentre(W, H, N, [&](int32_t cx, int32_t cy) {
        if (!cells) {
            cells.reset(MakeAt(cx, cy));
            moving.reset(MakeAt(cx, cy));
        } else {
            OffsetRgn(moving.get(), cx - at.X, cy - at.Y);
            CombineRgn(cells.get(), cells.get(), moving.get(), RGN_OR);
        }
        at = { cx, cy };
    });
    return cells.release();
}

// Removes the clip of a device context when it leaves scope, so no clip outlives an effect even
// when a transfer throws.
class TClipGuard {
public:
    explicit TClipGuard(HDC dc)
        : m_dc(dc)
    {
    }
    ~TClipGuard() { SelectClipRgn(m_dc, nullptr); }
    TClipGuard(const TClipGuard&) = delete;
    TClipGuard& operator=(const TClipGuard&) = delete;

private:
    HDC m_dc;
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
// The clipped copy through R, but nothing at all without a region (a store that got no
// rectangle, no cell, a failed region call), which the clipped copy would take as no clip.
void CopyThrough(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, HRGN R);
