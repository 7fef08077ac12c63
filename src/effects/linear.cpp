// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects that bring the picture in along one axis: it expands, slides, is revealed, unrolls or
// is built up out of a thin strip, first across the width (1 … 17, driven by X), then down the
// height (18 … 34, driven by Y). Each is one or two transfers from Picture to Screen; the device
// clips whatever falls outside the bitmaps, so no formula below needs clamping.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>

namespace {

// How dark the edges of the roll get; its middle stays nearly untouched.
constexpr uint8_t RollShade = 64;

// Thickness of the roll at `extent` along an axis of `size`: it grows from nothing, stays a tenth
// of the size and shrinks to nothing again, so the first and the last frame show no roll.
int32_t RollThickness(int32_t size, int32_t extent)
{
    const int32_t R = size / 10;
    if (extent < R)
        return extent;
    if (size - extent < 2 * R)
        return (size - extent) / 2;
    return R;
}

// The roll across the width: R columns drawn leftwards from `rollRight` out of the R columns that
// start at `backLeft` (the back of the strip still to come), the part already in place, then the
// shading of the roll.
void UnrollAcross(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t H, int32_t R, int32_t rollRight,
    int32_t backLeft, int32_t placedLeft, int32_t placedWidth)
{
    Stretch(Screen, Picture, rollRight, 0, -R, H, backLeft, 0, R, H);
    Copy(Screen, Picture, placedLeft, 0, placedWidth, H, placedLeft, 0);
    ApplyHReflect(Screen, RollShade, rollRight - R + 1, R);
}

// The same roll down the height.
void UnrollDown(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t R, int32_t rollBottom,
    int32_t backTop, int32_t placedTop, int32_t placedHeight)
{
    Stretch(Screen, Picture, 0, rollBottom, W, -R, 0, backTop, W, R);
    Copy(Screen, Picture, 0, placedTop, W, placedHeight, 0, placedTop);
    ApplyVReflect(Screen, RollShade, rollBottom - R + 1, R);
}

} // namespace

// Across the width.

TAPSY_DECLARE_EFFECT(001)
{
    Stretch(Screen, Picture, W - X, 0, X, H, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(002)
{
    Stretch(Screen, Picture, 0, 0, X, H, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(003)
{
    Copy(Screen, Picture, W - X, 0, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(004)
{
    Copy(Screen, Picture, X - W, 0, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(005)
{
    Copy(Screen, Picture, 0, 0, X, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(006)
{
    Copy(Screen, Picture, W - X, 0, X, H, W - X, 0);
}

TAPSY_DECLARE_EFFECT(007)
{
    Stretch(Screen, Picture, 0, 0, 2 * W - X, H, 0, 0, X, H);
}

TAPSY_DECLARE_EFFECT(008)
{
    Stretch(Screen, Picture, X - W, 0, 2 * W - X, H, W - X, 0, X, H);
}

TAPSY_DECLARE_EFFECT(009)
{
    Stretch(Screen, Picture, X - W, 0, 3 * W - 2 * X, H, (W - X) / 2, 0, X, H);
}

TAPSY_DECLARE_EFFECT(010)
{
    Stretch(Screen, Picture, (W - X) / 2, 0, X, H, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(011)
{
    Copy(Screen, Picture, (W - X) / 2, 0, X, H, (W - X) / 2, 0);
}

// Two halves of X div 2 each: for an odd width the middle column is never drawn.
TAPSY_DECLARE_EFFECT(012)
{
    Copy(Screen, Picture, 0, 0, X / 2, H, 0, 0);
    Copy(Screen, Picture, W - X / 2, 0, X / 2, H, W - X / 2, 0);
}

// For an odd width the right half lands one column right of where it came from.
TAPSY_DECLARE_EFFECT(013)
{
    Stretch(Screen, Picture, 0, 0, X / 2, H, 0, 0, W / 2, H);
    Stretch(Screen, Picture, W - X / 2, 0, X / 2, H, W / 2, 0, W / 2, H);
}

TAPSY_DECLARE_EFFECT(014)
{
    const int32_t R = RollThickness(W, X);
    UnrollAcross(Screen, Picture, H, R, X + R - 1, X + R, 0, X);
}

// The back of the roll is taken one column further left than a mirror image of 14 would take
// it. When the roll is exactly half of what is left (X = W - 2R), its first source column lies
// off the picture and the roll's column next to the part in place keeps the old picture.
TAPSY_DECLARE_EFFECT(015)
{
    const int32_t R = RollThickness(W, X);
    UnrollAcross(Screen, Picture, H, R, W - X - 1, W - X - 2 * R - 1, W - X, X);
}

// The columns still to come are smeared out of the (at most W div 10) columns next to the part
// in place, so the picture seems drawn out of that strip.
TAPSY_DECLARE_EFFECT(016)
{
    Copy(Screen, Picture, 0, 0, X, H, 0, 0);
    Stretch(Screen, Picture, X, 0, W - X, H, X, 0, std::min(W - X, W / 10), H);
}

TAPSY_DECLARE_EFFECT(017)
{
    Copy(Screen, Picture, W - X, 0, X, H, W - X, 0);
    const int32_t S = std::max(W - X - W / 10, 0);
    Stretch(Screen, Picture, 0, 0, W - X, H, S, 0, W - X - S, H);
}

// Down the height: the same designs, bottom and top playing the parts of right and left.

TAPSY_DECLARE_EFFECT(018)
{
    Stretch(Screen, Picture, 0, H - Y, W, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(019)
{
    Stretch(Screen, Picture, 0, 0, W, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(020)
{
    Copy(Screen, Picture, 0, H - Y, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(021)
{
    Copy(Screen, Picture, 0, Y - H, W, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(022)
{
    Copy(Screen, Picture, 0, 0, W, Y, 0, 0);
}

TAPSY_DECLARE_EFFECT(023)
{
    Copy(Screen, Picture, 0, H - Y, W, Y, 0, H - Y);
}

TAPSY_DECLARE_EFFECT(024)
{
    Stretch(Screen, Picture, 0, 0, W, 2 * H - Y, 0, 0, W, Y);
}

TAPSY_DECLARE_EFFECT(025)
{
    Stretch(Screen, Picture, 0, Y - H, W, 2 * H - Y, 0, H - Y, W, Y);
}

TAPSY_DECLARE_EFFECT(026)
{
    Stretch(Screen, Picture, 0, Y - H, W, 3 * H - 2 * Y, 0, (H - Y) / 2, W, Y);
}

TAPSY_DECLARE_EFFECT(027)
{
    Stretch(Screen, Picture, 0, (H - Y) / 2, W, Y, 0, 0, W, H);
}

TAPSY_DECLARE_EFFECT(028)
{
    Copy(Screen, Picture, 0, (H - Y) / 2, W, Y, 0, (H - Y) / 2);
}

// The halves are revealed in place, not moved; for an odd height the middle row is never drawn.
TAPSY_DECLARE_EFFECT(029)
{
    Copy(Screen, Picture, 0, 0, W, Y / 2, 0, 0);
    Copy(Screen, Picture, 0, H - Y / 2, W, Y / 2, 0, H - Y / 2);
}

// For an odd height the lower half lands one row below where it came from.
TAPSY_DECLARE_EFFECT(030)
{
    Stretch(Screen, Picture, 0, 0, W, Y / 2, 0, 0, W, H / 2);
    Stretch(Screen, Picture, 0, H - Y / 2, W, Y / 2, 0, H / 2, W, H / 2);
}

TAPSY_DECLARE_EFFECT(031)
{
    const int32_t R = RollThickness(H, Y);
    UnrollDown(Screen, Picture, W, R, Y + R - 1, Y + R, 0, Y);
}

// Likewise one row higher than a mirror image of 31, with the same stale row at Y = H - 2R.
TAPSY_DECLARE_EFFECT(032)
{
    const int32_t R = RollThickness(H, Y);
    UnrollDown(Screen, Picture, W, R, H - Y - 1, H - Y - 2 * R - 1, H - Y, Y);
}

TAPSY_DECLARE_EFFECT(033)
{
    Copy(Screen, Picture, 0, 0, W, Y, 0, 0);
    Stretch(Screen, Picture, 0, Y, W, H - Y, 0, Y, W, std::min(H - Y, H / 10));
}

TAPSY_DECLARE_EFFECT(034)
{
    Copy(Screen, Picture, 0, H - Y, W, Y, 0, H - Y);
    const int32_t S = std::max(H - Y - H / 10, 0);
    Stretch(Screen, Picture, 0, 0, W, H - Y, 0, S, W, H - Y - S);
}
