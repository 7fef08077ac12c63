// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "effects.h"

#include <cassert>

const TEffect* EffectByStyle(int32_t style)
{
    if (style < 1 || style > EffectCount)
        return nullptr;
    return &TransitionEffects[size_t(style - 1)];
}

TPoint EffectExtents(int32_t W, int32_t H, int32_t progress)
{
    // The longer side sets the pace, so X / Y keeps the picture's aspect ratio.
    if (H > W) {
        const int32_t Y = MulDiv(H, progress, 100);
        return { MulDiv(Y, W, H), Y };
    }
    const int32_t X = MulDiv(W, progress, 100);
    return { X, MulDiv(X, H, W) };
}

bool ComposeFrame(int32_t style, TGdiBitmap& screen, TGdiBitmap& start, TGdiBitmap& picture,
    int32_t progress, const TFrameHooks* hooks)
{
    const int32_t W = picture.Width();
    const int32_t H = picture.Height();
    assert(screen.Width() == W && screen.Height() == H && "the frame is composed at the picture's size");

    BitBlt(screen.DC(), 0, 0, W, H, start.DC(), 0, 0, SRCCOPY);
    if (hooks && hooks->BeforeNewFrame)
        hooks->BeforeNewFrame(picture, screen);
    const bool known = [&] {
        if (progress >= 100) {
            BitBlt(screen.DC(), 0, 0, W, H, picture.DC(), 0, 0, SRCCOPY);
            return true;
        }
        if (progress <= 0)
            return true;
        if (style == 0 && hooks) {
            if (hooks->CustomDraw)
                hooks->CustomDraw(picture, screen);
            return true;
        }
        const TEffect* effect = EffectByStyle(style);
        if (!effect)
            return false;
        // An empty picture has nothing to draw, and its extents would divide by zero.
        if (W <= 0 || H <= 0)
            return true;
        SetStretchBltMode(screen.DC(), COLORONCOLOR);
        const TPoint extents = EffectExtents(W, H, progress);
        effect->Proc(screen, picture, W, H, extents.X, extents.Y, progress);
        return true;
    }();
    if (hooks && hooks->AfterNewFrame)
        hooks->AfterNewFrame(picture, screen);
    return known;
}
