// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The pushes, in which the incoming picture shoves the outgoing one out of the frame, and the
// blinds, in which it shows through slats that open.
#include "effecthelpers.h"
#include "effects.h"

namespace {

// The pushes move the outgoing picture within Screen itself. Source and destination overlap;
// the block transfers within one bitmap give the result of reading the whole source first.
// Screen holds the start image afresh on every frame, so each frame moves it from home.
void MoveOld(TGdiBitmap& Screen, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx, int32_t sy)
{
    BitBlt(Screen.DC(), dx, dy, w, h, Screen.DC(), sx, sy, SRCCOPY);
}

// Squeezes the whole outgoing picture into the rectangle; the engine's COLORONCOLOR mode makes
// the stretch drop rows or columns rather than blend them.
void SqueezeOld(TGdiBitmap& Screen, int32_t W, int32_t H, int32_t dx, int32_t dy, int32_t w, int32_t h)
{
    StretchBlt(Screen.DC(), dx, dy, w, h, Screen.DC(), 0, 0, W, H, SRCCOPY);
}

enum class TSlats { Vertical, Horizontal };

// Slats of pitch 2·N opening from their middle lines, about 20 of them at any size.
void EvenBlind(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t Progress,
    TSlats direction)
{
    const bool vertical = direction == TSlats::Vertical;
    const int32_t N = (vertical ? W : H) / 40 + 1;
    const int32_t A = MulDiv(N, Progress, 100);
    TComplexRegion slats;
    for (int32_t start = 0; start < (vertical ? W : H); start += 2 * N) {
        const int32_t c = start + N;
        if (vertical)
            slats.AddRect(c - A, 0, c + A, H);
        else
            slats.AddRect(0, c - A, W, c + A);
    }
    CopyThrough(Screen, Picture, W, H, slats.CreateRegion());
}

enum class TBlindFrom { Left, Right, Top, Bottom };

// Slats whose pitch D is the progress extent itself, each Progress per cent open: they grow
// wider and fewer as the transition proceeds. Slats may reach past the edge; the clip and the
// copy are bounded by the bitmap.
void UnevenBlind(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t D,
    int32_t Progress, TBlindFrom from)
{
    if (D == 0)
        return;
    const int32_t A = MulDiv(D, Progress, 100);
    TComplexRegion slats;
    switch (from) {
    case TBlindFrom::Left:
        for (int32_t x = 0; x < W; x += D)
            slats.AddRect(x, 0, x + A, H);
        break;
    case TBlindFrom::Right:
        for (int32_t x = W; x > 0; x -= D)
            slats.AddRect(x - A, 0, x, H);
        break;
    case TBlindFrom::Top:
        for (int32_t y = 0; y < H; y += D)
            slats.AddRect(0, y, W, y + A);
        break;
    case TBlindFrom::Bottom:
        for (int32_t y = H; y > 0; y -= D)
            slats.AddRect(0, y - A, W, y);
        break;
    }
    CopyThrough(Screen, Picture, W, H, slats.CreateRegion());
}

} // namespace

TAPSY_DECLARE_EFFECT(129)
{
    MoveOld(Screen, X, 0, W - X, H, 0, 0);
    Copy(Screen, Picture, 0, 0, X, H, W - X, 0);
}

TAPSY_DECLARE_EFFECT(130)
{
    MoveOld(Screen, 0, 0, W - X, H, X, 0);
    Copy(Screen, Picture, W - X, 0, X, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(131)
{
    SqueezeOld(Screen, W, H, X, 0, W - X, H);
    Copy(Screen, Picture, 0, 0, X, H, W - X, 0);
}

TAPSY_DECLARE_EFFECT(132)
{
    SqueezeOld(Screen, W, H, 0, 0, W - X, H);
    Copy(Screen, Picture, W - X, 0, X, H, 0, 0);
}

TAPSY_DECLARE_EFFECT(133)
{
    MoveOld(Screen, 0, Y, W, H - Y, 0, 0);
    Copy(Screen, Picture, 0, 0, W, Y, 0, H - Y);
}

TAPSY_DECLARE_EFFECT(134)
{
    MoveOld(Screen, 0, 0, W, H - Y, 0, Y);
    Copy(Screen, Picture, 0, H - Y, W, Y, 0, 0);
}

TAPSY_DECLARE_EFFECT(135)
{
    SqueezeOld(Screen, W, H, 0, Y, W, H - Y);
    Copy(Screen, Picture, 0, 0, W, Y, 0, H - Y);
}

TAPSY_DECLARE_EFFECT(136)
{
    SqueezeOld(Screen, W, H, 0, 0, W, H - Y);
    Copy(Screen, Picture, 0, H - Y, W, Y, 0, 0);
}

TAPSY_DECLARE_EFFECT(137)
{
    EvenBlind(Screen, Picture, W, H, Progress, TSlats::Vertical);
}

TAPSY_DECLARE_EFFECT(138)
{
    EvenBlind(Screen, Picture, W, H, Progress, TSlats::Horizontal);
}

TAPSY_DECLARE_EFFECT(139)
{
    UnevenBlind(Screen, Picture, W, H, X, Progress, TBlindFrom::Left);
}

TAPSY_DECLARE_EFFECT(140)
{
    UnevenBlind(Screen, Picture, W, H, X, Progress, TBlindFrom::Right);
}

TAPSY_DECLARE_EFFECT(141)
{
    UnevenBlind(Screen, Picture, W, H, Y, Progress, TBlindFrom::Top);
}

TAPSY_DECLARE_EFFECT(142)
{
    UnevenBlind(Screen, Picture, W, H, Y, Progress, TBlindFrom::Bottom);
}
