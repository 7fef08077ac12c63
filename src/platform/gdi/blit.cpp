// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Block transfers. Every transfer starts the same way: translate to device coordinates,
// intersect with the bitmap and the clip, return if nothing is left, then copy row by row.
#include "gdiprivate.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// The two bitmaps of a transfer and the corners of its rectangles in device coordinates.
struct TTransferEnds {
    TGdiBitmap& Target;
    const TGdiBitmap& Source;
    int64_t DX, DY; // destination corner
    int64_t SX, SY; // source corner
    bool SameBitmap() const { return &Target == &Source; }
};

// Nothing when either bitmap is empty: then there is nothing to transfer.
std::optional<TTransferEnds> TransferEnds(HDC dst, int32_t x, int32_t y, HDC src, int32_t sx, int32_t sy)
{
    TGdiBitmap& target = dst->Bitmap();
    const TGdiBitmap& source = src->Bitmap();
    if (target.Empty() || source.Empty())
        return std::nullopt;
    const TPoint dOrg = dst->State().ViewportOrigin;
    const TPoint sOrg = src->State().ViewportOrigin;
    return TTransferEnds { target, source, int64_t(x) + dOrg.X, int64_t(y) + dOrg.Y, int64_t(sx) + sOrg.X,
        int64_t(sy) + sOrg.Y };
}

TRect BoundsOf(const std::vector<TRect>& boxes)
{
    TRect b = boxes.front();
    for (const TRect& r : boxes)
        b = { std::min(b.Left, r.Left), std::min(b.Top, r.Top), std::max(b.Right, r.Right),
            std::max(b.Bottom, r.Bottom) };
    return b;
}

// A copy of part of a bitmap, so that a transfer within one bitmap reads its whole source
// before it writes.
struct TSourceView {
    const uint8_t* Bits; // start of the block, as in a bitmap
    int32_t Width, Height; // of the full view, in pixels
    TRowOrder Order = TRowOrder::BottomUp;
    int32_t OriginX = 0, OriginY = 0; // device position of the view's top-left pixel

    const uint32_t* Row(int32_t y) const
    {
        const int32_t row = y - OriginY;
        const size_t inMemory = size_t(Order == TRowOrder::TopDown ? row : Height - 1 - row);
        return reinterpret_cast<const uint32_t*>(Bits) + inMemory * size_t(Width) - OriginX;
    }
};

TSourceView ViewOf(const TGdiBitmap& bitmap)
{
    return { bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.RowOrder() };
}

TSourceView SnapshotOf(const TGdiBitmap& bitmap, const TRect& box, std::vector<uint32_t>& storage)
{
    const int32_t w = box.Width(), h = box.Height();
    storage.resize(size_t(w) * size_t(h));
    for (int32_t y = box.Top; y < box.Bottom; ++y)
        std::memcpy(storage.data() + size_t(box.Bottom - 1 - y) * size_t(w), bitmap.ScanLine(y) + box.Left,
            size_t(w) * 4);
    return { reinterpret_cast<const uint8_t*>(storage.data()), w, h, TRowOrder::BottomUp, box.Left, box.Top };
}

} // namespace

bool BitBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t sx, int32_t sy, uint32_t rop)
{
    if (!dst || !src || rop != SRCCOPY)
        return false;
    if (w <= 0 || h <= 0)
        return true;
    const auto ends = TransferEnds(dst, x, y, src, sx, sy);
    if (!ends)
        return true;
    const auto& [target, source, dx, dy, sdx, sdy] = *ends;
    // Device offset from a destination pixel to its source pixel.
    const int64_t ox = sdx - dx, oy = sdy - dy;
    // Destination area: the rectangle, limited to where the source bitmap has pixels.
    const int64_t left = std::max<int64_t>(dx, -ox), top = std::max<int64_t>(dy, -oy);
    const int64_t right = std::min<int64_t>(dx + w, int64_t(source.Width()) - ox);
    const int64_t bottom = std::min<int64_t>(dy + h, int64_t(source.Height()) - oy);
    if (left >= right || top >= bottom)
        return true;
    const TRect area { ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom) };

    thread_local std::vector<TRect> boxes;
    VisibleBoxes(dst, area, boxes);
    if (boxes.empty())
        return true;

    const int32_t offX = int32_t(ox), offY = int32_t(oy);
    thread_local std::vector<uint32_t> snapshot;
    TSourceView view = ViewOf(source);
    if (ends->SameBitmap() && (offX != 0 || offY != 0)) {
        const TRect b = BoundsOf(boxes);
        view = SnapshotOf(source, { b.Left + offX, b.Top + offY, b.Right + offX, b.Bottom + offY }, snapshot);
    } else if (ends->SameBitmap()) {
        return true; // copying onto itself changes nothing
    }

    const int32_t tw = target.Width();
    for (const TRect& b : boxes) {
        // Whole rows of equal width, stored in the same order, are one contiguous block in both
        // bitmaps; it starts at the row that comes first in memory.
        if (b.Left == 0 && b.Right == tw && offX == 0 && view.Width == tw && view.OriginX == 0
            && view.Order == target.RowOrder()) {
            const size_t rows = size_t(b.Height());
            const int32_t first = view.Order == TRowOrder::TopDown ? b.Top : b.Bottom - 1;
            std::memcpy(target.ScanLine(first), view.Row(first + offY), rows * size_t(tw) * 4);
            continue;
        }
        const size_t bytes = size_t(b.Width()) * 4;
        for (int32_t row = b.Top; row < b.Bottom; ++row)
            std::memcpy(target.ScanLine(row) + b.Left, view.Row(row + offY) + b.Left + offX, bytes);
    }
    return true;
}

namespace {

// For each destination pixel of the run [first, last) along one axis, its source pixel, or
// −1 when that falls outside the source. `edge` and `size` describe the destination as given
// (a negative size runs backwards from the edge), likewise `sEdge` and `sSize`.
void MapAxis(int64_t edge, int64_t size, int64_t sEdge, int64_t sSize, int32_t sourceLimit, int32_t first,
    int32_t last, std::vector<int32_t>& map)
{
    map.resize(size_t(last - first));
    const int64_t dn = size < 0 ? -size : size;
    const int64_t sn = sSize < 0 ? -sSize : sSize;
    for (int32_t p = first; p < last; ++p) {
        const int64_t i = size > 0 ? p - edge : edge - p;
        // Nearest source by pixel centres: floor((2i + 1)·|sw| / (2·|dw|)).
        const int64_t j = ((2 * i + 1) * sn) / (2 * dn);
        const int64_t s = sSize > 0 ? sEdge + j : sEdge - j;
        map[size_t(p - first)] = (s >= 0 && s < sourceLimit) ? int32_t(s) : -1;
    }
}

// The row kernels of a stretch: out[i] = in[map[i]] for the n pixels of a destination row,
// chosen once for a box by the shape of its column map. Pixels and column maps share no memory;
// saying so lets the compiler keep the map in registers instead of reloading it after every
// store (int32_t and uint32_t may alias).
using TStretchRow = void (*)(uint32_t* __restrict out, const uint32_t* __restrict in,
    const int32_t* __restrict map, int32_t n);

// Columns 1:1 in order: a plain copy.
void CopyColumns(uint32_t* __restrict out, const uint32_t* __restrict in, const int32_t* __restrict map, int32_t n)
{
    std::memcpy(out, in + map[0], size_t(n) * 4);
}

// Columns 1:1 mirrored: out[i] = in[map[0] − i].
void CopyColumnsReversed(uint32_t* __restrict out, const uint32_t* __restrict in, const int32_t* __restrict map,
    int32_t n)
{
    in += map[0];
    for (int32_t i = 0; i < n; ++i)
        out[i] = in[-i];
}

void GatherColumns(uint32_t* __restrict out, const uint32_t* __restrict in, const int32_t* __restrict map, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        out[i] = in[map[i]];
}

// Some columns fall outside the source (−1 in the map) and keep their pixels.
void GatherValidColumns(uint32_t* __restrict out, const uint32_t* __restrict in, const int32_t* __restrict map,
    int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        if (map[i] >= 0)
            out[i] = in[map[i]];
}

TStretchRow StretchRowFor(const int32_t* map, int32_t n)
{
    bool contiguous = true, reversed = true;
    for (int32_t i = 0; i < n; ++i) {
        if (map[i] < 0)
            return GatherValidColumns;
        contiguous = contiguous && (i == 0 || map[i] == map[i - 1] + 1);
        reversed = reversed && (i == 0 || map[i] == map[i - 1] - 1);
    }
    return contiguous ? CopyColumns : reversed ? CopyColumnsReversed : GatherColumns;
}

} // namespace

bool StretchBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t sx, int32_t sy,
    int32_t sw, int32_t sh, uint32_t rop)
{
    if (!dst || !src || rop != SRCCOPY)
        return false;
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return true;
    const auto ends = TransferEnds(dst, x, y, src, sx, sy);
    if (!ends)
        return true;
    const auto& [target, source, dx, dy, sdx, sdy] = *ends;
    // A negative size covers edge + size + 1 … edge.
    const int64_t left = w > 0 ? dx : dx + w + 1, right = w > 0 ? dx + w : dx + 1;
    const int64_t top = h > 0 ? dy : dy + h + 1, bottom = h > 0 ? dy + h : dy + 1;
    const TRect area { ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom) };

    thread_local std::vector<TRect> boxes;
    VisibleBoxes(dst, area, boxes);
    if (boxes.empty())
        return true;
    const TRect bounds = BoundsOf(boxes);

    thread_local std::vector<int32_t> columns, rows;
    MapAxis(dx, w, sdx, sw, source.Width(), bounds.Left, bounds.Right, columns);
    MapAxis(dy, h, sdy, sh, source.Height(), bounds.Top, bounds.Bottom, rows);

    thread_local std::vector<uint32_t> snapshot;
    TSourceView view = ViewOf(source);
    if (ends->SameBitmap()) {
        // Only the source window that the mapped pixels read.
        auto mappedRange = [](const std::vector<int32_t>& map, int32_t limit) {
            int32_t lo = limit, hi = -1;
            for (int32_t s : map)
                if (s >= 0) {
                    lo = std::min(lo, s);
                    hi = std::max(hi, s);
                }
            return std::pair { lo, hi + 1 };
        };
        const auto [x0, x1] = mappedRange(columns, source.Width());
        const auto [y0, y1] = mappedRange(rows, source.Height());
        if (x0 >= x1 || y0 >= y1)
            return true;
        view = SnapshotOf(source, { x0, y0, x1, y1 }, snapshot);
    }

    for (const TRect& b : boxes) {
        const int32_t* colMap = columns.data() + (b.Left - bounds.Left);
        const int32_t n = b.Width();
        const TStretchRow stretchRow = StretchRowFor(colMap, n);
        // A repeated source row is a copy of the row just drawn, unless that row kept some of
        // its own pixels.
        const bool copyRepeats = stretchRow != GatherValidColumns;
        int32_t previousSource = -1;
        const uint32_t* previousRow = nullptr;
        for (int32_t row = b.Top; row < b.Bottom; ++row) {
            const int32_t s = rows[size_t(row - bounds.Top)];
            if (s < 0)
                continue;
            uint32_t* out = target.ScanLine(row) + b.Left;
            if (copyRepeats && s == previousSource)
                std::memcpy(out, previousRow, size_t(n) * 4);
            else
                stretchRow(out, view.Row(s), colMap, n);
            previousSource = s;
            previousRow = out;
        }
    }
    return true;
}
