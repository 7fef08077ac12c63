// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Diagonal sweeps, starbursts and the triangular shred: the picture shows through a union of
// triangles.
#include "effecthelpers.h"
#include "effects.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace {

using TTriangle = std::array<int32_t, 6>; // x0, y0, x1, y1, x2, y2, in drawing order

// Copies the picture through the union of the triangles, merged one at a time into the first
// one's region. No triangles: nothing is drawn.
void CopyThroughTriangles(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H,
    std::span<const TTriangle> triangles)
{
    if (!triangles.empty())
        CopyThrough(Screen, Picture, W, H,
            MergePolygons(CreatePolyRgn(triangles.front()), triangles.subspan(1), RGN_OR));
}

// Four wedges about the centre, each given by its corner and the point travelling from it.
void Starburst(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H,
    const std::array<TPoint, 8>& cornersAndEnds)
{
    const int32_t cx = W / 2, cy = H / 2;
    std::array<TTriangle, 4> wedges;
    for (size_t i = 0; i < wedges.size(); ++i) {
        const TPoint corner = cornersAndEnds[2 * i], end = cornersAndEnds[2 * i + 1];
        wedges[i] = { cx, cy, corner.X, corner.Y, end.X, end.Y };
    }
    CopyThroughTriangles(Screen, Picture, W, H, wedges);
}

} // namespace

TAPSY_DECLARE_EFFECT(114)
{
    const std::array<TTriangle, 2> wedges { {
        { 0, H, 0, 0, X, H },
        { W, H, W, 0, W - X, 0 },
    } };
    CopyThroughTriangles(Screen, Picture, W, H, wedges);
}

TAPSY_DECLARE_EFFECT(115)
{
    const std::array<TTriangle, 2> wedges { {
        { W, 0, 0, 0, W, Y },
        { W, H, 0, H, 0, H - Y },
    } };
    CopyThroughTriangles(Screen, Picture, W, H, wedges);
}

TAPSY_DECLARE_EFFECT(116)
{
    Starburst(Screen, Picture, W, H,
        { { { 0, 0 }, { X, 0 }, { 0, H }, { 0, H - Y }, { W, H }, { W - X, H }, { W, 0 }, { W, Y } } });
}

TAPSY_DECLARE_EFFECT(117)
{
    Starburst(Screen, Picture, W, H,
        { { { 0, 0 }, { 0, Y }, { 0, H }, { X, H }, { W, H }, { W, H - Y }, { W, 0 }, { W - X, 0 } } });
}

// A grid of downward-pointing triangles that grow about the cell centres; at Progress 50
// neighbours touch at their base corners. One row more than needed reaches the bottom edge.
TAPSY_DECLARE_EFFECT(118)
{
    const int32_t CW = W / 10 + 1, CH = H / 10 + 1;
    const int32_t DX = MulDiv(CW, Progress, 50), DY = MulDiv(CH, Progress, 50);
    std::vector<TTriangle> triangles;
    for (int32_t x0 = 0; x0 < W; x0 += 2 * CW) {
        const int32_t cx = x0 + CW;
        for (int32_t y0 = 0; y0 < H + CH; y0 += 2 * CH) {
            const int32_t cy = y0 + CH;
            triangles.push_back({ cx - DX, cy - DY, cx, cy + DY, cx + DX, cy - DY });
        }
    }
    CopyThroughTriangles(Screen, Picture, W, H, triangles);
}
