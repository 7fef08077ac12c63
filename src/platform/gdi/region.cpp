// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Regions: pixman does the set algebra; the shapes are scan-converted here. A pixel belongs to
// a shape when its centre does, with centres on a left or top boundary inside and on a right or
// bottom boundary outside; all tests run in exact integer arithmetic on doubled coordinates
// (pixel centre x + 0.5 becomes 2x + 1), so no rounding decides an edge.
#include "gdiprivate.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace {

std::atomic<int64_t> g_liveRegions { 0 };

using Int128 = __int128;

// Collects one row span after another and merges runs of rows with identical spans into one
// box, which keeps pixman's validation cheap for shapes with straight sides.
class TSpanCollector {
public:
    void Row(int32_t y, const std::vector<std::pair<int32_t, int32_t>>& spans)
    {
        if (!m_openRow.empty() && m_openBottom == y && SameSpans(spans)) {
            m_openBottom = y + 1;
            return;
        }
        Flush();
        m_openTop = y;
        m_openBottom = y + 1;
        m_openRow = spans;
    }
    std::unique_ptr<TGdiRegion> Finish()
    {
        Flush();
        return std::make_unique<TGdiRegion>(m_boxes);
    }

private:
    bool SameSpans(const std::vector<std::pair<int32_t, int32_t>>& spans) const { return spans == m_openRow; }
    void Flush()
    {
        for (const auto& [x0, x1] : m_openRow)
            if (x0 < x1)
                m_boxes.push_back({ x0, m_openTop, x1, m_openBottom });
        m_openRow.clear();
    }

    std::vector<pixman_box32_t> m_boxes;
    std::vector<std::pair<int32_t, int32_t>> m_openRow;
    int32_t m_openTop = 0;
    int32_t m_openBottom = 0;
};

TRect NormalisedClamped(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    TRect r { ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom) };
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

// Rounded rectangle with corner ellipses of (doubled) radii ew x eh; ew = eh = 0 is a plain
// rectangle, ew = width and eh = height an ellipse. Centre (P, Q) in doubled coordinates is
// inside when its distance beyond the inner rectangle, in ellipse units, is at most one.
struct TRoundShape {
    TRect R;
    int64_t Ew, Eh;

    int64_t Excess(int64_t p, int64_t lo, int64_t hi, int64_t e) const
    {
        // Distance of p beyond [lo + e, hi − e] (doubled coordinates, lo and hi doubled edges).
        return std::max<int64_t>({ 0, lo + e - p, p - (hi - e) });
    }
    bool RowInside(int64_t dy) const { return dy <= Eh; }
    bool Inside(int64_t p, int64_t dy) const
    {
        if (p < 2 * int64_t(R.Left) || p >= 2 * int64_t(R.Right))
            return false;
        if (Ew == 0 || Eh == 0)
            return true;
        const int64_t dx = Excess(p, 2 * int64_t(R.Left), 2 * int64_t(R.Right), Ew);
        return Int128(dx) * dx * Eh * Eh + Int128(dy) * dy * Ew * Ew <= Int128(Ew) * Ew * Eh * Eh;
    }
};

std::unique_ptr<TGdiRegion> ScanRoundShape(const TRoundShape& shape)
{
    TSpanCollector collector;
    std::vector<std::pair<int32_t, int32_t>> spans(1);
    const TRect& r = shape.R;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        const int64_t q = 2 * int64_t(y) + 1;
        const int64_t dy = shape.Eh == 0 ? 0 : shape.Excess(q, 2 * int64_t(r.Top), 2 * int64_t(r.Bottom), shape.Eh);
        if (!shape.RowInside(dy))
            continue;
        // Estimate the span's half width, then settle it with the exact test.
        int32_t left = r.Left;
        if (shape.Ew != 0 && shape.Eh != 0 && dy > 0) {
            const double t = 1.0 - double(dy) * double(dy) / (double(shape.Eh) * double(shape.Eh));
            const double half = double(shape.Ew) * std::sqrt(std::max(0.0, t)); // doubled units
            const double edge = (2.0 * r.Left + double(shape.Ew) - half - 1.0) / 2.0;
            left = int32_t(std::clamp<double>(std::floor(edge), r.Left, r.Right));
        }
        const int32_t middle = int32_t((int64_t(r.Left) + r.Right) / 2);
        while (left > r.Left && shape.Inside(2 * int64_t(left - 1) + 1, dy))
            --left;
        while (left < r.Right && !shape.Inside(2 * int64_t(left) + 1, dy) && left <= middle)
            ++left;
        if (left >= r.Right || !shape.Inside(2 * int64_t(left) + 1, dy))
            continue;
        // The shape is symmetric about the vertical middle line.
        const int32_t right = r.Left + r.Right - left;
        spans[0] = { left, right };
        collector.Row(y, spans);
    }
    return collector.Finish();
}

struct TEdge {
    int64_t X0, Y0, X1, Y1; // Y0 < Y1
    int32_t Direction;
};

std::unique_ptr<TGdiRegion> ScanPolygon(const TPoint* points, int32_t count, int32_t fillMode)
{
    std::vector<TEdge> edges;
    int32_t top = RegionCoordinateLimit, bottom = -RegionCoordinateLimit;
    for (int32_t i = 0; i < count; ++i) {
        const TPoint a { ClampCoordinate(points[i].X), ClampCoordinate(points[i].Y) };
        const TPoint& nb = points[(i + 1) % count];
        const TPoint b { ClampCoordinate(nb.X), ClampCoordinate(nb.Y) };
        if (a.Y == b.Y)
            continue; // horizontal edges add no crossing
        if (a.Y < b.Y)
            edges.push_back({ a.X, a.Y, b.X, b.Y, 1 });
        else
            edges.push_back({ b.X, b.Y, a.X, a.Y, -1 });
        top = std::min({ top, a.Y, b.Y });
        bottom = std::max({ bottom, a.Y, b.Y });
    }
    TSpanCollector collector;
    std::vector<std::pair<int64_t, int32_t>> crossings;
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (int32_t y = top; y < bottom; ++y) {
        const int64_t yc2 = 2 * int64_t(y) + 1;
        crossings.clear();
        for (const TEdge& e : edges) {
            if (yc2 < 2 * e.Y0 || yc2 >= 2 * e.Y1)
                continue;
            // First pixel whose centre lies at or right of the crossing:
            // ceil(((2·x0 − 1)(y1 − y0) + (2y + 1 − 2·y0)(x1 − x0)) / (2(y1 − y0))).
            const int64_t dy = e.Y1 - e.Y0;
            const int64_t n = (2 * e.X0 - 1) * dy + (yc2 - 2 * e.Y0) * (e.X1 - e.X0);
            const int64_t d = 2 * dy;
            const int64_t x = n >= 0 ? (n + d - 1) / d : -((-n) / d);
            crossings.push_back({ x, e.Direction });
        }
        std::sort(crossings.begin(), crossings.end());
        spans.clear();
        int32_t winding = 0;
        for (size_t i = 0; i < crossings.size(); ++i) {
            const bool wasInside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            winding += fillMode == WINDING ? crossings[i].second : 1;
            const bool isInside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            const int32_t x = ClampCoordinate(crossings[i].first);
            if (!wasInside && isInside)
                spans.push_back({ x, x });
            else if (wasInside && !isInside)
                spans.back().second = x;
        }
        std::erase_if(spans, [](const auto& s) { return s.first >= s.second; });
        // Touching spans from separate crossings at one x join into one.
        std::vector<std::pair<int32_t, int32_t>> merged;
        for (const auto& s : spans) {
            if (!merged.empty() && merged.back().second >= s.first)
                merged.back().second = std::max(merged.back().second, s.second);
            else
                merged.push_back(s);
        }
        if (!merged.empty())
            collector.Row(y, merged);
    }
    return collector.Finish();
}

} // namespace

HRGN NewRegionHandle(std::unique_ptr<TGdiRegion> region)
{
    region->CheckInvariants();
    g_liveRegions.fetch_add(1, std::memory_order_relaxed);
    return region.release();
}

int64_t LiveRegionCount() { return g_liveRegions.load(std::memory_order_relaxed); }

bool DeleteObject(HRGN region)
{
    if (!region)
        return false;
    g_liveRegions.fetch_sub(1, std::memory_order_relaxed);
    delete region;
    return true;
}

HRGN CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return NewRegionHandle(std::make_unique<TGdiRegion>(NormalisedClamped(left, top, right, bottom)));
}

HRGN CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
    int32_t ellipseHeight)
{
    const TRect r = NormalisedClamped(left, top, right, bottom);
    // The corner ellipse is limited to the rectangle, as the platform does.
    const int64_t ew = std::min<int64_t>(std::abs(int64_t(ellipseWidth)), r.Width());
    const int64_t eh = std::min<int64_t>(std::abs(int64_t(ellipseHeight)), r.Height());
    return NewRegionHandle(ScanRoundShape({ r, ew, eh }));
}

HRGN CreateEllipticRgn(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const TRect r = NormalisedClamped(left, top, right, bottom);
    if (r.IsEmpty())
        return NewRegionHandle(std::make_unique<TGdiRegion>());
    return NewRegionHandle(ScanRoundShape({ r, r.Width(), r.Height() }));
}

HRGN CreatePolygonRgn(const TPoint* points, int32_t count, int32_t fillMode)
{
    if (!points || count < 0 || (fillMode != WINDING && fillMode != ALTERNATE))
        return nullptr;
    if (count < 3)
        return NewRegionHandle(std::make_unique<TGdiRegion>());
    return NewRegionHandle(ScanPolygon(points, count, fillMode));
}

HRGN ExtCreateRegion(const void* transform, uint32_t size, const void* data)
{
    // Transforms are not supported; nobody here passes one.
    if (transform || !data || size < sizeof(TRgnDataHeader))
        return nullptr;
    TRgnDataHeader header;
    std::memcpy(&header, data, sizeof header);
    if (header.dwSize != sizeof(TRgnDataHeader) || header.iType != RDH_RECTANGLES)
        return nullptr;
    if (uint64_t(header.nCount) * sizeof(TRect) > uint64_t(size) - sizeof(TRgnDataHeader))
        return nullptr;
    const uint8_t* bytes = static_cast<const uint8_t*>(data) + sizeof(TRgnDataHeader);
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(header.nCount);
    for (uint32_t i = 0; i < header.nCount; ++i) {
        TRect r;
        std::memcpy(&r, bytes + size_t(i) * sizeof(TRect), sizeof r);
        // Inverted rectangles are empty, as a negative length reveals nothing.
        const pixman_box32_t b { ClampCoordinate(r.Left), ClampCoordinate(r.Top), ClampCoordinate(r.Right),
            ClampCoordinate(r.Bottom) };
        if (b.x1 < b.x2 && b.y1 < b.y2)
            boxes.push_back(b);
    }
    return NewRegionHandle(std::make_unique<TGdiRegion>(boxes));
}

int32_t CombineRgn(HRGN dst, HRGN src1, HRGN src2, int32_t mode)
{
    if (!dst || !src1 || (mode != RGN_COPY && !src2))
        return RGN_ERROR;
    pixman_region32_t* d = &dst->Region;
    pixman_region32_t* a = &src1->Region;
    pixman_region32_t* b = mode == RGN_COPY ? nullptr : &src2->Region;
    switch (mode) {
    case RGN_AND:
        pixman_region32_intersect(d, a, b);
        break;
    case RGN_OR:
        pixman_region32_union(d, a, b);
        break;
    case RGN_DIFF:
        pixman_region32_subtract(d, a, b);
        break;
    case RGN_COPY:
        pixman_region32_copy(d, a);
        break;
    case RGN_XOR: {
        TGdiRegion aMinusB, bMinusA;
        pixman_region32_subtract(&aMinusB.Region, a, b);
        pixman_region32_subtract(&bMinusA.Region, b, a);
        pixman_region32_union(d, &aMinusB.Region, &bMinusA.Region);
        break;
    }
    default:
        return RGN_ERROR;
    }
    dst->CheckInvariants();
    return dst->Type();
}

int32_t OffsetRgn(HRGN region, int32_t dx, int32_t dy)
{
    if (!region)
        return RGN_ERROR;
    pixman_region32_translate(&region->Region, dx, dy);
    region->CheckInvariants();
    return region->Type();
}

int32_t GetRgnBox(HRGN region, TRect* box)
{
    if (!region || !box)
        return RGN_ERROR;
    const pixman_box32_t* e = pixman_region32_extents(&region->Region);
    *box = pixman_region32_not_empty(&region->Region) ? TRect { e->x1, e->y1, e->x2, e->y2 } : TRect {};
    return region->Type();
}

bool PtInRegion(HRGN region, int32_t x, int32_t y)
{
    return region && pixman_region32_contains_point(&region->Region, x, y, nullptr);
}

bool EqualRgn(HRGN a, HRGN b)
{
    return a && b && pixman_region32_equal(&a->Region, &b->Region);
}

std::vector<TRect> GetRegionRects(HRGN region)
{
    std::vector<TRect> rects;
    if (!region)
        return rects;
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region->Region, &n);
    rects.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        rects.push_back({ boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2 });
    return rects;
}
