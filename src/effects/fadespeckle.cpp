// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The cross-fade, the pivots, the speckles and the random squares.
#include "effecthelpers.h"
#include "effects.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr long double Pi = 3.1415926535897932385L;

// Blends `pixelCount` pixels of `picture` into `screen` by A/256, blue, green and red only:
// s + floor((p - s)·A / 256). That equals (s·(256 - A) + p·A) / 256, which never leaves 16
// bits, so eight bytes are blended at a time; a weight pair of (256, 0) keeps the fourth byte.
void FadePixels(uint8_t* screen, const uint8_t* picture, size_t pixelCount, int32_t A)
{
    assert(A >= 0 && A <= 256);
    size_t i = 0;
#if defined(__SSE2__)
    const short keep = short(256 - A), take = short(A);
    const __m128i keepWeights = _mm_setr_epi16(keep, keep, keep, 256, keep, keep, keep, 256);
    const __m128i takeWeights = _mm_setr_epi16(take, take, take, 0, take, take, take, 0);
    const __m128i zero = _mm_setzero_si128();
    for (; i + 4 <= pixelCount; i += 4) {
        auto* s = reinterpret_cast<__m128i*>(screen + 4 * i);
        const auto* p = reinterpret_cast<const __m128i*>(picture + 4 * i);
        const __m128i sv = _mm_loadu_si128(s), pv = _mm_loadu_si128(p);
        const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), keepWeights),
            _mm_mullo_epi16(_mm_unpacklo_epi8(pv, zero), takeWeights));
        const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), keepWeights),
            _mm_mullo_epi16(_mm_unpackhi_epi8(pv, zero), takeWeights));
        _mm_storeu_si128(s, _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8)));
    }
#endif
    for (; i < pixelCount; ++i) {
        uint8_t* s = screen + 4 * i;
        const uint8_t* p = picture + 4 * i;
        for (int c = 0; c < 3; ++c)
            s[c] = uint8_t(s[c] + (((p[c] - s[c]) * A) >> 8)); // >> floors negative values
    }
}

} // namespace

// One pass over the whole contiguous pixel block, bottom row first.
TAPSY_DECLARE_EFFECT(119)
{
    assert(Screen.Width() == W && Screen.Height() == H && Picture.Width() == W
        && Picture.Height() == H);
    FadePixels(Screen.Bits(), Picture.Bits(), size_t(W) * size_t(H), MulDiv(256, Progress, 100));
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
    // No square chosen: no region, and the clipped copy would then copy the whole picture.
    if (R)
        ClippedCopy(Screen, Picture, W, H, R);
}
