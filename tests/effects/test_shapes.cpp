// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Rectangular and circular shreds, clock sweeps, moving rectangles and rotating shapes
// (effects 143 … 153), each checked over every pixel against a rule of its own.
#include "effectrules.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace effecttest;

namespace {

constexpr long double Pi = 3.14159265358979323846264338327950288L;

using TCovers = std::function<bool(int32_t x, int32_t y)>;
// Which pixels show the picture for one call of the effect.
using TRule = TCovers (*)(int32_t W, int32_t H, int32_t X, int32_t Y, int32_t P, uint32_t handle);

// Centres of the 2N x 2N cells laid from the top-left corner while the cell starts inside.
std::vector<TPoint> CellCentres(int32_t W, int32_t H, int32_t N)
{
    std::vector<TPoint> centres;
    for (int32_t x0 = 0; x0 < W; x0 += 2 * N)
        for (int32_t y0 = 0; y0 < H; y0 += 2 * N)
            centres.push_back({ x0 + N, y0 + N });
    return centres;
}

TCovers AnyRect(std::vector<TRect> rects)
{
    return [rects](int32_t x, int32_t y) {
        return std::any_of(rects.begin(), rects.end(),
            [&](const TRect& r) { return RectCovers(r.Left, r.Top, r.Right, r.Bottom, x, y); });
    };
}

TCovers RectangularShred(int32_t W, int32_t H, int32_t, int32_t, int32_t P, uint32_t)
{
    const int32_t N = std::min(W, H) / 10 + 1;
    const int32_t A = MulDivRef(N, P, 100);
    std::vector<TRect> squares;
    for (const TPoint& c : CellCentres(W, H, N))
        squares.push_back({ c.X - A, c.Y - A, c.X + A, c.Y + A });
    return AnyRect(squares);
}

// The centre, then Progress arc points from 12 o'clock, 3.6 degrees apart, on a circle
// through the corners; turn is +1 clockwise on the screen, −1 anticlockwise.
TPolygonRef SectorPolygon(int32_t W, int32_t H, int32_t P, int32_t turn)
{
    const int32_t CX = W / 2, CY = H / 2;
    const auto R = int32_t(std::ceil(std::sqrt(static_cast<long double>(CX) * CX + static_cast<long double>(CY) * CY)));
    const long double start = -Pi / 2, end = start + turn * (P * Pi / 50), step = (end - start) / P;
    TPolygonRef polygon { { CX, CY } };
    long double a = start;
    for (int32_t k = 1; k <= P; ++k, a += step)
        polygon.push_back({ CX + int32_t(std::nearbyint(R * std::cos(a))), CY + int32_t(std::nearbyint(R * std::sin(a))) });
    return polygon;
}

template <int32_t Turn>
TCovers Sweep(int32_t W, int32_t H, int32_t, int32_t, int32_t P, uint32_t)
{
    return [polygon = SectorPolygon(W, H, P, Turn)](int32_t x, int32_t y) { return PolygonCovers(polygon, x, y); };
}

template <int32_t Style>
TCovers MovingRectangles(int32_t W, int32_t H, int32_t X, int32_t Y, int32_t P, uint32_t)
{
    std::vector<TRect> rects;
    const bool vertical = Style >= 148;
    const int32_t D = vertical ? Y : X, N = vertical ? W / 20 : H / 20;
    if (D != 0 && N != 0) {
        const int32_t A = MulDivRef(N, P, 100), V = MulDivRef(D, P, 100);
        for (int32_t b = -N; b < (vertical ? W : H); b += 3 * N)
            rects.push_back(vertical ? TRect { b - A, 0, b + A, H } : TRect { 0, b - A, W, b + A });
        switch (Style) {
        case 146:
            for (int32_t x = 0; x < W; x += D)
                rects.push_back({ x, 0, x + V, H });
            break;
        case 147:
            for (int32_t x = W; x > 0; x -= D)
                rects.push_back({ x - V, 0, x, H });
            break;
        case 148:
            for (int32_t y = 0; y < H; y += D)
                rects.push_back({ 0, y, W, y + V });
            break;
        case 149:
            for (int32_t y = H; y > 0; y -= D)
                rects.push_back({ 0, y - V, W, y });
            break;
        }
    }
    return AnyRect(rects);
}

// Turned about (cx, cy) with halves rounded to even; a positive angle turns clockwise on the
// screen (y runs down).
TPolygonRef Turned(TPolygonRef polygon, int32_t cx, int32_t cy, long double angle)
{
    for (TPoint& p : polygon) {
        const long double dx = p.X - cx, dy = p.Y - cy;
        p = { int32_t(std::nearbyint(dx * std::cos(angle) - dy * std::sin(angle))) + cx,
            int32_t(std::nearbyint(dx * std::sin(angle) + dy * std::cos(angle))) + cy };
    }
    return polygon;
}

template <int32_t Style>
TCovers RotatingShape(int32_t W, int32_t H, int32_t X, int32_t Y, int32_t P, uint32_t handle)
{
    const int32_t CX = W / 2, CY = H / 2, HX = X / 2, HY = Y / 2;
    const TPolygonRef shape = Style == 151
        ? TPolygonRef { { CX - 2 * X, CY }, { CX - HX, CY - HY }, { CX, CY - 2 * Y }, { CX + HX, CY - HY },
              { CX + 2 * X, CY }, { CX + HX, CY + HY }, { CX, CY + 2 * Y }, { CX - HX, CY + HY } }
        : TPolygonRef { { CX - HX, CY - HY }, { CX + HX, CY - HY }, { CX + HX, CY + HY }, { CX - HX, CY + HY } };
    const long double angle = (handle & 1 ? -1 : 1) * (P * Pi / 50);
    const TPolygonRef turned = Style == 152 ? Turned(shape, X, Y, angle) : Turned(shape, CX, CY, angle);
    return [turned](int32_t x, int32_t y) { return PolygonCovers(turned, x, y); };
}

TCovers CircularShred(int32_t W, int32_t H, int32_t, int32_t, int32_t P, uint32_t)
{
    const int32_t N = std::min(W, H) / 10 + 1;
    const int64_t Rd = MulDivRef(3 * N, P, 200);
    // Integral centres and radius: no pixel centre lies exactly on a circle.
    return [centres = CellCentres(W, H, N), Rd](int32_t x, int32_t y) {
        return std::any_of(centres.begin(), centres.end(), [&](const TPoint& c) {
            const int64_t dx = 2 * int64_t(x) + 1 - 2 * c.X, dy = 2 * int64_t(y) + 1 - 2 * c.Y;
            return dx * dx + dy * dy < 4 * Rd * Rd;
        });
    };
}

struct TShapeCase {
    int32_t Style;
    TRule Rule;
};

const TShapeCase ShapeCases[] = {
    { 143, RectangularShred },
    { 144, Sweep<1> },
    { 145, Sweep<-1> },
    { 146, MovingRectangles<146> },
    { 147, MovingRectangles<147> },
    { 148, MovingRectangles<148> },
    { 149, MovingRectangles<149> },
    { 150, RotatingShape<150> },
    { 151, RotatingShape<151> },
    { 152, RotatingShape<152> },
    { 153, CircularShred },
};

// Odd sizes, and one taller than wide for the other branch of the extents.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

} // namespace

TEST(ShapeEffects, FramesFollowTheirRules)
{
    for (const TShapeCase& c : ShapeCases)
        for (const TSize size : Sizes)
            for (int32_t progress = 1; progress <= 99; ++progress)
                for (const uint32_t handle : { 2u, 3u }) { // the rotations read the lowest bit
                    SCOPED_TRACE(::testing::Message() << "effect " << c.Style << " on " << size.W << "x"
                                                      << size.H << " at " << progress << ", handle " << handle);
                    TFrame frame(size.W, size.H);
                    frame.Picture.OverrideHandle(handle);
                    ASSERT_TRUE(ComposeFrame(c.Style, frame.Screen, frame.Start, frame.Picture, progress));
                    const TPoint e = ExtentsRef(size.W, size.H, progress);
                    const TCovers covers = c.Rule(size.W, size.H, e.X, e.Y, progress, handle);
                    EXPECT_TRUE(ShowsPictureWhere(frame, covers));
                }
}


TEST(ShapeEffects, RectangularShredOnAStandardPicture)
{
    // 640 x 480: N = 49, cells of 98, 7 x 5 squares; at 50 each square reaches 25 (24.5 rounded
    // away from zero) from its centre, so [24, 74) about the first centre at 49.
    TFrame frame(640, 480);
    frame.Run(143, 320, 240, 50);
    struct {
        int32_t x, y;
        bool picture;
    } const pixels[] = { { 24, 24, true }, { 73, 73, true }, { 23, 24, false }, { 74, 73, false },
        { 639, 49 + 98 * 4, true }, // the last column and row of squares, cut by the edge
        { 49 + 98 * 6 - 26, 49, false }, { 639, 479, false } };
    for (const auto& p : pixels)
        EXPECT_EQ(frame.Screen.Pixel(p.x, p.y), p.picture ? frame.PictureAt(p.x, p.y) : frame.StartAt(p.x, p.y))
            << "(" << p.x << ", " << p.y << ")";
}

TEST(ShapeEffects, SweepsStartAtTwelveOClock)
{
    // At 26 the sector spans 25 steps of 3.6 degrees: a quarter turn, from 12 to 3 o'clock for
    // 144 and from 12 to 9 o'clock for 145. Points well inside each quadrant.
    const struct {
        int32_t style;
        bool topLeft, topRight, bottomRight, bottomLeft;
    } cases[] = { { 144, false, true, false, false }, { 145, true, false, false, false } };
    for (const auto& c : cases) {
        TFrame frame(41, 41);
        frame.Run(c.style, 11, 11, 26);
        EXPECT_EQ(frame.Screen.Pixel(12, 8), c.topLeft ? frame.PictureAt(12, 8) : frame.StartAt(12, 8)) << c.style;
        EXPECT_EQ(frame.Screen.Pixel(28, 8), c.topRight ? frame.PictureAt(28, 8) : frame.StartAt(28, 8)) << c.style;
        EXPECT_EQ(frame.Screen.Pixel(28, 32), c.bottomRight ? frame.PictureAt(28, 32) : frame.StartAt(28, 32)) << c.style;
        EXPECT_EQ(frame.Screen.Pixel(12, 32), c.bottomLeft ? frame.PictureAt(12, 32) : frame.StartAt(12, 32)) << c.style;
    }
}

TEST(ShapeEffects, MovingRectanglesNeedAStripeWidth)
{
    // N = H div 20 (W div 20) is 0 below 20 pixels: nothing is drawn on any frame.
    for (const int32_t style : { 146, 147, 148, 149 }) {
        TFrame frame(style <= 147 ? 40 : 19, style <= 147 ? 19 : 40);
        for (int32_t progress = 1; progress <= 99; ++progress) {
            const TPoint e = ExtentsRef(frame.W, frame.H, progress);
            frame.Run(style, e.X, e.Y, progress);
            ASSERT_TRUE(ShowsPictureWhere(frame, [](int32_t, int32_t) { return false; }))
                << "effect " << style << " at " << progress;
        }
    }
}

TEST(ShapeEffects, RotationalRectangleAtAQuarterTurn)
{
    // At 25 the X by Y rectangle has turned a quarter: it stands Y wide and X high about the
    // centre, whichever way it turned.
    for (const uint32_t handle : { 4u, 5u }) {
        TFrame frame(60, 40);
        frame.Picture.OverrideHandle(handle);
        const int32_t X = 30, Y = 20, CX = 30, CY = 20;
        frame.Run(150, X, Y, 25);
        EXPECT_TRUE(ShowsPictureWhere(frame, [&](int32_t x, int32_t y) {
            return RectCovers(CX - Y / 2, CY - X / 2, CX + Y / 2, CY + X / 2, x, y);
        })) << "handle " << handle;
    }
}

TEST(ShapeEffects, RotationDirectionFollowsTheHandlesLowestBit)
{
    // A thin horizontal bar turned by 18 degrees: clockwise (even handle) its right end dips
    // below the centre line, anticlockwise (odd handle) it rises above.
    for (const uint32_t handle : { 6u, 7u }) {
        TFrame frame(201, 201);
        frame.Picture.OverrideHandle(handle);
        frame.Run(150, 160, 4, 5);
        const bool clockwise = handle % 2 == 0;
        EXPECT_EQ(frame.Screen.Pixel(170, 122), clockwise ? frame.PictureAt(170, 122) : frame.StartAt(170, 122));
        EXPECT_EQ(frame.Screen.Pixel(170, 77), clockwise ? frame.StartAt(170, 77) : frame.PictureAt(170, 77));
    }
}

TEST(ShapeEffects, CircularShredClosesTheGridAt95)
{
    // 640 x 480, N = 49, half-diagonal of a cell 69.3. At 93 the radius is 68 and the cell
    // corners still show the start image (the pixel centres next to a corner lie 68.6 from the
    // cell centre; at 94, radius 69, the gap left is narrower than a pixel and holds no centre);
    // at 95 the radius is 70 and the grid is closed.
    TFrame frame(640, 480);
    const TPoint e93 = ExtentsRef(640, 480, 93);
    frame.Run(153, e93.X, e93.Y, 93);
    EXPECT_EQ(frame.Screen.Pixel(0, 0), frame.StartAt(0, 0));
    EXPECT_EQ(frame.Screen.Pixel(97, 97), frame.StartAt(97, 97));
    EXPECT_EQ(frame.Screen.Pixel(98, 98), frame.StartAt(98, 98));
    EXPECT_EQ(frame.Screen.Pixel(49, 0), frame.PictureAt(49, 0));
    const TPoint e95 = ExtentsRef(640, 480, 95);
    frame.Run(153, e95.X, e95.Y, 95);
    EXPECT_TRUE(ShowsPictureWhere(frame, [](int32_t, int32_t) { return true; }));
}
