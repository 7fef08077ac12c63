// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Diagonal reveals: the picture shows inside a right triangle that grows from one corner, its
// legs 2·X and 2·Y long, so the hypotenuse joins the two neighbouring corners at half way and
// sweeps the far corner only at the very end.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <initializer_list>

namespace {

// Points: the corner, the end of the horizontal leg, the end of the vertical leg.
void RevealTriangle(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H,
    std::initializer_list<int32_t> Points)
{
    ClippedCopy(Screen, Picture, W, H, CreatePolyRgn(Points));
}

} // namespace

TAPSY_DECLARE_EFFECT(110) { RevealTriangle(Screen, Picture, W, H, { 0, 0, 2 * X, 0, 0, 2 * Y }); }
TAPSY_DECLARE_EFFECT(111) { RevealTriangle(Screen, Picture, W, H, { W, 0, W - 2 * X, 0, W, 2 * Y }); }
TAPSY_DECLARE_EFFECT(112) { RevealTriangle(Screen, Picture, W, H, { 0, H, 2 * X, H, 0, H - 2 * Y }); }

// Selects the triangle and lets go of it at once (the device context keeps its own copy), then
// draws the whole picture the way a canvas draws one: a plain copy at its own size.
TAPSY_DECLARE_EFFECT(113)
{
    TClipGuard clip(Screen.DC());
    SelectClipRgn(Screen.DC(), TOwnedRegion(CreatePolyRgn({ W, H, W - 2 * X, H, W, H - 2 * Y })).get());
    Copy(Screen, Picture, 0, 0, W, H, 0, 0);
}
