// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Pixelate, dissolve, random bars and channel mix (effects 168 … 172): whole pixels, rows,
// columns or colour channels instead of regions. 169 … 172 seed the effects' generator from
// the picture's handle, so every frame of one transition makes the same choices.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

uint32_t* PixelBlock(TGdiBitmap& bitmap) { return reinterpret_cast<uint32_t*>(bitmap.Bits()); }
size_t PixelCount(int32_t W, int32_t H) { return size_t(std::max(W, 0)) * size_t(std::max(H, 0)); }

// Four pixels in one SSE register, four registers a step: two million pixels a frame leave no
// time for one at a time, and the four groups of a step give the dissolve's generator four
// independent chains. Comparisons give all-ones lanes where they hold.
constexpr size_t Lanes = 4;
constexpr size_t Chains = 4;
typedef uint32_t TLanes __attribute__((vector_size(Lanes * 4)));

// Calls Merge(screen, picture, i, chain) for the groups of Lanes pixels starting at i = 0,
// Lanes, … of the two blocks, in memory order; Merge updates `screen`. `chain` counts the groups
// of a step, 0 … Chains − 1. A last short group is padded.
template <typename TMerge>
void MergePixels(uint32_t* screen, const uint32_t* picture, size_t count, TMerge Merge)
{
    const auto Group = [&](size_t i, size_t chain, size_t n) {
        TLanes s {}, p {};
        std::memcpy(&s, screen + i, n * 4);
        std::memcpy(&p, picture + i, n * 4);
        s = Merge(s, p, i, chain);
        std::memcpy(screen + i, &s, n * 4);
    };
    size_t i = 0;
    for (; i + Lanes * Chains <= count; i += Lanes * Chains)
#pragma GCC unroll 4 // Chains
        for (size_t chain = 0; chain < Chains; ++chain)
            Group(i + chain * Lanes, chain, Lanes);
    for (size_t chain = 0; i < count; i += Lanes, ++chain)
        Group(i, chain, std::min(Lanes, count - i));
}

// RandomBelow(100) < Progress holds exactly when the new seed is below ⌈Progress·2^32 / 100⌉,
// since the draw is (seed·100) >> 32. Progress is 1 … 99 here, so the bound fits 32 bits.
uint32_t DrawBelowBound(int32_t Progress)
{
    const uint64_t p = uint64_t(std::clamp(Progress, 0, 99));
    return uint32_t(((p << 32) + 99) / 100);
}

// RandomBelow's generator advanced `steps` draws at once: seed → Mul·seed + Add.
struct TSeedJump {
    uint32_t Mul = 1;
    uint32_t Add = 0;
};
constexpr TSeedJump SeedJump(size_t steps)
{
    TSeedJump jump;
    for (size_t i = 0; i < steps; ++i) {
        jump.Mul *= 0x08088405u;
        jump.Add = jump.Add * 0x08088405u + 1;
    }
    return jump;
}

// Keeps a constant from the optimiser: a multiplication of lanes by a known constant becomes
// a long chain of shifts and adds, much slower than the plain vector multiply.
uint32_t HiddenFromOptimiser(uint32_t value)
{
    asm("" : "+r"(value));
    return value;
}

} // namespace

TAPSY_DECLARE_EFFECT(168)
{
    // Zoom into the outgoing picture until its pixels are large blocks, cross-fade around the
    // middle, zoom back out of the incoming one.
    HDC Src = Screen.DC();
    int32_t Z, EX, EY;
    if (Progress <= 50) {
        Z = 180 - MulDiv(Progress, 82, 50);
        EX = X;
        EY = Y;
    } else {
        Src = Picture.DC();
        EX = W - X;
        EY = H - Y;
        Z = 180 + MulDiv(Progress - 100, 82, 50);
    }
    const int32_t OX = MulDiv(EX, Z, 100);
    const int32_t OY = MulDiv(EY, Z, 100);
    const int32_t SW = std::max(W - 2 * OX, 2);
    const int32_t SH = std::max(H - 2 * OY, 2);
    if (Progress >= 41 && Progress <= 59) {
        // On pictures under 4 pixels across the 2-pixel minimum pushes the window past the
        // edge; MergeTransparent blends only its part inside the bitmaps.
        MergeTransparent(Screen, Picture, 5 * (Progress - 41) + 5, OX, OY, SW, SH);
        Src = Screen.DC();
    }
    // Source and destination may be the same bitmap: the raster layer reads the whole source
    // window before it writes.
    StretchBlt(Screen.DC(), -2 * OX, -2 * OY, W + 4 * OX, H + 4 * OY, Src, OX, OY, SW, SH, SRCCOPY);
}

TAPSY_DECLARE_EFFECT(169)
{
    const TRandomSeedGuard seeded(Picture.Handle());
    // One draw per pixel in memory order, the n-th draw for the n-th pixel: lane k of chain c
    // holds the generator for pixels c·Lanes + k plus multiples of Lanes·Chains, so each lane
    // jumps Lanes·Chains draws at once.
    constexpr TSeedJump Step = SeedJump(1), Jump = SeedJump(Lanes * Chains);
    TLanes seeds[Chains];
    uint32_t seed = RandomSeed;
    for (TLanes& chain : seeds)
        for (size_t lane = 0; lane < Lanes; ++lane)
            chain[lane] = seed = seed * Step.Mul + Step.Add;
    const uint32_t bound = DrawBelowBound(Progress), jumpMul = HiddenFromOptimiser(Jump.Mul);
    MergePixels(PixelBlock(Screen), PixelBlock(Picture), PixelCount(W, H),
        [&](TLanes s, TLanes p, size_t, size_t chain) {
            const TLanes copied = TLanes(seeds[chain] < bound);
            seeds[chain] = seeds[chain] * jumpMul + Jump.Add;
            return (p & copied) | (s & ~copied);
        });
}

TAPSY_DECLARE_EFFECT(170)
{
    const TRandomSeedGuard seeded(Picture.Handle());
    const size_t rowBytes = size_t(std::max(W, 0)) * 4;
    for (int32_t row = 0; row < H; ++row) // memory order: the bottom row first
        if (RandomBelow(100) < Progress)
            std::memcpy(Screen.Bits() + row * rowBytes, Picture.Bits() + row * rowBytes, rowBytes);
}

TAPSY_DECLARE_EFFECT(171)
{
    // One draw per column from the left; a copied column is all ones in the mask, so the
    // rows can then be merged in memory order. The mask is padded for a row's last group.
    std::vector<uint32_t> take((size_t(std::max(W, 0)) + Lanes - 1) / Lanes * Lanes);
    {
        const TRandomSeedGuard seeded(Picture.Handle());
        for (int32_t x = 0; x < W; ++x)
            take[x] = RandomBelow(100) < Progress ? ~0u : 0u;
    }
    for (int32_t row = 0; row < H; ++row) {
        const size_t first = size_t(row) * size_t(W);
        MergePixels(PixelBlock(Screen) + first, PixelBlock(Picture) + first, size_t(W),
            [&](TLanes s, TLanes p, size_t x, size_t) {
                TLanes copied;
                std::memcpy(&copied, take.data() + x, sizeof copied);
                return (p & copied) | (s & ~copied);
            });
    }
}

TAPSY_DECLARE_EFFECT(172)
{
    // Channels are byte positions: 0 blue, 1 green, 2 red.
    int32_t C1, C2;
    {
        const TRandomSeedGuard seeded(Picture.Handle());
        C1 = RandomBelow(3);
        do
            C2 = RandomBelow(3);
        while (C2 == C1);
    }
    const int32_t C3 = ~(C1 | C2) & 3;

    // Each channel takes a third of the transition; the ones before it are copied whole (weight
    // 256), the ones after it and the fourth byte kept (weight 0).
    TByteWeights weights {};
    const auto BlendChannel = [&](int32_t channel, int32_t progressInThird) {
        weights[size_t(channel)] = uint16_t(std::clamp(MulDiv(256, progressInThird, 33), 0, 256));
    };
    if (Progress <= 33) {
        BlendChannel(C1, Progress);
    } else if (Progress <= 66) {
        weights[size_t(C1)] = 256;
        BlendChannel(C2, Progress - 33);
    } else {
        weights[size_t(C1)] = weights[size_t(C2)] = 256;
        BlendChannel(C3, Progress - 66);
    }
    BlendPixels(PixelBlock(Screen), PixelBlock(Picture), PixelCount(W, H), weights);
}
