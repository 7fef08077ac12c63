// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Regions against independent per-pixel rules: a region is rendered to a mask through
// PtInRegion and compared with the shape's own definition at every pixel centre.
#include "platform/gdi/gdi.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TRule = std::function<bool(int32_t, int32_t)>;

// Window over which masks are compared; every shape below lies within it or crosses its edge.
constexpr TRect Window { -12, -12, 60, 50 };

::testing::AssertionResult RegionMatches(HRGN region, const TRule& rule)
{
    if (!region)
        return ::testing::AssertionFailure() << "no region";
    for (int32_t y = Window.Top; y < Window.Bottom; ++y)
        for (int32_t x = Window.Left; x < Window.Right; ++x)
            if (PtInRegion(region, x, y) != rule(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                                     << (rule(x, y) ? "outside" : "inside")
                                                     << " the region but should not be";
    return ::testing::AssertionSuccess();
}

// Pixel centre (x + ½, y + ½) as doubled integers.
int64_t C2(int32_t v) { return 2 * int64_t(v) + 1; }

TRule RectRule(int32_t l, int32_t t, int32_t r, int32_t b)
{
    return [=](int32_t x, int32_t y) { return x >= l && x < r && y >= t && y < b; };
}

// Corner-ellipse test in doubled coordinates: a centre in a corner zone must lie in that
// corner's ellipse (centre at the zone's inner corner, radii ew/2 and eh/2).
TRule RoundRectRule(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh)
{
    ew = std::min(ew, r - l);
    eh = std::min(eh, b - t);
    return [=](int32_t x, int32_t y) {
        if (x < l || x >= r || y < t || y >= b)
            return false;
        if (ew == 0 || eh == 0)
            return true;
        const int64_t px = C2(x), py = C2(y);
        const int64_t cxl = 2 * l + ew, cxr = 2 * r - ew, cyt = 2 * t + eh, cyb = 2 * b - eh;
        int64_t dx = 0, dy = 0;
        if (px < cxl)
            dx = cxl - px;
        else if (px > cxr)
            dx = px - cxr;
        if (py < cyt)
            dy = cyt - py;
        else if (py > cyb)
            dy = py - cyb;
        if (dx == 0 || dy == 0)
            return true;
        // (dx / ew)² + (dy / eh)² ≤ 1 in doubled units
        return double(dx) * dx * eh * eh + double(dy) * dy * ew * ew <= double(ew) * ew * eh * eh;
    };
}

TRule EllipseRule(int32_t l, int32_t t, int32_t r, int32_t b)
{
    return [=](int32_t x, int32_t y) {
        const double a = r - l, bb = b - t;
        const double u = double(C2(x)) - (l + r), v = double(C2(y)) - (t + b);
        return a > 0 && bb > 0 && u * u * bb * bb + v * v * a * a <= a * a * bb * bb;
    };
}

// Winding number of the pixel centre: the edges crossing its row at or left of it, each
// counted by its direction (a ray to the left, half-open in y).
TRule PolygonRule(std::vector<TPoint> pts, bool winding)
{
    return [=](int32_t x, int32_t y) {
        const int64_t px = C2(x), py = C2(y);
        int32_t count = 0;
        for (size_t i = 0; i < pts.size(); ++i) {
            const TPoint a = pts[i], b = pts[(i + 1) % pts.size()];
            int64_t ax = 2 * a.X, ay = 2 * a.Y, bx = 2 * b.X, by = 2 * b.Y;
            int32_t dir = 1;
            if (ay > by) {
                std::swap(ax, bx);
                std::swap(ay, by);
                dir = -1;
            }
            if (!(ay <= py && py < by))
                continue;
            // crossing ≤ px  ⇔  (ax − px)(by − ay) + (py − ay)(bx − ax) ≤ 0
            if ((ax - px) * (by - ay) + (py - ay) * (bx - ax) <= 0)
                count += winding ? dir : 1;
        }
        return winding ? count != 0 : (count & 1) != 0;
    };
}

std::vector<TPoint> Star(int32_t cx, int32_t cy, int32_t r)
{
    // Five points joined every second one: a self-intersecting pentagram.
    std::vector<TPoint> p;
    for (int k = 0; k < 5; ++k) {
        const double a = -M_PI / 2 + k * 4 * M_PI / 5;
        p.push_back({ cx + int32_t(std::lround(r * std::cos(a))), cy + int32_t(std::lround(r * std::sin(a))) });
    }
    return p;
}

TEST(Regions, RectanglesRoundRectanglesAndEllipsesFollowTheirShapes)
{
    struct Case {
        const char* name;
        HRGN (*make)(const int32_t*);
        TRule rule;
        int32_t a[6];
    };
    auto rect = [](const int32_t* a) { return CreateRectRgn(a[0], a[1], a[2], a[3]); };
    auto round = [](const int32_t* a) { return CreateRoundRectRgn(a[0], a[1], a[2], a[3], a[4], a[5]); };
    auto ellipse = [](const int32_t* a) { return CreateEllipticRgn(a[0], a[1], a[2], a[3]); };
    const Case cases[] = {
        { "rect", rect, RectRule(2, 3, 17, 9), { 2, 3, 17, 9 } },
        { "rect inverted is normalised", rect, RectRule(2, 3, 17, 9), { 17, 9, 2, 3 } },
        { "rect empty", rect, RectRule(0, 0, 0, 0), { 5, 5, 5, 20 } },
        { "round rect", round, RoundRectRule(3, 2, 40, 30, 12, 9), { 3, 2, 40, 30, 12, 9 } },
        { "round rect odd", round, RoundRectRule(1, 1, 38, 24, 7, 5), { 1, 1, 38, 24, 7, 5 } },
        { "round rect ellipse limited", round, RoundRectRule(-20, 0, 30, 24, 100, 100), { -20, 0, 30, 24, 100, 100 } },
        { "round rect curved front", round, RoundRectRule(-80, 0, 20, 31, 80, 80), { -80, 0, 20, 31, 80, 80 } },
        { "round rect no rounding", round, RoundRectRule(4, 4, 20, 20, 0, 0), { 4, 4, 20, 20, 0, 0 } },
        { "near-ellipse", round, RoundRectRule(5, 4, 45, 34, 36, 27), { 5, 4, 45, 34, 36, 27 } },
        { "ellipse", ellipse, EllipseRule(0, 0, 10, 10), { 0, 0, 10, 10 } },
        { "ellipse wide odd", ellipse, EllipseRule(-7, 3, 48, 28), { -7, 3, 48, 28 } },
        { "ellipse thin", ellipse, EllipseRule(3, 3, 40, 6), { 3, 3, 40, 6 } },
        { "ellipse beyond window", ellipse, EllipseRule(-40, -30, 90, 70), { -40, -30, 90, 70 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TOwnedRegion r(c.make(c.a));
        EXPECT_TRUE(RegionMatches(r.get(), c.rule));
    }
}

TEST(Regions, PolygonsFollowTheWindingRule)
{
    struct Case {
        const char* name;
        std::vector<TPoint> points;
    };
    const Case cases[] = {
        { "triangle", { { 2, 2 }, { 40, 10 }, { 12, 35 } } },
        { "square", { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 } } },
        { "diamond", { { 20, 0 }, { 40, 20 }, { 20, 40 }, { 0, 20 } } },
        { "concave", { { 0, 0 }, { 30, 0 }, { 30, 30 }, { 15, 10 }, { 0, 30 } } },
        { "bow tie", { { 0, 0 }, { 40, 30 }, { 40, 0 }, { 0, 30 } } },
        { "star", Star(25, 22, 20) },
        { "clockwise and anticlockwise overlap", { { 0, 0 }, { 20, 0 }, { 20, 20 }, { 0, 20 }, { 0, 0 }, { 10, 5 }, { 30, 5 }, { 30, 25 }, { 10, 25 }, { 10, 5 } } },
        { "off the window", { { -30, -5 }, { 70, 10 }, { 20, 60 } } },
        { "degenerate line", { { 0, 0 }, { 20, 20 }, { 0, 0 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TOwnedRegion winding(CreatePolygonRgn(c.points.data(), int32_t(c.points.size()), WINDING));
        EXPECT_TRUE(RegionMatches(winding.get(), PolygonRule(c.points, true)));
        const TOwnedRegion alternate(CreatePolygonRgn(c.points.data(), int32_t(c.points.size()), ALTERNATE));
        EXPECT_TRUE(RegionMatches(alternate.get(), PolygonRule(c.points, false)));
    }
    // The star's centre is inside with WINDING and a hole with ALTERNATE.
    const auto star = Star(25, 22, 20);
    const TOwnedRegion w(CreatePolygonRgn(star.data(), 5, WINDING));
    const TOwnedRegion a(CreatePolygonRgn(star.data(), 5, ALTERNATE));
    EXPECT_TRUE(PtInRegion(w.get(), 25, 22));
    EXPECT_FALSE(PtInRegion(a.get(), 25, 22));
}

TEST(Regions, RightAndBottomEdgesAreOutside)
{
    const TOwnedRegion rect(CreateRectRgn(0, 0, 10, 10));
    TRect box;
    EXPECT_EQ(GetRgnBox(rect.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect { 0, 0, 10, 10 }));
    EXPECT_TRUE(PtInRegion(rect.get(), 9, 9));
    EXPECT_FALSE(PtInRegion(rect.get(), 10, 9));
    EXPECT_FALSE(PtInRegion(rect.get(), 9, 10));

    const TPoint square[] = { { 0, 0 }, { 10, 0 }, { 10, 10 }, { 0, 10 } };
    const TOwnedRegion poly(CreatePolygonRgn(square, 4, WINDING));
    EXPECT_TRUE(EqualRgn(poly.get(), rect.get()));
    const TOwnedRegion ellipse(CreateEllipticRgn(0, 0, 10, 10));
    GetRgnBox(ellipse.get(), &box);
    EXPECT_EQ(box, (TRect { 0, 0, 10, 10 }));
    const TOwnedRegion round(CreateRoundRectRgn(0, 0, 10, 10, 4, 4));
    GetRgnBox(round.get(), &box);
    EXPECT_EQ(box, (TRect { 0, 0, 10, 10 }));
}

TEST(Regions, SetOperationsMatchPixelAlgebra)
{
    const TRule a = EllipseRule(0, 0, 30, 24);
    const TRule b = RectRule(12, 6, 44, 40);
    struct Case {
        int32_t mode;
        std::function<bool(bool, bool)> op;
        int32_t type;
    };
    const Case cases[] = {
        { RGN_AND, [](bool p, bool q) { return p && q; }, COMPLEXREGION },
        { RGN_OR, [](bool p, bool q) { return p || q; }, COMPLEXREGION },
        { RGN_XOR, [](bool p, bool q) { return p != q; }, COMPLEXREGION },
        { RGN_DIFF, [](bool p, bool q) { return p && !q; }, COMPLEXREGION },
        { RGN_COPY, [](bool p, bool) { return p; }, COMPLEXREGION },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const TOwnedRegion ra(CreateEllipticRgn(0, 0, 30, 24));
        const TOwnedRegion rb(CreateRectRgn(12, 6, 44, 40));
        const TOwnedRegion dst(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(CombineRgn(dst.get(), ra.get(), rb.get(), c.mode), c.type);
        EXPECT_TRUE(RegionMatches(dst.get(), [&](int32_t x, int32_t y) { return c.op(a(x, y), b(x, y)); }));
        // The destination may be one of the sources.
        EXPECT_EQ(CombineRgn(ra.get(), ra.get(), rb.get(), c.mode), c.type);
        EXPECT_TRUE(EqualRgn(ra.get(), dst.get()));
    }
    const TOwnedRegion x(CreateRectRgn(0, 0, 5, 5));
    const TOwnedRegion y(CreateRectRgn(10, 10, 15, 15));
    EXPECT_EQ(CombineRgn(x.get(), x.get(), y.get(), RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(x.get(), x.get(), y.get(), 9), RGN_ERROR);
}

std::vector<uint8_t> RegionBlock(const std::vector<TRect>& rects)
{
    std::vector<uint8_t> block(32 + rects.size() * 16 + 4);
    TRgnDataHeader h { 32, RDH_RECTANGLES, uint32_t(rects.size()), 16, {} };
    std::memcpy(block.data(), &h, 32);
    std::memcpy(block.data() + 32, rects.data(), rects.size() * 16);
    return block;
}

TEST(Regions, ExtCreateRegionUnitesRectanglesAndSkipsInvertedOnes)
{
    const auto block = RegionBlock({ { 0, 0, 10, 2 }, { 5, 1, 20, 4 }, { 30, 0, 25, 9 }, { 0, 9, 4, 6 }, { 2, 2, 2, 8 } });
    const TOwnedRegion r(ExtCreateRegion(nullptr, uint32_t(block.size()), block.data()));
    EXPECT_TRUE(RegionMatches(r.get(), [](int32_t x, int32_t y) {
        return (x >= 0 && x < 10 && y >= 0 && y < 2) || (x >= 5 && x < 20 && y >= 1 && y < 4);
    }));

    // Malformed blocks are refused rather than read beyond their end.
    auto shortBlock = RegionBlock({ { 0, 0, 4, 4 } });
    EXPECT_EQ(ExtCreateRegion(nullptr, 40, shortBlock.data()), nullptr);
    auto badHeader = shortBlock;
    badHeader[4] = 7;
    EXPECT_EQ(ExtCreateRegion(nullptr, uint32_t(badHeader.size()), badHeader.data()), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 8, shortBlock.data()), nullptr);
}

TEST(Regions, LiveRegionCountFollowsCreateAndDelete)
{
    const int64_t before = LiveRegionCount();
    HRGN a = CreateRectRgn(0, 0, 5, 5);
    HRGN b = CreateEllipticRgn(0, 0, 5, 5);
    EXPECT_EQ(LiveRegionCount(), before + 2);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(LiveRegionCount(), before);
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    struct Case {
        int32_t a, b, c, want;
    };
    const Case cases[] = {
        { 400, 50, 100, 200 }, { 300, 33, 100, 99 }, { 400, 33, 100, 132 }, { 100, 1, 100, 1 },
        { 1, 1, 2, 1 }, { -1, 1, 2, -1 }, { 1, -1, 2, -1 }, { -1, -1, 2, 1 }, { 3, 1, 2, 2 },
        { 5, 1, 4, 1 }, { 7, 1, 4, 2 }, { -7, 1, 4, -2 }, { 5, 1, -4, -1 }, { 10, 10, 0, -1 },
        { 2147483647, 2, 2, 2147483647 }, { 2147483647, 2147483647, 2147483647, 2147483647 },
        { 2147483647, 2, 1, -1 }, { -2147483647 - 1, 1, 1, -2147483647 - 1 }, { 0, 5, 7, 0 },
        { 37, 33, 100, 12 }, { 37, 50, 100, 19 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << " * " << c.b << " / " << c.c;
}

} // namespace
