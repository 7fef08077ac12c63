// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A regression net over all 172 effects: each effect composes frames at a few progress values
// on fixed pictures with a fixed handle and seed, and a hash of the frames is compared with
// the value recorded when the effect had passed its own pixel rules. A hash proves nothing by
// itself; it tells that a frame changed. After a deliberate change, rerun with
// TAPSY_PRINT_HASHES=1 and paste the printed table below.
#include "effecttest.h"

#include <cstdlib>
#include <cstdio>

namespace {

uint64_t Fnv1a(uint64_t hash, const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// Odd sizes, wider and taller, so that halves and diagonals do not divide evenly; the largest
// is big enough for slats and bars wider than one pixel.
uint64_t TransitionHash(int32_t style)
{
    uint64_t hash = 0xCBF29CE484222325ull;
    for (const auto& [w, h] : { std::pair { 37, 23 }, std::pair { 21, 33 }, std::pair { 83, 45 } }) {
        effecttest::TFrame f(w, h);
        f.Picture.OverrideHandle(0x2468ACE1u);
        for (int32_t progress : { 1, 17, 50, 83, 99 }) {
            RandomSeed = 0;
            ComposeFrame(style, f.Screen, f.Start, f.Picture, progress);
            hash = Fnv1a(hash, f.Screen.Bits(), f.Screen.ByteCount());
        }
    }
    return hash;
}

#include "regressionhashes.inc"

TEST(EffectRegression, FramesMatchTheRecordedHashes)
{
    static_assert(std::size(RecordedHashes) == EffectCount);
    const bool print = std::getenv("TAPSY_PRINT_HASHES") != nullptr;
    for (int32_t style = 1; style <= EffectCount; ++style) {
        ASSERT_NE(TransitionEffects[style - 1].Proc, nullptr) << "style " << style;
        const uint64_t hash = TransitionHash(style);
        if (print)
            std::printf("    0x%016llXull, // %d\n", static_cast<unsigned long long>(hash), style);
        else
            EXPECT_EQ(hash, RecordedHashes[style - 1]) << "style " << style << " \"" << TransitionEffects[style - 1].Name << "\" draws differently";
    }
}

} // namespace
