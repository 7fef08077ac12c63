// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Rectangular and circular shreds, clock sweeps, moving rectangles and rotating shapes
// (effects 143 … 153). Every one ends with the clipped copy of the incoming picture.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <span>

namespace {

int32_t ShredCellSize(int32_t W, int32_t H) { return std::min(W, H) / 10 + 1; }

enum class TTurn { Clockwise = 1, Anticlockwise = -1 };

// A sector from 12 o'clock, one 3.6-degree step per percent, over a circle through the corners.
void Sweep(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t Progress,
    TTurn turn)
{
    const int32_t CX = W / 2;
    const int32_t CY = H / 2;
    const auto Radius = int32_t(std::ceil(std::sqrt(static_cast<long double>(CX) * CX
        + static_cast<long double>(CY) * CY)));
    const long double StartAngle = -Pi / 2;
    const long double EndAngle = StartAngle + static_cast<int32_t>(turn) * (Progress * Pi / 50);
    ClippedCopy(Screen, Picture, W, H, CreateSectorRgn(CX, CY, Radius, StartAngle, EndAngle, Progress));
}

enum class TStripes { Horizontal, Vertical };
enum class TSlatsFrom { Start, End };

// Stripes across the picture plus slats of pitch D that widen by V. Written for horizontal
// stripes and slats advancing along x (146, 147); vertical stripes (148, 149) are the same
// pattern with the axes exchanged.
void MovingRectangles(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t X,
    int32_t Y, int32_t Progress, TStripes stripes, TSlatsFrom from)
{
    const bool transposed = stripes == TStripes::Vertical;
    const int32_t Along = transposed ? H : W; // the direction the slats advance in
    const int32_t Across = transposed ? W : H;
    const int32_t D = transposed ? Y : X;
    const int32_t N = Across / 20;
    if (D == 0 || N == 0)
        return;
    const int32_t A = MulDiv(N, Progress, 100);
    const int32_t V = MulDiv(D, Progress, 100);

    TComplexRegion rects;
    const TAxisRects axis { rects, transposed };
    for (int32_t b = -N; b < Across; b += 3 * N)
        axis.Add(0, b - A, Along, b + A);
    if (from == TSlatsFrom::Start)
        for (int32_t a = 0; a < Along; a += D)
            axis.Add(a, 0, a + V, Across);
    else
        for (int32_t a = Along; a > 0; a -= D)
            axis.Add(a - V, 0, a, Across);
    CopyThrough(Screen, Picture, W, H, rects.CreateRegion());
}

// The X by Y rectangle centred on the picture.
std::array<TPoint, 4> CentredRectangle(int32_t W, int32_t H, int32_t X, int32_t Y)
{
    const int32_t CX = W / 2, CY = H / 2, HX = X / 2, HY = Y / 2;
    return { { { CX - HX, CY - HY }, { CX + HX, CY - HY }, { CX + HX, CY + HY }, { CX - HX, CY + HY } } };
}

// One full turn over the transition; the picture's handle picks the direction, so it stays the
// same for all frames of one transition.
void TurnAndCopy(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H,
    std::span<TPoint> points, TPoint pivot, int32_t Progress)
{
    long double Angle = Progress * Pi / 50;
    if (Picture.Handle() & 1)
        Angle = -Angle;
    RotatePoints(points, pivot.X, pivot.Y, Angle);
    ClippedCopy(Screen, Picture, W, H,
        CreatePolygonRgn(points.data(), static_cast<int32_t>(points.size()), WINDING));
}

} // namespace

TAPSY_DECLARE_EFFECT(143)
{
    const int32_t N = ShredCellSize(W, H);
    const int32_t A = MulDiv(N, Progress, 100);
    TComplexRegion squares;
    ForEachCellCentre(W, H, N,
        [&](int32_t cx, int32_t cy) { squares.AddRect(cx - A, cy - A, cx + A, cy + A); });
    CopyThrough(Screen, Picture, W, H, squares.CreateRegion());
}

TAPSY_DECLARE_EFFECT(144)
{
    Sweep(Screen, Picture, W, H, Progress, TTurn::Clockwise);
}

TAPSY_DECLARE_EFFECT(145)
{
    Sweep(Screen, Picture, W, H, Progress, TTurn::Anticlockwise);
}

TAPSY_DECLARE_EFFECT(146)
{
    MovingRectangles(Screen, Picture, W, H, X, Y, Progress, TStripes::Horizontal, TSlatsFrom::Start);
}

TAPSY_DECLARE_EFFECT(147)
{
    MovingRectangles(Screen, Picture, W, H, X, Y, Progress, TStripes::Horizontal, TSlatsFrom::End);
}

TAPSY_DECLARE_EFFECT(148)
{
    MovingRectangles(Screen, Picture, W, H, X, Y, Progress, TStripes::Vertical, TSlatsFrom::Start);
}

TAPSY_DECLARE_EFFECT(149)
{
    MovingRectangles(Screen, Picture, W, H, X, Y, Progress, TStripes::Vertical, TSlatsFrom::End);
}

TAPSY_DECLARE_EFFECT(150)
{
    auto points = CentredRectangle(W, H, X, Y);
    TurnAndCopy(Screen, Picture, W, H, points, { W / 2, H / 2 }, Progress);
}

TAPSY_DECLARE_EFFECT(151)
{
    // Four spikes reaching 2X and 2Y out along the axes, inner corners at (±X/2, ±Y/2).
    const int32_t CX = W / 2, CY = H / 2, HX = X / 2, HY = Y / 2;
    std::array<TPoint, 8> points { { { CX - 2 * X, CY }, { CX - HX, CY - HY }, { CX, CY - 2 * Y },
        { CX + HX, CY - HY }, { CX + 2 * X, CY }, { CX + HX, CY + HY }, { CX, CY + 2 * Y },
        { CX - HX, CY + HY } } };
    TurnAndCopy(Screen, Picture, W, H, points, { CX, CY }, Progress);
}

TAPSY_DECLARE_EFFECT(152)
{
    // The pivot travels down the diagonal, so the rectangle circles a moving point.
    auto points = CentredRectangle(W, H, X, Y);
    TurnAndCopy(Screen, Picture, W, H, points, { X, Y }, Progress);
}

TAPSY_DECLARE_EFFECT(153)
{
    const int32_t N = ShredCellSize(W, H);
    const int32_t Rd = MulDiv(3 * N, Progress, 200);
    CopyThrough(Screen, Picture, W, H, UniteOverCells(W, H, N, [Rd](int32_t cx, int32_t cy) {
        return CreateEllipticRgn(cx - Rd, cy - Rd, cx + Rd, cy + Rd);
    }));
}
