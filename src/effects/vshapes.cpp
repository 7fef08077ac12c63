// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// V shapes, bow ties, diagonal crosses, zigzags and diamonds (effects 154 … 167): the incoming
// picture shows through a region made of polygons.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>

namespace {

using TPolygon = std::initializer_list<int32_t>; // x0, y0, x1, y1, …

HRGN Union(TPolygon first, std::initializer_list<TPolygon> others)
{
    return MergePolygons(CreatePolyRgn(first), others, RGN_OR);
}

// The whole picture with the given polygons cut out (or put back where they overlap).
HRGN PictureXor(int32_t W, int32_t H, std::initializer_list<TPolygon> polygons)
{
    return MergePolygons(CreateRectRgn(0, 0, W, H), polygons, RGN_XOR);
}

enum class TZigzag { Horizontal, Vertical };

// A zigzag band about the middle line M: the upper edge runs out along t, the lower one back,
// teeth of height N in step on both. Written for the horizontal band; the vertical one
// exchanges the coordinates of every point.
void Zigzag(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t N, int32_t S,
    int32_t M, int32_t C, TZigzag direction)
{
    const int32_t U0 = M - C + N, U1 = M - C - N, L0 = M + C + N, L1 = M + C - N;
    const auto At = [direction](int32_t t, int32_t level) {
        return direction == TZigzag::Horizontal ? TPoint { t, level } : TPoint { level, t };
    };
    std::array<TPoint, 24> points;
    for (int32_t i = 0; i < 12; ++i) {
        const bool even = i % 2 == 0;
        points[i] = At(i * S, even ? U0 : U1);
        points[23 - i] = At(i * S, even ? L0 : L1);
    }
    ClippedCopy(Screen, Picture, W, H, CreatePolygonRgn(points.data(), 24, WINDING));
}

} // namespace

TAPSY_DECLARE_EFFECT(154)
{
    const int32_t MH = H / 2;
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn({ 0, MH - Y, 2 * X, MH, 0, MH + Y }));
}

TAPSY_DECLARE_EFFECT(155)
{
    const int32_t MH = H / 2;
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn({ W, MH - Y, W - 2 * X, MH, W, MH + Y }));
}

TAPSY_DECLARE_EFFECT(156)
{
    const int32_t MW = W / 2;
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn({ MW - X, 0, MW, 2 * Y, MW + X, 0 }));
}

TAPSY_DECLARE_EFFECT(157)
{
    const int32_t MW = W / 2;
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn({ MW - X, H, MW, H - 2 * Y, MW + X, H }));
}

TAPSY_DECLARE_EFFECT(158)
{
    // Each triangle is X deep, so the tips meet in the centre at half time.
    const int32_t MH = H / 2;
    ClippedCopy(Screen, Picture, W, H,
        Union({ 0, MH - Y, X, MH, 0, MH + Y }, { { W, MH - Y, W - X, MH, W, MH + Y } }));
}

TAPSY_DECLARE_EFFECT(159)
{
    // Unlike 158 each triangle is 2Y deep, as in the V reveals: the tips meet at a quarter.
    const int32_t MW = W / 2;
    ClippedCopy(Screen, Picture, W, H,
        Union({ MW - X, 0, MW, 2 * Y, MW + X, 0 }, { { MW - X, H, MW, H - 2 * Y, MW + X, H } }));
}

TAPSY_DECLARE_EFFECT(160)
{
    const int32_t MW = W / 2, MH = H / 2, HX = X / 2, HY = Y / 2;
    ClippedCopy(Screen, Picture, W, H,
        Union({ 0, MH - HY, HX, MH, 0, MH + HY },
            { { W, MH - HY, W - HX, MH, W, MH + HY }, { MW - HX, 0, MW, HY, MW + HX, 0 },
                { MW - HX, H, MW, H - HY, MW + HX, H } }));
}

TAPSY_DECLARE_EFFECT(161)
{
    const int32_t MW = W / 2, MH = H / 2, GX = (W - X) / 2, GY = (H - Y) / 2;
    ClippedCopy(Screen, Picture, W, H,
        PictureXor(W, H,
            { { 0, MH - GY, GX, MH, 0, MH + GY }, { W, MH - GY, W - GX, MH, W, MH + GY },
                { MW - GX, 0, MW, GY, MW + GX, 0 }, { MW - GX, H, MW, H - GY, MW + GX, H } }));
}

TAPSY_DECLARE_EFFECT(162)
{
    const int32_t N = H / 10;
    Zigzag(Screen, Picture, W, H, N, W / 10, H / 2, MulDiv(N, Progress, 100) + Y / 2,
        TZigzag::Horizontal);
}

TAPSY_DECLARE_EFFECT(163)
{
    const int32_t N = W / 10;
    Zigzag(Screen, Picture, W, H, N, H / 10, W / 2, MulDiv(N, Progress, 100) + X / 2,
        TZigzag::Vertical);
}

TAPSY_DECLARE_EFFECT(164)
{
    const int32_t S = std::min(W, H) / 10 + 1;
    const int32_t B = MulDiv(S, Progress, 50);
    CopyThrough(Screen, Picture, W, H, UniteOverCells(W, H, S, [B](int32_t cx, int32_t cy) {
        return CreatePolyRgn({ cx - B, cy, cx, cy - B, cx + B, cy, cx, cy + B });
    }));
}

TAPSY_DECLARE_EFFECT(165)
{
    const int32_t MW = W / 2, MH = H / 2;
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn({ MW - X, MH, MW, MH - Y, MW + X, MH, MW, MH + Y }));
}

TAPSY_DECLARE_EFFECT(166)
{
    // The hole starts larger than the picture, so only the corners show at first.
    const int32_t MW = W / 2, MH = H / 2;
    ClippedCopy(Screen, Picture, W, H,
        PictureXor(W, H, { { X - MW, MH, MW, Y - MH, 3 * MW - X, MH, MW, 3 * MH - Y } }));
}

TAPSY_DECLARE_EFFECT(167)
{
    // A ring about the diamond through the edge midpoints, growing both ways.
    const int32_t MW = W / 2, MH = H / 2, HX = X / 2, HY = Y / 2;
    ClippedCopy(Screen, Picture, W, H,
        MergePolygons(CreatePolyRgn({ -HX, MH, MW, -HY, 2 * MW + HX, MH, MW, 2 * MH + HY }),
            std::initializer_list<TPolygon> { { HX, MH, MW, HY, 2 * MW - HX, MH, MW, 2 * MH - HY } }, RGN_XOR));
}
