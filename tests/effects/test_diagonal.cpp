// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Diagonal reveals: the picture inside a right triangle growing from one corner, its legs 2·X
// and 2·Y long. Pixels are checked by where their centres lie, with exact integer arithmetic:
// a centre on the triangle's left or top boundary is inside, on its right or bottom one outside.
#include "effecttest.h"

#include <array>
#include <functional>
#include <utility>

namespace {

using namespace effecttest;

struct TSize {
    int32_t W, H;
};

// Odd sizes, a tall one, a square one whose hypotenuse runs through pixel centres, one pixel.
const TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 }, { 21, 21 }, { 1, 1 } };

// Halves away from zero, as the engine rounds; every value here is non-negative.
int32_t RoundedDiv(int64_t a, int64_t b) { return int32_t((2 * a + b) / (2 * b)); }

TPoint Extents(int32_t W, int32_t H, int32_t progress)
{
    if (H > W) {
        const int32_t Y = RoundedDiv(int64_t(H) * progress, 100);
        return { RoundedDiv(int64_t(Y) * W, H), Y };
    }
    const int32_t X = RoundedDiv(int64_t(W) * progress, 100);
    return { X, RoundedDiv(int64_t(X) * H, W) };
}

// The picture where `revealed` holds, the start image elsewhere.
::testing::AssertionResult ShowsPictureWhere(
    const TFrame& frame, const std::function<bool(int32_t, int32_t)>& revealed)
{
    return FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
        return revealed(x, y) ? frame.PictureAt(x, y) : frame.StartAt(x, y);
    });
}

::testing::AssertionResult ShowsStart(const TFrame& frame)
{
    return ShowsPictureWhere(frame, [](int32_t, int32_t) { return false; });
}

::testing::AssertionResult ShowsPicture(const TFrame& frame)
{
    return ShowsPictureWhere(frame, [](int32_t, int32_t) { return true; });
}

// Runs the effect and checks the duties every effect has besides its frame: the picture is only
// read, the clip is gone and every region it made is deleted.
void RunChecked(TFrame& frame, int32_t style, int32_t X, int32_t Y)
{
    const int64_t regionsBefore = LiveRegionCount();
    frame.Run(style, X, Y);
    EXPECT_EQ(LiveRegionCount(), regionsBefore) << "effect " << style << " leaks a region";
    TRect clip;
    GetClipBox(frame.Screen.DC(), &clip);
    EXPECT_EQ(clip, (TRect { 0, 0, frame.W, frame.H })) << "effect " << style << " leaves a clip";
    EXPECT_TRUE(
        FrameMatches(frame.Picture, [&](int32_t x, int32_t y) { return frame.PictureAt(x, y); }))
        << "effect " << style << " wrote to Picture";
}

using TTriangle = std::array<TPoint, 3>;

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

// Whether the centre of pixel (x, y) lies inside: along the horizontal line through it, count
// the edges crossed at or left of it (an edge spans its upper end, not its lower one); an odd
// count is inside. Coordinates are doubled so that centres are integers.
bool CentreInside(const TTriangle& t, int32_t x, int32_t y)
{
    const int64_t cx = 2 * int64_t(x) + 1, cy = 2 * int64_t(y) + 1;
    int crossings = 0;
    for (size_t i = 0; i < 3; ++i) {
        TPoint a = t[i], b = t[(i + 1) % 3];
        if (a.Y > b.Y)
            std::swap(a, b);
        const int64_t ay = 2 * int64_t(a.Y), by = 2 * int64_t(b.Y);
        if (cy < ay || cy >= by)
            continue; // horizontal edges never count
        // The edge's x at cy is ax + (cy - ay)·(bx - ax)/(by - ay); compare without dividing.
        const int64_t ax = 2 * int64_t(a.X), bx = 2 * int64_t(b.X);
        if ((cx - ax) * (by - ay) >= (cy - ay) * (bx - ax))
            ++crossings;
    }
    return crossings % 2 == 1;
}

::testing::AssertionResult ShowsTriangle(const TFrame& frame, const TTriangle& triangle)
{
    return ShowsPictureWhere(
        frame, [&](int32_t x, int32_t y) { return CentreInside(triangle, x, y); });
}

const int32_t Styles[] = { 110, 111, 112, 113 };

TEST(DiagonalEffects, RevealTheGrowingTriangleThroughTheWholeTransition)
{
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const int32_t style : Styles)
            for (const int32_t progress : { 0, 1, 10, 25, 33, 50, 67, 75, 99, 100 }) {
                const TPoint e = Extents(size.W, size.H, progress);
                RunChecked(frame, style, e.X, e.Y);
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
    RunChecked(frame, 110, 20, 15);
    EXPECT_TRUE(ShowsPictureWhere(
        frame, [](int32_t x, int32_t y) { return (2 * x + 1) * 30 + (2 * y + 1) * 40 < 2400; }));
    for (const int32_t style : Styles) {
        RunChecked(frame, style, 39, 29);
        const int32_t farX = style == 110 || style == 112 ? 39 : 0;
        const int32_t farY = style == 110 || style == 111 ? 29 : 0;
        EXPECT_EQ(frame.Screen.Pixel(farX, farY), frame.StartAt(farX, farY)) << "effect " << style;
        RunChecked(frame, style, 40, 30);
        EXPECT_TRUE(ShowsPicture(frame)) << "effect " << style;
    }
}

// Through the engine's frame composition: the start image at 0, the triangle at 50, the picture
// at 100.
TEST(DiagonalEffects, ComposedFrames)
{
    const TSize size { 37, 23 };
    TFrame frame(size.W, size.H);
    for (const int32_t style : Styles) {
        ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, 0));
        EXPECT_TRUE(ShowsStart(frame)) << "effect " << style;
        ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, 50));
        const TPoint e = Extents(size.W, size.H, 50);
        EXPECT_TRUE(ShowsTriangle(frame, TriangleOf(style, size.W, size.H, e.X, e.Y)))
            << "effect " << style;
        ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, 100));
        EXPECT_TRUE(ShowsPicture(frame)) << "effect " << style;
    }
}

} // namespace
