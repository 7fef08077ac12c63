// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Uneven shreds: the picture arrives as thin strips whose lengths scatter around the progress
// extent. The scatter is drawn afresh on every frame from the running random sequence (never
// reseeded here), so the ragged front flickers as it advances and settles once the extent
// reaches the far edge.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

namespace {

void RevealThroughShreds(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t XP, int32_t YP,
    int32_t HKind, int32_t VKind)
{
    ClippedCopy(Screen, Picture, W, H, CreateUnevenShredRgn(XP, YP, W, H, HKind, VKind));
}

} // namespace

// Kinds: 1 from the right (bottom), 2 from the left (top), 3 out from the middle line,
// 4 in from both edges.
TAPSY_DECLARE_EFFECT(065) { RevealThroughShreds(Screen, Picture, W, H, X, 0, 1, 0); }
TAPSY_DECLARE_EFFECT(066) { RevealThroughShreds(Screen, Picture, W, H, X, 0, 2, 0); }
TAPSY_DECLARE_EFFECT(067) { RevealThroughShreds(Screen, Picture, W, H, X, 0, 3, 0); }
TAPSY_DECLARE_EFFECT(068) { RevealThroughShreds(Screen, Picture, W, H, X, 0, 4, 0); }

TAPSY_DECLARE_EFFECT(076) { RevealThroughShreds(Screen, Picture, W, H, 0, Y, 0, 1); }
TAPSY_DECLARE_EFFECT(077) { RevealThroughShreds(Screen, Picture, W, H, 0, Y, 0, 2); }
TAPSY_DECLARE_EFFECT(078) { RevealThroughShreds(Screen, Picture, W, H, 0, Y, 0, 3); }
TAPSY_DECLARE_EFFECT(079) { RevealThroughShreds(Screen, Picture, W, H, 0, Y, 0, 4); }

TAPSY_DECLARE_EFFECT(100) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 1, 1); }
TAPSY_DECLARE_EFFECT(101) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 1, 2); }
TAPSY_DECLARE_EFFECT(102) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 2, 1); }
TAPSY_DECLARE_EFFECT(103) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 2, 2); }
TAPSY_DECLARE_EFFECT(104) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 1, 3); }
TAPSY_DECLARE_EFFECT(105) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 2, 3); }
TAPSY_DECLARE_EFFECT(106) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 3, 1); }
TAPSY_DECLARE_EFFECT(107) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 3, 2); }
TAPSY_DECLARE_EFFECT(108) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 3, 3); }
TAPSY_DECLARE_EFFECT(109) { RevealThroughShreds(Screen, Picture, W, H, X, Y, 4, 4); }
