// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The raster layer: 32-bit bitmaps, device contexts, regions and block transfers with the
// semantics of the Windows graphics device interface that the effects were designed on.
// No Qt here: the effects library, the renderer tool and the benchmarks use it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// 0x00BBGGRR, as a Windows COLORREF.
using TColorRef = uint32_t;
constexpr TColorRef RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

// a·b in 64 bits divided by c, rounded to nearest with halves away from zero; -1 when c is 0
// or the result does not fit 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// ---------------------------------------------------------------------------------------------
// Regions

class TGdiRegion;
using HRGN = TGdiRegion*; // nullptr is "no region"

enum : int32_t { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int32_t { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int32_t { ALTERNATE = 1, WINDING = 2 };
enum : uint32_t { RDH_RECTANGLES = 1 };

// The RGNDATAHEADER of ExtCreateRegion's data block; the rectangles (TRect, 16 bytes each)
// follow it directly.
struct TRgnDataHeader {
    uint32_t dwSize;
    uint32_t iType;
    uint32_t nCount;
    uint32_t nRgnSize;
    TRect rcBound;
};
static_assert(sizeof(TRgnDataHeader) == 32);
static_assert(sizeof(TRect) == 16);

// All shapes follow the Windows rule that the right and bottom edges are outside: a pixel
// belongs to a shape when its centre (x + 0.5, y + 0.5) lies inside it, a centre exactly on a
// left or top boundary counting as inside and one on a right or bottom boundary as outside.
HRGN CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom);
HRGN CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
    int32_t ellipseHeight);
HRGN CreateEllipticRgn(int32_t left, int32_t top, int32_t right, int32_t bottom);
HRGN CreatePolygonRgn(const TPoint* points, int32_t count, int32_t fillMode);
// `data` is `size` bytes laid out as TRgnDataHeader + nCount rectangles. Inverted rectangles
// (left > right or top > bottom) are empty: they add nothing, like a negative length. A block
// whose header is malformed or shorter than it claims yields nullptr.
HRGN ExtCreateRegion(const void* transform, uint32_t size, const void* data);
// dst may be src1 or src2. Returns the region type of dst, or RGN_ERROR.
int32_t CombineRgn(HRGN dst, HRGN src1, HRGN src2, int32_t mode);
int32_t OffsetRgn(HRGN region, int32_t dx, int32_t dy);
int32_t GetRgnBox(HRGN region, TRect* box);
bool PtInRegion(HRGN region, int32_t x, int32_t y);
bool EqualRgn(HRGN a, HRGN b);
// The region's rectangles in y-x banded order (for tests and for walking a region).
std::vector<TRect> GetRegionRects(HRGN region);
bool DeleteObject(HRGN region);
// Regions created and not yet deleted, process-wide: lets tests prove that an effect leaks none.
int64_t LiveRegionCount();

struct TRegionDeleter {
    void operator()(HRGN region) const { DeleteObject(region); }
};
// The one owner of a region: deletes it when it leaves scope unless it is released (e.g. to
// a call that takes the handle over). Move-only, like the handle it stands for.
using TOwnedRegion = std::unique_ptr<TGdiRegion, TRegionDeleter>;

// ---------------------------------------------------------------------------------------------
// Bitmaps and device contexts

class TGdiDC;
using HDC = TGdiDC*;

enum : uint32_t { SRCCOPY = 0x00CC0020 };
enum : int32_t { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// The order of a bitmap's rows in memory. Bottom-up is the device-independent bitmap's own
// layout, the one every effect works on; top-down is that of a bitmap described with a negative
// height, which a window system takes without turning the rows round (the view's back buffer).
enum class TRowOrder : uint8_t { BottomUp, TopDown };

// A 32-bit device-independent bitmap: 4 bytes a pixel in the order blue, green, red, and a
// fourth byte that carries no colour; rows of exactly 4·width bytes in one block, stored
// bottom-up (the lowest address holds the bottom row) unless made top-down. Every operation
// of the raster layer reads and writes rows through ScanLine and so works on both orders.
class TGdiBitmap {
public:
    TGdiBitmap();
    TGdiBitmap(int32_t width, int32_t height);
    explicit TGdiBitmap(TRowOrder order);
    ~TGdiBitmap();
    TGdiBitmap(const TGdiBitmap&) = delete;
    TGdiBitmap& operator=(const TGdiBitmap&) = delete;

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    // Resizing keeps the pixels of the overlapping top-left area and fills the rest with `fill`.
    void SetSize(int32_t width, int32_t height, TColorRef fill = 0);
    void Fill(TColorRef colour);

    TRowOrder RowOrder() const { return m_rowOrder; }
    // The whole pixel block, starting at the bottom row (the top row of a top-down bitmap).
    uint8_t* Bits() { return m_bits.get(); }
    const uint8_t* Bits() const { return m_bits.get(); }
    size_t ByteCount() const { return size_t(m_width) * size_t(m_height) * 4; }
    // Image row `row` (0 is the top row).
    uint32_t* ScanLine(int32_t row) { return reinterpret_cast<uint32_t*>(m_bits.get()) + MemoryRow(row) * size_t(m_width); }
    const uint32_t* ScanLine(int32_t row) const { return reinterpret_cast<const uint32_t*>(m_bits.get()) + MemoryRow(row) * size_t(m_width); }
    uint32_t Pixel(int32_t x, int32_t y) const { return ScanLine(y)[x]; }
    void SetPixel(int32_t x, int32_t y, uint32_t value) { ScanLine(y)[x] = value; }

    // A value that stays the same for the bitmap's life and differs between live bitmaps.
    uint32_t Handle() const { return m_handle; }
    // For tools that replay a transition with a given handle (the seeded effects read it).
    void OverrideHandle(uint32_t handle) { m_handle = handle; }
    // The bitmap's own device context (its canvas handle).
    HDC DC() { return m_dc.get(); }

private:
    size_t MemoryRow(int32_t row) const { return size_t(m_rowOrder == TRowOrder::TopDown ? row : m_height - 1 - row); }

    int32_t m_width = 0;
    int32_t m_height = 0;
    TRowOrder m_rowOrder = TRowOrder::BottomUp;
    uint32_t m_handle = 0;
    std::unique_ptr<uint8_t[]> m_bits;
    std::unique_ptr<TGdiDC> m_dc;
};

// Pixel values are 0x00RRGGBB in memory order B, G, R, x.
constexpr uint32_t PixelFromColorRef(TColorRef c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

enum class TPenStyle { Solid, InsideFrame };
// A clear brush leaves the inside of a shape as it is (a frame only).
enum class TBrushStyle { Solid, Clear };

// Device context state that SaveDC keeps. The clip region is in device coordinates; the
// viewport origin maps logical to device coordinates (device = logical + origin).
struct TDCState {
    std::shared_ptr<TGdiRegion> Clip; // null: no clipping besides the bitmap's bounds
    int32_t StretchMode = BLACKONWHITE;
    TPoint ViewportOrigin;
    TColorRef BrushColor = RGB(255, 255, 255);
    TBrushStyle BrushStyle = TBrushStyle::Solid;
    TColorRef PenColor = 0;
    int32_t PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::Solid;
};

class TGdiDC {
public:
    explicit TGdiDC(TGdiBitmap& bitmap)
        : m_bitmap(bitmap)
    {
    }
    TGdiBitmap& Bitmap() { return m_bitmap; }
    TDCState& State() { return m_state; }
    const TDCState& State() const { return m_state; }
    std::vector<TDCState>& SavedStates() { return m_saved; }

private:
    TGdiBitmap& m_bitmap;
    TDCState m_state;
    std::vector<TDCState> m_saved;
};

// Clipping. SelectClipRgn copies the region (the caller keeps and deletes its own); nullptr
// removes clipping. The Windows result codes are returned (region type or RGN_ERROR).
int32_t SelectClipRgn(HDC dc, HRGN region);
int32_t ExcludeClipRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
int32_t IntersectClipRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Box of the visible area (clip ∩ bitmap) in logical coordinates.
int32_t GetClipBox(HDC dc, TRect* box);
bool RectVisible(HDC dc, const TRect* rect);

int32_t SaveDC(HDC dc); // returns the new save level (1, 2, …) or 0
// A positive level restores that level; a negative one counts back from the latest (-1).
bool RestoreDC(HDC dc, int32_t level);
int32_t SetStretchBltMode(HDC dc, int32_t mode); // returns the previous mode
bool SetViewportOrgEx(HDC dc, int32_t x, int32_t y, TPoint* previous);

// A new brush colour makes the brush solid again.
void SetBrushColor(HDC dc, TColorRef colour);
void SetBrushStyle(HDC dc, TBrushStyle style);
void SetPen(HDC dc, TColorRef colour, int32_t width, TPenStyle style);

// Block transfers. Only SRCCOPY is supported; other raster operations fail (false).
// Both are clipped to the destination bitmap and its clip region, and to the source bitmap;
// when source and destination are the same bitmap the result is that of reading the whole
// source first. StretchBlt maps nearest-neighbour (whole rows and columns are dropped or
// repeated) in every stretch mode; a negative width or height mirrors: the rectangle then runs
// from the given edge backwards, covering x+w+1 … x.
bool BitBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t sx, int32_t sy,
    uint32_t rop);
bool StretchBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t sx, int32_t sy,
    int32_t sw, int32_t sh, uint32_t rop);

// Fills the rectangle (right and bottom edges outside) with the colour, within the clip.
void FillRect(HDC dc, const TRect& rect, TColorRef colour);
// Canvas rectangle: filled with the brush (unless clear), outlined with the pen. An inside-frame
// pen of width w draws its frame of w pixels inside the rectangle.
void Rectangle(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
