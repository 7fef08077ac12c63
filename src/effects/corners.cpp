// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects that move along both axes at once: from a corner (35 … 46), blown up and contracting
// (47 … 51), from or to the centre (52 … 54) and in four quarters (55 … 57). The device clips
// whatever falls outside the bitmaps.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

// Corners: the picture grows, slides in or is uncovered from one corner.

TAPSY_DECLARE_EFFECT(035)
{
    Stretch(Screen, Picture, W - X, H - Y, X, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(036)
{
    Stretch(Screen, Picture, W - X, 0, X, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(037)
{
    Stretch(Screen, Picture, 0, 0, X, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(038)
{
    Stretch(Screen, Picture, 0, H - Y, X, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(039)
{
    Copy(Screen, Picture, W - X, H - Y, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(040)
{
    Copy(Screen, Picture, W - X, Y - H, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(041)
{
    Copy(Screen, Picture, X - W, Y - H, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(042)
{
    Copy(Screen, Picture, X - W, H - Y, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(043)
{
    Copy(Screen, Picture, 0, 0, X, Y, 0, 0);
}

TAPSY_DECLARE_EFFECT(044)
{
    Copy(Screen, Picture, 0, H - Y, X, Y, 0, H - Y);
}

TAPSY_DECLARE_EFFECT(045)
{
    Copy(Screen, Picture, W - X, H - Y, X, Y, W - X, H - Y);
}

TAPSY_DECLARE_EFFECT(046)
{
    Copy(Screen, Picture, W - X, 0, X, Y, W - X, 0);
}

// Appear and contract: an X x Y part of the picture, anchored at the named corner (or centred),
// is blown up to overfill the screen and contracts to its true size as X and Y reach W and H.

TAPSY_DECLARE_EFFECT(047)
{
    Stretch(Screen, Picture, 0, 0, 2 * W - X, 2 * H - Y, 0, 0, X, Y);
}

TAPSY_DECLARE_EFFECT(048)
{
    Stretch(Screen, Picture, 0, Y - H, 2 * W - X, 2 * H - Y, 0, H - Y, X, Y);
}

TAPSY_DECLARE_EFFECT(049)
{
    Stretch(Screen, Picture, X - W, Y - H, 2 * W - X, 2 * H - Y, W - X, H - Y, X, Y);
}

TAPSY_DECLARE_EFFECT(050)
{
    Stretch(Screen, Picture, X - W, 0, 2 * W - X, 2 * H - Y, W - X, 0, X, Y);
}

TAPSY_DECLARE_EFFECT(051)
{
    Stretch(Screen, Picture, X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, (W - X) / 2, (H - Y) / 2,
        X, Y);
}

// Centre.

TAPSY_DECLARE_EFFECT(052)
{
    Stretch(Screen, Picture, (W - X) / 2, (H - Y) / 2, X, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(053)
{
    Copy(Screen, Picture, (W - X) / 2, (H - Y) / 2, X, Y, (W - X) / 2, (H - Y) / 2);
}

// The picture shows in a frame that closes in on the centre. (For an odd size the hole at X = W
// is still the centre pixel, which the last frame fills.)
TAPSY_DECLARE_EFFECT(054)
{
    TClipGuard clipReset(Screen.DC());
    ExcludeClipRect(Screen.DC(), X / 2, Y / 2, W - X / 2, H - Y / 2);
    Copy(Screen, Picture, 0, 0, W, H, 0, 0);
}

// Quarters of (W div 2) x (H div 2): for an odd size the last column and row of the picture are
// left out, and the quarters placed from the right or bottom edge land one pixel off their source.

TAPSY_DECLARE_EFFECT(055)
{
    const int32_t hx = X / 2, hy = Y / 2;
    Copy(Screen, Picture, 0, 0, hx, hy, 0, 0);
    Copy(Screen, Picture, 0, H - hy, hx, hy, 0, H - hy);
    Copy(Screen, Picture, W - hx, H - hy, hx, hy, W - hx, H - hy);
    Copy(Screen, Picture, W - hx, 0, hx, hy, W - hx, 0);
}

TAPSY_DECLARE_EFFECT(056)
{
    const int32_t hw = W / 2, hh = H / 2, hx = X / 2, hy = Y / 2;
    Stretch(Screen, Picture, 0, 0, hx, hy, 0, 0, hw, hh);
    Stretch(Screen, Picture, 0, H - hy, hx, hy, 0, hh, hw, hh);
    Stretch(Screen, Picture, W - hx, H - hy, hx, hy, hw, hh, hw, hh);
    Stretch(Screen, Picture, W - hx, 0, hx, hy, hw, 0, hw, hh);
}

// The quarters turn in like a pinwheel: top left from the left, top right from the top, bottom
// right from the right, bottom left from the bottom.
TAPSY_DECLARE_EFFECT(057)
{
    const int32_t hw = W / 2, hh = H / 2, hx = X / 2, hy = Y / 2;
    Copy(Screen, Picture, hx - hw, 0, hw, hh, 0, 0);
    Copy(Screen, Picture, hw, hy - hh, hw, hh, hw, 0);
    Copy(Screen, Picture, W - hx, hh, hw, hh, hw, hh);
    Copy(Screen, Picture, 0, H - hy, hw, hh, 0, hh);
}
