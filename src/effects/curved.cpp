// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Curved and elliptic reveals: the picture shows through a rounded rectangle that grows over the
// screen (58, 59, 69, 70, 80 … 84), or outside one that shrinks (85). The region calls get their
// arguments unchanged, even where the corner ellipse is larger than the rectangle: the region
// call limits the rounding, and that is part of the shape of the front.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <memory>

namespace {

// The picture inside the rounded rectangle from (left, top) to (right, bottom), corners rounded
// by an ellipse of ew x eh.
void RoundRectReveal(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t left,
    int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh)
{
    ClippedCopy(Screen, Picture, W, H, CreateRoundRectRgn(left, top, right, bottom, ew, eh));
}

} // namespace

// The rounded end of a bar twice the screen wide (or high) whose leading edge runs from 0 to 2W
// (2H): the straight part of the front has passed the far edge when X reaches W.

TAPSY_DECLARE_EFFECT(058)
{
    RoundRectReveal(Screen, Picture, W, H, -2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W);
}

TAPSY_DECLARE_EFFECT(059)
{
    RoundRectReveal(Screen, Picture, W, H, W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W);
}

TAPSY_DECLARE_EFFECT(069)
{
    RoundRectReveal(Screen, Picture, W, H, 0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H);
}

TAPSY_DECLARE_EFFECT(070)
{
    RoundRectReveal(Screen, Picture, W, H, 0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H);
}

// A rounded rectangle out of a corner; its far corner runs to one and a half times the screen.

TAPSY_DECLARE_EFFECT(080)
{
    RoundRectReveal(Screen, Picture, W, H, -W, -H, (3 * X) / 2, (3 * Y) / 2, 2 * W, 2 * H);
}

TAPSY_DECLARE_EFFECT(081)
{
    RoundRectReveal(Screen, Picture, W, H, W - (3 * X) / 2, -H, 2 * W, (3 * Y) / 2, 2 * W, 2 * H);
}

TAPSY_DECLARE_EFFECT(082)
{
    RoundRectReveal(Screen, Picture, W, H, -W, H - (3 * Y) / 2, (3 * X) / 2, 2 * H, 2 * W, 2 * H);
}

TAPSY_DECLARE_EFFECT(083)
{
    RoundRectReveal(
        Screen, Picture, W, H, W - (3 * X) / 2, H - (3 * Y) / 2, 2 * W, 2 * H, 2 * W, 2 * H);
}

// Half-size X x Y about the centre, with a corner ellipse of nine tenths of the full size, so it is
// nearly an ellipse.
TAPSY_DECLARE_EFFECT(084)
{
    RoundRectReveal(Screen, Picture, W, H, W / 2 - X, H / 2 - Y, W / 2 + X, H / 2 + Y, (9 * X) / 5,
        (9 * Y) / 5);
}

// The picture outside a near-ellipse that shrinks into the centre. The XOR also keeps the part
// of the ellipse outside the screen, which the clip to the bitmap makes harmless. When W and H are
// both odd the shape at X = W is not empty but inverted by two pixels each way; the region call
// puts it in order, so 2 x 2 pixels at the centre keep the old picture until the last frame.
TAPSY_DECLARE_EFFECT(085)
{
    TOwnedRegion R(CreateRectRgn(0, 0, W, H));
    {
        const TOwnedRegion ellipse(CreateRoundRectRgn(X - W / 2, Y - H / 2, 3 * (W / 2) - X, 3 * (H / 2) - Y,
            (9 * (W - X)) / 5, (9 * (H - Y)) / 5));
        CombineRgn(R.get(), R.get(), ellipse.get(), RGN_XOR);
    }
    ClippedCopy(Screen, Picture, W, H, R.release());
}
