// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Diagonal sweeps, starbursts and the triangular shred, checked pixel by pixel against the
// triangles they are made of, rasterised here on their own.
#include "effectrules.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

using namespace effecttest;

namespace {

struct TShape {
    int32_t Style;
    std::vector<TTriangle> (*Triangles)(int32_t W, int32_t H, int32_t X, int32_t Y, int32_t P);
};

std::vector<TTriangle> Starburst(int32_t W, int32_t H, std::array<TPoint, 8> ends)
{
    const TPoint c { W / 2, H / 2 };
    return { { c, ends[0], ends[1] }, { c, ends[2], ends[3] }, { c, ends[4], ends[5] },
        { c, ends[6], ends[7] } };
}

const TShape Shapes[] = {
    { 114, [](int32_t W, int32_t H, int32_t X, int32_t, int32_t) -> std::vector<TTriangle> {
         return { { { { 0, H }, { 0, 0 }, { X, H } } }, { { { W, H }, { W, 0 }, { W - X, 0 } } } };
     } },
    { 115, [](int32_t W, int32_t H, int32_t, int32_t Y, int32_t) -> std::vector<TTriangle> {
         return { { { { W, 0 }, { 0, 0 }, { W, Y } } }, { { { W, H }, { 0, H }, { 0, H - Y } } } };
     } },
    { 116, [](int32_t W, int32_t H, int32_t X, int32_t Y, int32_t) {
         return Starburst(W, H, { { { 0, 0 }, { X, 0 }, { 0, H }, { 0, H - Y }, { W, H }, { W - X, H }, { W, 0 }, { W, Y } } });
     } },
    { 117, [](int32_t W, int32_t H, int32_t X, int32_t Y, int32_t) {
         return Starburst(W, H, { { { 0, 0 }, { 0, Y }, { 0, H }, { X, H }, { W, H }, { W, H - Y }, { W, 0 }, { W - X, 0 } } });
     } },
    { 118, [](int32_t W, int32_t H, int32_t, int32_t, int32_t P) {
         // Cells of a tenth of the picture plus one; each triangle grows to twice its cell.
         const int32_t CW = W / 10 + 1, CH = H / 10 + 1;
         const int32_t DX = (2 * CW * P + 50) / 100, DY = (2 * CH * P + 50) / 100;
         std::vector<TTriangle> grid;
         for (int32_t cx = CW; cx - CW < W; cx += 2 * CW)
             for (int32_t cy = CH; cy - CH < H + CH; cy += 2 * CH)
                 grid.push_back({ { { cx - DX, cy - DY }, { cx, cy + DY }, { cx + DX, cy - DY } } });
         return grid;
     } },
};

TEST(Sweeps, EveryPixelFollowsItsTriangles)
{
    const std::pair<int32_t, int32_t> sizes[] = { { 40, 30 }, { 37, 23 }, { 30, 30 }, { 23, 37 } };
    const int32_t progresses[] = { 0, 1, 20, 50, 77, 100 };
    for (const TShape& shape : Shapes)
        for (auto [w, h] : sizes)
            for (int32_t p : progresses) {
                SCOPED_TRACE(::testing::Message() << "effect " << shape.Style << ", " << w << "x" << h
                                                  << ", progress " << p);
                TFrame f(w, h);
                const TPoint e = ExtentsRef(w, h, p);
                f.Run(shape.Style, e.X, e.Y, p);
                const auto triangles = shape.Triangles(w, h, e.X, e.Y, p);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
                    const bool shown = std::any_of(triangles.begin(), triangles.end(),
                        [&](const TTriangle& t) { return PolygonCovers(t, x, y); });
                    return shown ? f.PictureAt(x, y) : f.StartAt(x, y);
                }));
            }
}

TEST(Sweeps, FramesComposedByTheEngineMatchTheDirectCall)
{
    for (const TShape& shape : Shapes) {
        SCOPED_TRACE(::testing::Message() << "effect " << shape.Style);
        TFrame direct(37, 23), composed(37, 23);
        const TPoint e = ExtentsRef(37, 23, 50);
        direct.Run(shape.Style, e.X, e.Y, 50);
        ASSERT_TRUE(ComposeFrame(shape.Style, composed.Screen, composed.Start, composed.Picture, 50));
        EXPECT_TRUE(FrameMatches(composed.Screen, [&](int32_t x, int32_t y) { return direct.Screen.Pixel(x, y); }));
    }
}

// At the end of the sweep the two wedges meet on the diagonal; on a square picture pixel
// centres lie exactly on it and must belong to one wedge or the other.
TEST(Sweeps, DiagonalSweepCoversTheDiagonalWhenTheWedgesMeet)
{
    for (int32_t style : { 114, 115 }) {
        SCOPED_TRACE(::testing::Message() << "effect " << style);
        TFrame f(30, 30);
        f.Run(style, 30, 30, 100);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.PictureAt(x, y); }));
    }
}

// At half way each wedge of the starburst is half of its quarter: the four are one shape turned
// about the centre, so on a square picture a quarter turn maps the frame onto itself. Pixels
// whose centres lie on a diagonal are left out: which wedge takes them depends on the side from
// which the scan line meets the edge, and that side turns with the wedge.
TEST(Sweeps, StarburstWedgesAtHalfWayAreOneShapeTurnedFourTimes)
{
    for (int32_t style : { 116, 117 }) {
        SCOPED_TRACE(::testing::Message() << "effect " << style);
        TFrame f(40, 40);
        f.Run(style, 20, 20, 50);
        auto shown = [&](int32_t x, int32_t y) { return f.Screen.Pixel(x, y) == f.PictureAt(x, y); };
        auto onDiagonal = [](int32_t x, int32_t y) { return x == y || x + y == 39; };
        int32_t count = 0;
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 40; ++x) {
                if (onDiagonal(x, y))
                    continue;
                count += shown(x, y);
                // (x, y) turned a quarter about the centre (20, 20), by pixel squares.
                ASSERT_EQ(shown(x, y), shown(39 - y, x)) << "pixel (" << x << ", " << y << ")";
            }
        // Each wedge is a right triangle with legs of 20: 190 centres strictly inside.
        EXPECT_EQ(count, 4 * 190);
    }
}

// Cells narrower than 25 pixels do not grow at Progress 1: the frame keeps the start image.
TEST(Sweeps, TriangularShredShowsNothingAtFirstOnPicturesNarrowerThan240)
{
    TFrame f(239, 30);
    f.Run(118, 2, 0, 1);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.StartAt(x, y); }));
}

} // namespace
