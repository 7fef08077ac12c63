// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// V shapes, bow ties, diagonal crosses, zigzags and diamonds (effects 154 … 167), each checked
// over every pixel against its polygons, combined the way the effect combines them.
#include "effectrules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace effecttest;

namespace {

enum class TOp { Or, Xor };
struct TStep {
    TOp Op; // how the polygon joins the ones before it (ignored for the first)
    TPolygonRef Polygon;
};
using TShape = std::vector<TStep>;

TPolygonRef Points(std::initializer_list<int32_t> xy)
{
    TPolygonRef polygon;
    for (auto it = xy.begin(); it + 1 < xy.end(); it += 2)
        polygon.push_back({ it[0], it[1] });
    return polygon;
}

TPolygonRef WholePicture(int32_t W, int32_t H) { return Points({ 0, 0, W, 0, W, H, 0, H }); }

bool ShapeCovers(const TShape& shape, int32_t x, int32_t y)
{
    bool covered = false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const bool in = PolygonCovers(shape[i].Polygon, x, y);
        covered = i == 0 ? in : shape[i].Op == TOp::Or ? (covered || in) : (covered != in);
    }
    return covered;
}

// The upper zigzag out, the lower one back; teeth of height N in step on both.
TPolygonRef ZigzagBand(int32_t N, int32_t S, int32_t M, int32_t C, bool vertical)
{
    TPolygonRef band;
    const auto add = [&](int32_t t, int32_t level) { band.push_back(vertical ? TPoint { level, t } : TPoint { t, level }); };
    for (int32_t i = 0; i <= 11; ++i)
        add(i * S, i % 2 == 0 ? M - C + N : M - C - N);
    for (int32_t i = 11; i >= 0; --i)
        add(i * S, i % 2 == 0 ? M + C + N : M + C - N);
    return band;
}

TShape ShapeOf(int32_t style, int32_t W, int32_t H, int32_t X, int32_t Y, int32_t P)
{
    const int32_t MW = W / 2, MH = H / 2, HX = X / 2, HY = Y / 2;
    switch (style) {
    case 154:
        return { { TOp::Or, Points({ 0, MH - Y, 2 * X, MH, 0, MH + Y }) } };
    case 155:
        return { { TOp::Or, Points({ W, MH - Y, W - 2 * X, MH, W, MH + Y }) } };
    case 156:
        return { { TOp::Or, Points({ MW - X, 0, MW, 2 * Y, MW + X, 0 }) } };
    case 157:
        return { { TOp::Or, Points({ MW - X, H, MW, H - 2 * Y, MW + X, H }) } };
    case 158:
        return { { TOp::Or, Points({ 0, MH - Y, X, MH, 0, MH + Y }) },
            { TOp::Or, Points({ W, MH - Y, W - X, MH, W, MH + Y }) } };
    case 159:
        return { { TOp::Or, Points({ MW - X, 0, MW, 2 * Y, MW + X, 0 }) },
            { TOp::Or, Points({ MW - X, H, MW, H - 2 * Y, MW + X, H }) } };
    case 160:
        return { { TOp::Or, Points({ 0, MH - HY, HX, MH, 0, MH + HY }) },
            { TOp::Or, Points({ W, MH - HY, W - HX, MH, W, MH + HY }) },
            { TOp::Or, Points({ MW - HX, 0, MW, HY, MW + HX, 0 }) },
            { TOp::Or, Points({ MW - HX, H, MW, H - HY, MW + HX, H }) } };
    case 161: {
        const int32_t GX = (W - X) / 2, GY = (H - Y) / 2;
        return { { TOp::Or, WholePicture(W, H) }, { TOp::Xor, Points({ 0, MH - GY, GX, MH, 0, MH + GY }) },
            { TOp::Xor, Points({ W, MH - GY, W - GX, MH, W, MH + GY }) },
            { TOp::Xor, Points({ MW - GX, 0, MW, GY, MW + GX, 0 }) },
            { TOp::Xor, Points({ MW - GX, H, MW, H - GY, MW + GX, H }) } };
    }
    case 162:
        return { { TOp::Or, ZigzagBand(H / 10, W / 10, MH, MulDivRef(H / 10, P, 100) + HY, false) } };
    case 163:
        return { { TOp::Or, ZigzagBand(W / 10, H / 10, MW, MulDivRef(W / 10, P, 100) + HX, true) } };
    case 164: {
        const int32_t S = std::min(W, H) / 10 + 1, B = MulDivRef(S, P, 50);
        TShape diamonds;
        for (int32_t x0 = 0; x0 < W; x0 += 2 * S)
            for (int32_t y0 = 0; y0 < H; y0 += 2 * S) {
                const int32_t cx = x0 + S, cy = y0 + S;
                diamonds.push_back({ TOp::Or, Points({ cx - B, cy, cx, cy - B, cx + B, cy, cx, cy + B }) });
            }
        return diamonds;
    }
    case 165:
        return { { TOp::Or, Points({ MW - X, MH, MW, MH - Y, MW + X, MH, MW, MH + Y }) } };
    case 166:
        return { { TOp::Or, WholePicture(W, H) },
            { TOp::Xor, Points({ X - MW, MH, MW, Y - MH, 3 * MW - X, MH, MW, 3 * MH - Y }) } };
    case 167:
        return { { TOp::Or, Points({ -HX, MH, MW, -HY, 2 * MW + HX, MH, MW, 2 * MH + HY }) },
            { TOp::Xor, Points({ HX, MH, MW, HY, 2 * MW - HX, MH, MW, 2 * MH - HY }) } };
    }
    ADD_FAILURE() << "no shape for effect " << style;
    return {};
}

constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

} // namespace

TEST(VShapeEffects, FramesFollowTheirPolygons)
{
    for (int32_t style = 154; style <= 167; ++style)
        for (const TSize size : Sizes)
            for (int32_t progress = 1; progress <= 99; ++progress) {
                SCOPED_TRACE(::testing::Message() << "effect " << style << " on " << size.W << "x" << size.H
                                                  << " at " << progress);
                TFrame frame(size.W, size.H);
                ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, progress));
                const TPoint e = ExtentsRef(size.W, size.H, progress);
                const TShape shape = ShapeOf(style, size.W, size.H, e.X, e.Y, progress);
                EXPECT_TRUE(ShowsPictureWhere(frame, [&](int32_t x, int32_t y) { return ShapeCovers(shape, x, y); }));
            }
}

TEST(VShapeEffects, ZigzagsOnAStandardPicture)
{
    // 640 x 480: teeth of 48 (64 for the vertical band), steps of 64 (48): the band's last
    // point lies past the far edge.
    for (const int32_t style : { 162, 163 })
        for (const int32_t progress : { 1, 50 }) {
            TFrame frame(640, 480);
            const TPoint e = ExtentsRef(640, 480, progress);
            frame.Run(style, e.X, e.Y, progress);
            const TShape shape = ShapeOf(style, 640, 480, e.X, e.Y, progress);
            EXPECT_TRUE(ShowsPictureWhere(frame, [&](int32_t x, int32_t y) { return ShapeCovers(shape, x, y); }))
                << "effect " << style << " at " << progress;
        }
}


TEST(VShapeEffects, LandmarksOnA40x30Picture)
{
    // Worked out by hand from the shapes' descriptions. At 50: X = 20, Y = 15; at 10: X = 4, Y = 3.
    const struct {
        int32_t style, progress, x, y;
        bool picture;
    } cases[] = {
        // 154: the whole left edge, the tip just short of the right edge at mid-height.
        { 154, 50, 0, 0, true }, { 154, 50, 0, 29, true }, { 154, 50, 38, 15, true },
        { 154, 50, 39, 15, false }, { 154, 50, 20, 2, false },
        { 155, 50, 39, 0, true }, { 155, 50, 39, 29, true }, { 155, 50, 1, 15, true }, { 155, 50, 0, 15, false },
        { 156, 50, 20, 0, true }, { 156, 50, 0, 29, false }, { 157, 50, 20, 29, true }, { 157, 50, 0, 0, false },
        // 158: tips meet in the centre; 159: each triangle reaches the opposite edge.
        { 158, 50, 17, 15, true }, { 158, 50, 22, 15, true }, { 158, 50, 20, 5, false }, { 158, 50, 20, 25, false },
        { 159, 50, 20, 15, true }, { 159, 50, 20, 28, true }, { 159, 50, 0, 0, true }, { 159, 50, 0, 29, true },
        { 159, 50, 2, 15, false },
        // 160: the start image stays along the diagonals; 161: the picture shows along them.
        { 160, 50, 0, 0, false }, { 160, 50, 20, 15, false }, { 160, 50, 1, 15, true }, { 160, 50, 20, 1, true },
        { 160, 50, 38, 15, true }, { 160, 50, 20, 28, true },
        { 161, 10, 0, 0, true }, { 161, 10, 20, 15, true }, { 161, 10, 1, 15, false }, { 161, 10, 20, 1, false },
        { 165, 50, 20, 15, true }, { 165, 50, 5, 15, true }, { 165, 50, 0, 0, false }, { 165, 50, 39, 29, false },
        // 166: the corners first.
        { 166, 10, 0, 0, true }, { 166, 10, 39, 0, true }, { 166, 10, 0, 29, true }, { 166, 10, 39, 29, true },
        { 166, 10, 20, 15, false }, { 166, 10, 5, 5, false },
        // 167: a ring; the centre and the corners keep the start image.
        { 167, 50, 5, 15, true }, { 167, 50, 20, 15, false }, { 167, 50, 0, 0, false },
    };
    for (const auto& c : cases) {
        TFrame frame(40, 30);
        const TPoint e = ExtentsRef(40, 30, c.progress);
        frame.Run(c.style, e.X, e.Y, c.progress);
        EXPECT_EQ(frame.Screen.Pixel(c.x, c.y), c.picture ? frame.PictureAt(c.x, c.y) : frame.StartAt(c.x, c.y))
            << "effect " << c.style << " at " << c.progress << ", pixel (" << c.x << ", " << c.y << ")";
    }
}

TEST(VShapeEffects, EmptyAtTheStart)
{
    // 164 at 1 with a shorter side under 240: B = MulDiv(S, 1, 50) = 0. 167 at X = Y = 0: both
    // diamonds coincide. 160 at X = Y = 0: the triangles have no width.
    const struct {
        int32_t style, X, Y, progress;
    } cases[] = { { 164, 0, 0, 1 }, { 164, 3, 2, 1 }, { 167, 0, 0, 1 }, { 160, 0, 0, 1 } };
    for (const auto& c : cases) {
        TFrame frame(200, 150);
        frame.Run(c.style, c.X, c.Y, c.progress);
        EXPECT_TRUE(ShowsPictureWhere(frame, [](int32_t, int32_t) { return false; })) << "effect " << c.style;
    }
}

TEST(VShapeEffects, DiamondInToCentreShowsCornersFirst)
{
    // 640 x 480 at 1 (X = 6, Y = 5): small triangles at the four corners, nothing in the middle.
    TFrame frame(640, 480);
    frame.Run(166, 6, 5, 1);
    for (const TPoint p : { TPoint { 0, 0 }, TPoint { 639, 0 }, TPoint { 0, 479 }, TPoint { 639, 479 } })
        EXPECT_EQ(frame.Screen.Pixel(p.X, p.Y), frame.PictureAt(p.X, p.Y)) << p.X << ", " << p.Y;
    for (const TPoint p : { TPoint { 320, 240 }, TPoint { 10, 240 }, TPoint { 320, 10 }, TPoint { 20, 20 } })
        EXPECT_EQ(frame.Screen.Pixel(p.X, p.Y), frame.StartAt(p.X, p.Y)) << p.X << ", " << p.Y;
}
