// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What every one of the 172 effects owes its caller besides the frame, checked for all of them at
// every progress the engine uses: no region leaked, no clip left on Screen, Picture untouched, no
// state kept from one call to the next, and the effects' random seed as it was, except for the
// effects that draw the running sequence on purpose.
#include "effectrules.h"

#include <algorithm>
#include <set>
#include <vector>

using namespace effecttest;

namespace {

// The uneven shreds and the speckles draw from the running random sequence, frame after frame.
const std::set<int32_t> RunningSequenceStyles = { 65, 66, 67, 68, 76, 77, 78, 79, 100, 101, 102, 103,
    104, 105, 106, 107, 108, 109, 124, 125, 126, 127 };

// Odd and tall sizes, and pictures of a pixel or two, whose extents stay 0 for most frames.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 }, { 1, 1 }, { 2, 3 } };

// Screen after the effect at `progress`, starting from the start image with the seed `seed`.
std::vector<uint32_t> FrameAt(TFrame& f, int32_t style, int32_t progress, uint32_t seed)
{
    const TPoint extents = ExtentsRef(f.W, f.H, progress);
    RandomSeed = seed;
    f.Run(style, extents.X, extents.Y, progress);
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < f.H; ++y)
        for (int32_t x = 0; x < f.W; ++x)
            pixels.push_back(f.Screen.Pixel(x, y));
    return pixels;
}

::testing::AssertionResult KeepsTheContract(TFrame& f, int32_t style, int32_t progress)
{
    constexpr uint32_t Seed = 0x9E3779B9u;
    const int64_t regions = LiveRegionCount();
    const std::vector<uint8_t> picture(f.Picture.Bits(), f.Picture.Bits() + f.Picture.ByteCount());

    const std::vector<uint32_t> first = FrameAt(f, style, progress, Seed);
    if (LiveRegionCount() != regions)
        return ::testing::AssertionFailure() << (LiveRegionCount() - regions) << " region(s) leaked";
    if (!RunningSequenceStyles.contains(style) && RandomSeed != Seed)
        return ::testing::AssertionFailure() << "RandomSeed changed to " << RandomSeed;
    if (!std::equal(picture.begin(), picture.end(), f.Picture.Bits()))
        return ::testing::AssertionFailure() << "Picture was written";
    if (FrameAt(f, style, progress, Seed) != first)
        return ::testing::AssertionFailure() << "a second call with the same seed drew another frame";

    // A clip left behind, even one whose box is the whole screen, would stop a whole copy.
    BitBlt(f.Screen.DC(), 0, 0, f.W, f.H, f.Picture.DC(), 0, 0, SRCCOPY);
    if (auto covered = ShowsPicture(f); !covered)
        return ::testing::AssertionFailure() << "a clip was left on Screen: " << covered.message();
    return ::testing::AssertionSuccess();
}

TEST(EffectContract, EveryEffectAtEveryProgressLeavesNoTrace)
{
    for (const TSize size : Sizes) {
        TFrame f(size.W, size.H);
        f.Picture.OverrideHandle(0x2468ACE1u); // the seeded effects read it
        for (int32_t style = 1; style <= EffectCount; ++style)
            for (int32_t progress = 1; progress <= 99; ++progress)
                ASSERT_TRUE(KeepsTheContract(f, style, progress))
                    << "effect " << style << " on " << size.W << "x" << size.H << " at " << progress;
    }
}

} // namespace
