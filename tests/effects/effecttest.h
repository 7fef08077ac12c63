// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Small pictures whose every pixel tells where it came from, and a check of a frame against a
// rule over all pixels that reports the first difference with both colours.
#pragma once

#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace effecttest {

// Tag in the red byte's top bits tells the two pictures apart; blue and green carry x and y.
constexpr uint32_t StartTag = 0x40;
constexpr uint32_t PictureTag = 0x80;

inline uint32_t PatternPixel(uint32_t tag, int32_t x, int32_t y)
{
    return ((tag | ((uint32_t(x) >> 8) & 0x3) | (((uint32_t(y) >> 8) & 0x3) << 2)) << 16)
        | ((uint32_t(y) & 0xFF) << 8) | (uint32_t(x) & 0xFF);
}

inline void FillPattern(TGdiBitmap& bitmap, uint32_t tag)
{
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, PatternPixel(tag, x, y));
}

// The three bitmaps an effect call sees: Screen holding the start image, and the picture.
struct TFrame {
    TGdiBitmap Start;
    TGdiBitmap Screen;
    TGdiBitmap Picture;
    int32_t W, H;
    TFrame(int32_t w, int32_t h)
        : Start(w, h)
        , Screen(w, h)
        , Picture(w, h)
        , W(w)
        , H(h)
    {
        FillPattern(Start, StartTag);
        FillPattern(Picture, PictureTag);
        Reset();
    }
    void Reset() { std::copy_n(Start.Bits(), Start.ByteCount(), Screen.Bits()); }
    // Calls effect `style` directly with the given extents.
    void Run(int32_t style, int32_t X, int32_t Y, int32_t progress = 50)
    {
        Reset();
        SetStretchBltMode(Screen.DC(), COLORONCOLOR);
        TransitionEffects[style - 1].Proc(Screen, Picture, W, H, X, Y, progress);
    }
    uint32_t StartAt(int32_t x, int32_t y) const { return PatternPixel(StartTag, x, y); }
    uint32_t PictureAt(int32_t x, int32_t y) const { return PatternPixel(PictureTag, x, y); }
};

inline std::string DescribePixel(uint32_t p)
{
    char text[64];
    const uint32_t tag = (p >> 16) & 0xF0;
    std::snprintf(text, sizeof text, "%08X (%s x=%u y=%u)", p,
        tag == PictureTag ? "picture" : tag == StartTag ? "start" : "other",
        (p & 0xFF) | (((p >> 16) & 0x3) << 8), ((p >> 8) & 0xFF) | (((p >> 18) & 0x3) << 8));
    return text;
}

// Compares every pixel with rule(x, y); reports the first difference.
inline ::testing::AssertionResult FrameMatches(const TGdiBitmap& frame,
    const std::function<uint32_t(int32_t, int32_t)>& rule)
{
    for (int32_t y = 0; y < frame.Height(); ++y)
        for (int32_t x = 0; x < frame.Width(); ++x) {
            const uint32_t want = rule(x, y);
            const uint32_t got = frame.Pixel(x, y);
            if (want != got)
                return ::testing::AssertionFailure()
                    << "pixel (" << x << ", " << y << "): expected " << DescribePixel(want)
                    << ", got " << DescribePixel(got);
        }
    return ::testing::AssertionSuccess();
}

} // namespace effecttest
