// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects 58, 59, 69, 70 and 80 … 85 (curved and elliptic reveals). Every frame is checked pixel
// by pixel against a rounded rectangle worked out here from the geometry, and the start and the
// end against plain statements of what they must show.
#include "effectrules.h"

#include <algorithm>
#include <vector>

using namespace effecttest;

namespace {

// A rectangle whose corners are cut by the quarters of an ew x eh ellipse.
struct TRoundRect {
    int32_t Left, Top, Right, Bottom, Ew, Eh;

    // Whether the centre of pixel (x, y) lies inside: within the rectangle (right and bottom edges
    // outside), and within the corner ellipse where it is in a corner. The corners are the
    // ellipse's quarters, radii ew/2 and eh/2, after the ellipse is limited to the rectangle and
    // the rectangle's edges are put in order. Worked in doubled coordinates so that the half
    // pixels and half radii stay whole.
    bool Contains(int32_t x, int32_t y) const
    {
        const int64_t l = 2 * int64_t(std::min(Left, Right)),
                      r = 2 * int64_t(std::max(Left, Right));
        const int64_t t = 2 * int64_t(std::min(Top, Bottom)),
                      b = 2 * int64_t(std::max(Top, Bottom));
        const int64_t px = 2 * int64_t(x) + 1, py = 2 * int64_t(y) + 1;
        if (px < l || px >= r || py < t || py >= b)
            return false;
        const int64_t ew = std::min<int64_t>(Ew, (r - l) / 2),
                      eh = std::min<int64_t>(Eh, (b - t) / 2);
        if (ew <= 0 || eh <= 0)
            return true;
        // How far the centre lies beyond the straight part of the edges (the arcs' centres).
        const int64_t dx = std::max<int64_t>({ 0, l + ew - px, px - (r - ew) });
        const int64_t dy = std::max<int64_t>({ 0, t + eh - py, py - (b - eh) });
        // (dx / ew)² + (dy / eh)² ≤ 1, multiplied out.
        return dx * dx * eh * eh + dy * dy * ew * ew <= ew * ew * eh * eh;
    }
};

struct TRow {
    int32_t Style;
    TRoundRect (*Shape)(int32_t W, int32_t H, int32_t X, int32_t Y);
    bool Outside; // the picture shows outside the shape instead of inside
};

#define ROW(style, outside, ...)                                                                   \
    TRow                                                                                           \
    {                                                                                              \
        style,                                                                                     \
            [](int32_t W, int32_t H, int32_t X, int32_t Y) {                                       \
                (void)W, (void)H, (void)X, (void)Y;                                                \
                return TRoundRect { __VA_ARGS__ };                                                 \
            },                                                                                     \
            outside                                                                                \
    }

// left, top, right, bottom, ew, eh of each effect's shape.
const TRow Rows[] = {
    ROW(58, false, -2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W),
    ROW(59, false, W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W),
    ROW(69, false, 0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H),
    ROW(70, false, 0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H),
    ROW(80, false, -W, -H, (3 * X) / 2, (3 * Y) / 2, 2 * W, 2 * H),
    ROW(81, false, W - (3 * X) / 2, -H, 2 * W, (3 * Y) / 2, 2 * W, 2 * H),
    ROW(82, false, -W, H - (3 * Y) / 2, (3 * X) / 2, 2 * H, 2 * W, 2 * H),
    ROW(83, false, W - (3 * X) / 2, H - (3 * Y) / 2, 2 * W, 2 * H, 2 * W, 2 * H),
    ROW(84, false, W / 2 - X, H / 2 - Y, W / 2 + X, H / 2 + Y, (9 * X) / 5, (9 * Y) / 5),
    ROW(85, true, X - W / 2, Y - H / 2, 3 * (W / 2) - X, 3 * (H / 2) - Y, (9 * (W - X)) / 5,
        (9 * (H - Y)) / 5),
};

// Odd sizes find the div 2 and div 5 quirks, the tall one the other way of computing the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

TEST(CurvedEffects, EveryRowPixelByPixelThroughTheTransition)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        for (int32_t progress = 0; progress <= 100; ++progress) {
            const TPoint ext = ExtentsRef(size.W, size.H, progress);
            for (const TRow& row : Rows) {
                SCOPED_TRACE(::testing::Message() << "effect " << row.Style << ", " << size.W << "x"
                                                  << size.H << ", X=" << ext.X << ", Y=" << ext.Y);
                const TRoundRect shape = row.Shape(f.W, f.H, ext.X, ext.Y);
                f.Run(row.Style, ext.X, ext.Y, progress);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
                    return shape.Contains(x, y) != row.Outside ? f.PictureAt(x, y)
                                                               : f.StartAt(x, y);
                }));
            }
        }
    }
}

// At the start the shape lies wholly off the screen or is empty (85: covers the whole screen),
// at the end it covers the whole screen (85: it is empty).
TEST(CurvedEffects, NothingAtTheStartTheWholePictureAtTheEnd)
{
    for (const TSize size : { TSize { 40, 30 }, TSize { 38, 24 }, TSize { 24, 38 } }) {
        TFrame f(size.W, size.H);
        for (const TRow& row : Rows) {
            SCOPED_TRACE(
                ::testing::Message() << "effect " << row.Style << ", " << size.W << "x" << size.H);
            f.Run(row.Style, 0, 0);
            EXPECT_TRUE(
                FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.StartAt(x, y); }));
            f.Run(row.Style, f.W, f.H);
            EXPECT_TRUE(
                FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.PictureAt(x, y); }));
        }
    }
}

// On an odd size effect 85 ends with an inverted rectangle, (19, 12) to (17, 10) on 37 x 23; the
// region call puts its edges in order, so the 2 x 2 pixels at its centre keep the old picture.
TEST(CurvedEffects, EllipseInToCentreOnAnOddSizeEndsWithASmallHole)
{
    TFrame f(37, 23);
    f.Run(85, 37, 23);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        return x >= 17 && x < 19 && y >= 10 && y < 12 ? f.StartAt(x, y) : f.PictureAt(x, y);
    }));
}

// Halfway on 40 x 30 (X = 20, Y = 15), said plainly for the near-ellipse of 84: the rectangle
// (0, 0) to (40, 30) with a 36 x 27 corner ellipse, so the corner pixel is outside, the middles of
// the four edges and the centre are inside, and the shape is symmetric about both middle lines.
TEST(CurvedEffects, NearEllipseHalfway)
{
    TFrame f(40, 30);
    f.Run(84, 20, 15);
    const auto shown
        = [&](int32_t x, int32_t y) { return f.Screen.Pixel(x, y) == f.PictureAt(x, y); };
    EXPECT_FALSE(shown(0, 0));
    EXPECT_FALSE(shown(39, 29));
    EXPECT_TRUE(shown(20, 0));
    EXPECT_TRUE(shown(0, 15));
    EXPECT_TRUE(shown(39, 15));
    EXPECT_TRUE(shown(20, 29));
    EXPECT_TRUE(shown(20, 15));
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_TRUE(shown(x, y) == shown(39 - x, y) && shown(x, y) == shown(x, 29 - y))
                << "not symmetric at (" << x << ", " << y << ")";
}

} // namespace
