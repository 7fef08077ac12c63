// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Diagonal reveals: the picture inside a right triangle growing from one corner, its legs 2·X
// and 2·Y long. Pixels are checked by where their centres lie, with exact integer arithmetic:
// a centre on the triangle's left or top boundary is inside, on its right or bottom one outside.
#include "effectrules.h"

#include <array>
#include <functional>
#include <utility>

namespace {

using namespace effecttest;

// Odd sizes, a tall one, a square one whose hypotenuse runs through pixel centres, one pixel.
const TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 }, { 21, 21 }, { 1, 1 } };

// The triangle of each effect: the corner, the end of the horizontal leg, the end of the
// vertical leg.
TTriangle TriangleOf(int32_t style, int32_t W, int32_t H, int32_t X, int32_t Y)
{
    switch (style) {
    case 110: // top left
        return { TPoint { 0, 0 }, { 2 * X, 0 }, { 0, 2 * Y } };
    case 111: // top right
        return { TPoint { W, 0 }, { W - 2 * X, 0 }, { W, 2 * Y } };
    case 112: // bottom left
        return { TPoint { 0, H }, { 2 * X, H }, { 0, H - 2 * Y } };
    default: // 113, bottom right
        return { TPoint { W, H }, { W - 2 * X, H }, { W, H - 2 * Y } };
    }
}

::testing::AssertionResult ShowsTriangle(const TFrame& frame, const TTriangle& triangle)
{
    return ShowsPictureWhere(
        frame, [&](int32_t x, int32_t y) { return PolygonCovers(triangle, x, y); });
}

const int32_t Styles[] = { 110, 111, 112, 113 };

TEST(DiagonalEffects, RevealTheGrowingTriangleThroughTheWholeTransition)
{
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const int32_t style : Styles)
            for (const int32_t progress : { 0, 1, 10, 25, 33, 50, 67, 75, 99, 100 }) {
                const TPoint e = ExtentsRef(size.W, size.H, progress);
                frame.Run(style, e.X, e.Y);
                EXPECT_TRUE(ShowsTriangle(frame, TriangleOf(style, size.W, size.H, e.X, e.Y)))
                    << "effect " << style << " on " << size.W << "x" << size.H << " at X=" << e.X
                    << " Y=" << e.Y;
            }
    }
}

// Half way the hypotenuse joins the two neighbouring corners: effect 110 shows the part of the
// picture above the diagonal from (W, 0) to (0, H), i.e. pixels with x/W + y/H < 1 by centre.
// The far corner keeps the start image until the extents are full; then everything shows.
TEST(DiagonalEffects, HalfWayAndAtTheEnd)
{
    TFrame frame(40, 30);
    frame.Run(110, 20, 15);
    EXPECT_TRUE(ShowsPictureWhere(
        frame, [](int32_t x, int32_t y) { return (2 * x + 1) * 30 + (2 * y + 1) * 40 < 2400; }));
    for (const int32_t style : Styles) {
        frame.Run(style, 39, 29);
        const int32_t farX = style == 110 || style == 112 ? 39 : 0;
        const int32_t farY = style == 110 || style == 111 ? 29 : 0;
        EXPECT_EQ(frame.Screen.Pixel(farX, farY), frame.StartAt(farX, farY)) << "effect " << style;
        frame.Run(style, 40, 30);
        EXPECT_TRUE(ShowsPicture(frame)) << "effect " << style;
    }
}

// Through the engine's frame composition, which works out the extents and calls the effect.
TEST(DiagonalEffects, ComposedFrames)
{
    const TSize size { 37, 23 };
    TFrame frame(size.W, size.H);
    for (const int32_t style : Styles) {
        ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, 50));
        const TPoint e = ExtentsRef(size.W, size.H, 50);
        EXPECT_TRUE(ShowsTriangle(frame, TriangleOf(style, size.W, size.H, e.X, e.Y)))
            << "effect " << style;
    }
}

} // namespace
