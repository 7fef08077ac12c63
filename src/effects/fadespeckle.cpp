// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The cross-fade, the pivots, the speckles and the random squares.
#include "effecthelpers.h"
#include "effects.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

// One pass over the whole contiguous pixel block, bottom row first.
TAPSY_DECLARE_EFFECT(119)
{
    assert(Screen.Width() == W && Screen.Height() == H && Picture.Width() == W
        && Picture.Height() == H);
    const auto A = uint16_t(MulDiv(256, std::clamp(Progress, 0, 100), 100));
    BlendPixels(reinterpret_cast<uint32_t*>(Screen.Bits()), reinterpret_cast<const uint32_t*>(Picture.Bits()),
        size_t(W) * size_t(H), { A, A, A, 0 });
}

// The pivot lies one pixel outside a corner (CY counts up from the bottom edge); the angle
// shrinks to 0 at Progress 100, so the picture ends upright in place.
TAPSY_DECLARE_EFFECT(120)
{
    MergeRotate(Screen, Picture, -1, -1, (100 - Progress) * Pi / 200);
}

TAPSY_DECLARE_EFFECT(121)
{
    MergeRotate(Screen, Picture, -1, H, (Progress - 100) * Pi / 200);
}

TAPSY_DECLARE_EFFECT(122)
{
    MergeRotate(Screen, Picture, W, -1, (Progress - 100) * Pi / 200);
}

TAPSY_DECLARE_EFFECT(123)
{
    MergeRotate(Screen, Picture, W, H, (100 - Progress) * Pi / 200);
}

// The speckles draw the running random sequence, so their spray changes from frame to frame.
TAPSY_DECLARE_EFFECT(124)
{
    ClippedCopy(Screen, Picture, W, H, CreateSpeckleRgn(X, Y, W, H, 1, 0));
}

TAPSY_DECLARE_EFFECT(125)
{
    ClippedCopy(Screen, Picture, W, H, CreateSpeckleRgn(X, Y, W, H, 2, 0));
}

TAPSY_DECLARE_EFFECT(126)
{
    ClippedCopy(Screen, Picture, W, H, CreateSpeckleRgn(X, Y, W, H, 0, 1));
}

TAPSY_DECLARE_EFFECT(127)
{
    ClippedCopy(Screen, Picture, W, H, CreateSpeckleRgn(X, Y, W, H, 0, 2));
}

// Seeded from the picture's handle, which stays the same through a transition, every square
// draws the same number on every frame: once shown it stays shown. The seed is put back so the
// other effects' sequence is not disturbed.
TAPSY_DECLARE_EFFECT(128)
{
    HRGN R = nullptr;
    {
        TRandomSeedGuard seed(Picture.Handle());
        const int32_t S = std::min(W, H) / 50 + 1;
        TComplexRegion squares;
        for (int32_t x0 = 0; x0 < W; x0 += 2 * S)
            for (int32_t y0 = 0; y0 < H; y0 += 2 * S)
                if (RandomBelow(100) < Progress)
                    squares.AddRect(x0, y0, x0 + 2 * S, y0 + 2 * S);
        R = squares.CreateRegion();
    }
    CopyThrough(Screen, Picture, W, H, R);
}
