// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Bars and criss-cross reveals: the picture shows through thin alternating bands that grow in
// from the edges. Kinds 1, 2, 4 and 5 fill the even bands first and the odd ones after, so they
// are given twice the extent; kind 3 fills both at once and gets the plain extent.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

namespace {

void RevealThroughBars(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t XP, int32_t YP,
    int32_t HKind, int32_t VKind)
{
    ClippedCopy(Screen, Picture, W, H, CreateBarsRgn(XP, YP, W, H, HKind, VKind));
}

} // namespace

TAPSY_DECLARE_EFFECT(060) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 0, 1, 0); }
TAPSY_DECLARE_EFFECT(061) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 0, 2, 0); }
TAPSY_DECLARE_EFFECT(062) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 0, 4, 0); }
TAPSY_DECLARE_EFFECT(063) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 0, 5, 0); }
TAPSY_DECLARE_EFFECT(064) { RevealThroughBars(Screen, Picture, W, H, X, 0, 3, 0); }

TAPSY_DECLARE_EFFECT(071) { RevealThroughBars(Screen, Picture, W, H, 0, 2 * Y, 0, 1); }
TAPSY_DECLARE_EFFECT(072) { RevealThroughBars(Screen, Picture, W, H, 0, 2 * Y, 0, 2); }
TAPSY_DECLARE_EFFECT(073) { RevealThroughBars(Screen, Picture, W, H, 0, 2 * Y, 0, 4); }
TAPSY_DECLARE_EFFECT(074) { RevealThroughBars(Screen, Picture, W, H, 0, 2 * Y, 0, 5); }
TAPSY_DECLARE_EFFECT(075) { RevealThroughBars(Screen, Picture, W, H, 0, Y, 0, 3); }

TAPSY_DECLARE_EFFECT(086) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 1, 1); }
TAPSY_DECLARE_EFFECT(087) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 1, 2); }
TAPSY_DECLARE_EFFECT(088) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 2, 1); }
TAPSY_DECLARE_EFFECT(089) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 2, 2); }
TAPSY_DECLARE_EFFECT(090) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 4, 4); }
TAPSY_DECLARE_EFFECT(091) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 4, 5); }
TAPSY_DECLARE_EFFECT(092) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 5, 4); }
TAPSY_DECLARE_EFFECT(093) { RevealThroughBars(Screen, Picture, W, H, 2 * X, 2 * Y, 5, 5); }
// With the plain extent a kind 1 or 2 direction fills only its even bands; the kind 3
// direction completes the picture.
TAPSY_DECLARE_EFFECT(094) { RevealThroughBars(Screen, Picture, W, H, X, Y, 1, 3); }
TAPSY_DECLARE_EFFECT(095) { RevealThroughBars(Screen, Picture, W, H, X, Y, 2, 3); }
TAPSY_DECLARE_EFFECT(096) { RevealThroughBars(Screen, Picture, W, H, X, Y, 3, 1); }
TAPSY_DECLARE_EFFECT(097) { RevealThroughBars(Screen, Picture, W, H, X, Y, 3, 2); }
TAPSY_DECLARE_EFFECT(098) { RevealThroughBars(Screen, Picture, W, H, X, Y, 3, 3); }

// Only where the criss-cross from the bottom right (86) and the one from the top left (89)
// overlap.
TAPSY_DECLARE_EFFECT(099)
{
    const TOwnedRegion fromTopLeft(CreateBarsRgn(2 * X, 2 * Y, W, H, 2, 2));
    TOwnedRegion R(CreateBarsRgn(2 * X, 2 * Y, W, H, 1, 1));
    CombineRgn(R.get(), R.get(), fromTopLeft.get(), RGN_AND);
    ClippedCopy(Screen, Picture, W, H, R.release());
}
