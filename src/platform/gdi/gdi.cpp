// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Bitmaps, device-context state, clipping and MulDiv.
#include "gdiprivate.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * int64_t(b);
    const bool negative = (product < 0) != (c < 0);
    const uint64_t p = product < 0 ? uint64_t(-product) : uint64_t(product);
    const uint64_t d = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
    // Adding half the divisor rounds halves away from zero on the magnitude.
    const uint64_t q = (p + d / 2) / d;
    if (q > uint64_t(std::numeric_limits<int32_t>::max()) + (negative ? 1 : 0))
        return -1;
    return negative ? int32_t(-int64_t(q)) : int32_t(q);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

namespace {

std::atomic<uint32_t> g_bitmapCounter { 0 };

uint32_t NextBitmapHandle()
{
    // An odd multiplier is a bijection on 32 bits: distinct counters give distinct handles,
    // and the values are spread like real handles rather than 1, 2, 3.
    return (g_bitmapCounter.fetch_add(1, std::memory_order_relaxed) + 1) * 0x9E3779B1u;
}

std::unique_ptr<uint8_t[]> AllocatePixels(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const size_t bytes = size_t(width) * size_t(height) * 4;
    return std::unique_ptr<uint8_t[]>(new uint8_t[bytes]);
}

void FillPixels(uint32_t* pixels, size_t count, uint32_t value)
{
    std::fill_n(pixels, count, value);
}

} // namespace

TGdiBitmap::TGdiBitmap()
    : m_handle(NextBitmapHandle())
    , m_dc(std::make_unique<TGdiDC>(*this))
{
}

TGdiBitmap::TGdiBitmap(int32_t width, int32_t height)
    : TGdiBitmap()
{
    SetSize(width, height, 0);
}

TGdiBitmap::TGdiBitmap(TRowOrder order)
    : TGdiBitmap()
{
    m_rowOrder = order;
}

TGdiBitmap::~TGdiBitmap() = default;

void TGdiBitmap::SetSize(int32_t width, int32_t height, TColorRef fill)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    auto bits = AllocatePixels(width, height);
    if (bits) {
        uint32_t* dst = reinterpret_cast<uint32_t*>(bits.get());
        FillPixels(dst, size_t(width) * size_t(height), PixelFromColorRef(fill));
        const int32_t keepW = std::min(width, m_width);
        const int32_t keepH = std::min(height, m_height);
        for (int32_t row = 0; row < keepH; ++row)
            std::memcpy(dst + size_t(m_rowOrder == TRowOrder::TopDown ? row : height - 1 - row) * size_t(width),
                ScanLine(row), size_t(keepW) * 4);
    }
    m_bits = std::move(bits);
    m_width = width;
    m_height = height;
}

void TGdiBitmap::Fill(TColorRef colour)
{
    if (m_bits)
        FillPixels(reinterpret_cast<uint32_t*>(m_bits.get()), size_t(m_width) * size_t(m_height),
            PixelFromColorRef(colour));
}

// ---------------------------------------------------------------------------------------------
// Device-context state

namespace {

TRect BitmapBounds(HDC dc) { return { 0, 0, dc->Bitmap().Width(), dc->Bitmap().Height() }; }

// The clip in device coordinates as a fresh region: the selected clip, or the whole bitmap.
std::shared_ptr<TGdiRegion> CurrentClipCopy(HDC dc)
{
    if (dc->State().Clip)
        return std::make_shared<TGdiRegion>(*dc->State().Clip);
    return std::make_shared<TGdiRegion>(BitmapBounds(dc));
}

TRect LogicalToDevice(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const TPoint o = dc->State().ViewportOrigin;
    TRect r { ClampCoordinate(int64_t(left) + o.X), ClampCoordinate(int64_t(top) + o.Y),
        ClampCoordinate(int64_t(right) + o.X), ClampCoordinate(int64_t(bottom) + o.Y) };
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

// Where drawing can reach: the bitmap within the clip region.
TGdiRegion VisibleRegion(HDC dc)
{
    TGdiRegion visible(BitmapBounds(dc));
    if (dc->State().Clip)
        pixman_region32_intersect(&visible.Region, &visible.Region, &dc->State().Clip->Region);
    return visible;
}

int32_t VisibleType(HDC dc) { return VisibleRegion(dc).Type(); }

// Installs a new clip region.
void SetClip(HDC dc, std::shared_ptr<TGdiRegion> clip)
{
    clip->CheckInvariants();
    dc->State().Clip = std::move(clip);
}

} // namespace

void VisibleBoxes(HDC dc, const TRect& area, std::vector<TRect>& out)
{
    out.clear();
    const TRect r = Intersect(area, BitmapBounds(dc));
    if (r.IsEmpty())
        return;
    // A single rectangle without a clip region takes the fast path.
    if (!dc->State().Clip) {
        out.push_back(r);
        return;
    }
    TGdiRegion part(r);
    pixman_region32_intersect(&part.Region, &part.Region, &dc->State().Clip->Region);
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&part.Region, &n);
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back({ boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2 });
}

int32_t SelectClipRgn(HDC dc, HRGN region)
{
    if (!dc)
        return RGN_ERROR;
    if (!region) {
        dc->State().Clip.reset();
        return SIMPLEREGION;
    }
    SetClip(dc, std::make_shared<TGdiRegion>(*region));
    return VisibleType(dc);
}

namespace {

// Replaces the clip by itself combined with a rectangle given in logical coordinates.
using TRegionOp = pixman_bool_t (*)(pixman_region32_t*, const pixman_region32_t*, const pixman_region32_t*);

int32_t CombineClipWithRect(HDC dc, const TRect& logical, TRegionOp op)
{
    if (!dc)
        return RGN_ERROR;
    auto clip = CurrentClipCopy(dc);
    TGdiRegion rect(LogicalToDevice(dc, logical.Left, logical.Top, logical.Right, logical.Bottom));
    op(&clip->Region, &clip->Region, &rect.Region);
    SetClip(dc, std::move(clip));
    return VisibleType(dc);
}

} // namespace

int32_t ExcludeClipRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return CombineClipWithRect(dc, { left, top, right, bottom }, pixman_region32_subtract);
}

int32_t IntersectClipRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return CombineClipWithRect(dc, { left, top, right, bottom }, pixman_region32_intersect);
}

int32_t GetClipBox(HDC dc, TRect* box)
{
    if (!dc || !box)
        return RGN_ERROR;
    const TGdiRegion visible = VisibleRegion(dc);
    const pixman_box32_t* e = pixman_region32_extents(&visible.Region);
    const TPoint o = dc->State().ViewportOrigin;
    if (pixman_region32_not_empty(&visible.Region))
        *box = { e->x1 - o.X, e->y1 - o.Y, e->x2 - o.X, e->y2 - o.Y };
    else
        *box = {};
    return visible.Type();
}

bool RectVisible(HDC dc, const TRect* rect)
{
    if (!dc || !rect)
        return false;
    thread_local std::vector<TRect> boxes;
    VisibleBoxes(dc, LogicalToDevice(dc, rect->Left, rect->Top, rect->Right, rect->Bottom), boxes);
    return !boxes.empty();
}

int32_t SaveDC(HDC dc)
{
    if (!dc)
        return 0;
    // The clip is shared, not copied: every change to a clip replaces it with a new region.
    dc->SavedStates().push_back(dc->State());
    return int32_t(dc->SavedStates().size());
}

bool RestoreDC(HDC dc, int32_t level)
{
    if (!dc)
        return false;
    auto& saved = dc->SavedStates();
    const int64_t count = int64_t(saved.size());
    const int64_t target = level < 0 ? count + level + 1 : level;
    if (level == 0 || target < 1 || target > count)
        return false;
    dc->State() = saved[size_t(target - 1)];
    saved.resize(size_t(target - 1));
    return true;
}

int32_t SetStretchBltMode(HDC dc, int32_t mode)
{
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(dc->State().StretchMode, mode);
}

bool SetViewportOrgEx(HDC dc, int32_t x, int32_t y, TPoint* previous)
{
    if (!dc)
        return false;
    if (previous)
        *previous = dc->State().ViewportOrigin;
    dc->State().ViewportOrigin = { x, y };
    return true;
}

void SetBrushColor(HDC dc, TColorRef colour)
{
    dc->State().BrushColor = colour;
    dc->State().BrushStyle = TBrushStyle::Solid;
}

void SetBrushStyle(HDC dc, TBrushStyle style) { dc->State().BrushStyle = style; }

void SetPen(HDC dc, TColorRef colour, int32_t width, TPenStyle style)
{
    dc->State().PenColor = colour;
    dc->State().PenWidth = std::max(1, width);
    dc->State().PenStyle = style;
}

// ---------------------------------------------------------------------------------------------
// Fills

namespace {

void FillDeviceRect(HDC dc, const TRect& area, TColorRef colour)
{
    const uint32_t value = PixelFromColorRef(colour);
    TGdiBitmap& bitmap = dc->Bitmap();
    thread_local std::vector<TRect> boxes;
    VisibleBoxes(dc, area, boxes);
    for (const TRect& box : boxes)
        for (int32_t y = box.Top; y < box.Bottom; ++y)
            std::fill_n(bitmap.ScanLine(y) + box.Left, box.Width(), value);
}

} // namespace

void FillRect(HDC dc, const TRect& rect, TColorRef colour)
{
    if (!dc || rect.IsEmpty())
        return;
    FillDeviceRect(dc, LogicalToDevice(dc, rect.Left, rect.Top, rect.Right, rect.Bottom), colour);
}

void Rectangle(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!dc)
        return;
    TRect r = LogicalToDevice(dc, left, top, right, bottom);
    const TDCState& s = dc->State();
    const int32_t w = s.PenWidth;
    // A solid pen is centred on the outline; an inside-frame pen stays within the rectangle.
    if (s.PenStyle == TPenStyle::Solid && w > 1) {
        const int32_t grow = (w - 1) / 2;
        r = { r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow };
    }
    if (r.IsEmpty())
        return;
    if (s.BrushStyle == TBrushStyle::Solid)
        FillDeviceRect(dc, { r.Left + w, r.Top + w, r.Right - w, r.Bottom - w }, s.BrushColor);
    const int32_t t = std::min({ w, (r.Width() + 1) / 2, (r.Height() + 1) / 2 });
    FillDeviceRect(dc, { r.Left, r.Top, r.Right, r.Top + t }, s.PenColor);
    FillDeviceRect(dc, { r.Left, r.Bottom - t, r.Right, r.Bottom }, s.PenColor);
    FillDeviceRect(dc, { r.Left, r.Top + t, r.Left + t, r.Bottom - t }, s.PenColor);
    FillDeviceRect(dc, { r.Right - t, r.Top + t, r.Right, r.Bottom - t }, s.PenColor);
}
