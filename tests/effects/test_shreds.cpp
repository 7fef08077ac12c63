// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Uneven shreds. The strips' lengths come from the effects' random sequence, so each test seeds
// it, replays the same sequence with its own copy of the generator, paints the strips that
// should show into a mask and compares the frame with it pixel by pixel.
#include "effectrules.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace effecttest;

// One-pixel strips on small odd pictures; 233 x 205 has 2-pixel strips that each reach one
// row (column) further into the next, and an odd middle line.
const TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 30, 41 }, { 233, 205 } };

// Kinds: 1 from the right / bottom, 2 from the left / top, 3 out from the middle line, 4 in
// from both edges; 0 none.
struct TShredEffect {
    int32_t Style;
    int32_t HKind, VKind;
};

// clang-format off
const TShredEffect ShredEffects[] = {
    { 65, 1, 0 }, { 66, 2, 0 }, { 67, 3, 0 }, { 68, 4, 0 },
    { 76, 0, 1 }, { 77, 0, 2 }, { 78, 0, 3 }, { 79, 0, 4 },
    { 100, 1, 1 }, { 101, 1, 2 }, { 102, 2, 1 }, { 103, 2, 2 },
    { 104, 1, 3 }, { 105, 2, 3 }, { 106, 3, 1 }, { 107, 3, 2 },
    { 108, 3, 3 }, { 109, 4, 4 },
};
// clang-format on

// Marks [from, to) along a strip and [acrossFrom, acrossTo) across it; an interval whose end
// lies before its start marks nothing.
void Mark(TMask& mask, bool horizontal, int32_t from, int32_t to, int32_t acrossFrom, int32_t acrossTo)
{
    if (horizontal)
        mask.Fill(from, acrossFrom, to, acrossTo);
    else
        mask.Fill(acrossFrom, from, acrossTo, to);
}

// Strips of one axis: `horizontal` strips run along the width, one per band of rows. Each takes
// one number from the generator, nearest band first; its length scatters by a tenth of the
// length around the extent until the extent reaches the far edge. Strips are thickness + the
// remainder thick, so each overlaps the next by the remainder.
void PaintStrips(TMask& mask, TRandomReplay& random, bool horizontal, int32_t extent, int32_t kind)
{
    if (kind == 0)
        return;
    const int32_t length = horizontal ? mask.W : mask.H;
    const int32_t breadth = horizontal ? mask.H : mask.W;
    const int32_t thickness = std::min(mask.W, mask.H) / 200 + 1;
    const int32_t remainder = breadth % thickness;
    const int32_t jitter = extent < length ? length / 10 : 0;
    const int32_t middle = length / 2;
    for (int32_t a = 0; a < breadth; a += thickness) {
        const int32_t r = random.Below(2 * jitter) - jitter + extent;
        const int32_t half = r / 2;
        const int32_t acrossTo = a + thickness + remainder;
        switch (kind) {
        case 1: // from the right (bottom) edge
            Mark(mask, horizontal, length - r, length, a, acrossTo);
            break;
        case 2: // from the left (top) edge
            Mark(mask, horizontal, 0, r, a, acrossTo);
            break;
        case 3: // half each way from the middle line
            Mark(mask, horizontal, middle - half, middle + half, a, acrossTo);
            break;
        default: // half from each edge
            Mark(mask, horizontal, 0, half, a, acrossTo);
            Mark(mask, horizontal, length - half, length, a, acrossTo);
            break;
        }
    }
}

// Horizontal strips draw first, then vertical ones.
TMask ExpectedShreds(
    const TShredEffect& e, int32_t W, int32_t H, int32_t X, int32_t Y, TRandomReplay& random)
{
    TMask mask(W, H);
    PaintStrips(mask, random, true, X, e.HKind);
    PaintStrips(mask, random, false, Y, e.VKind);
    return mask;
}

::testing::AssertionResult ShowsMask(const TFrame& frame, const TMask& mask)
{
    return ShowsPictureWhere(frame, [&](int32_t x, int32_t y) { return mask(x, y); });
}

// Runs a seeded frame and checks it against the replayed strips, including that the effect took
// exactly one number per strip.
void CheckSeededFrame(TFrame& frame, const TShredEffect& e, int32_t X, int32_t Y, uint32_t seed)
{
    TRandomReplay random { seed };
    const TMask mask = ExpectedShreds(e, frame.W, frame.H, X, Y, random);
    RandomSeed = seed;
    frame.Run(e.Style, X, Y);
    EXPECT_TRUE(ShowsMask(frame, mask))
        << "effect " << e.Style << " on " << frame.W << "x" << frame.H << " at X=" << X
        << " Y=" << Y << " seed " << seed;
    EXPECT_EQ(RandomSeed, random.Seed) << "effect " << e.Style << " drew another count of numbers";
}

TEST(ShredEffects, FollowTheReplayedStripsThroughTheWholeTransition)
{
    uint32_t seed = 1;
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const TShredEffect& e : ShredEffects)
            for (const int32_t progress : { 0, 1, 5, 30, 50, 90, 99, 100 }) {
                const TPoint extents = ExtentsRef(size.W, size.H, progress);
                CheckSeededFrame(frame, e, extents.X, extents.Y, seed);
                seed = seed * 2654435761u + 12345u;
            }
    }
}

// Without reseeding, each frame continues the sequence, so the front is scattered afresh.
TEST(ShredEffects, ScatterAnewOnEveryFrame)
{
    TFrame frame(40, 30);
    const TShredEffect e = ShredEffects[0];
    RandomSeed = 7;
    TRandomReplay random { 7 };
    for (int frameNumber = 0; frameNumber < 3; ++frameNumber) {
        const TMask mask = ExpectedShreds(e, frame.W, frame.H, 12, 9, random);
        frame.Run(e.Style, 12, 9);
        EXPECT_TRUE(ShowsMask(frame, mask)) << "frame " << frameNumber;
    }
}

// Once the extent reaches the far edge the scatter is gone: every seed gives the same frame
// (the count of numbers drawn is checked with the replayed frames above). With even sizes every
// pixel then shows the picture; with an odd size the halves of kinds 3 and 4 (W div 2 each)
// leave one column or row uncovered, which the engine's final whole copy hides.
TEST(ShredEffects, ScatterStopsAtTheFullExtent)
{
    for (const TSize size : Sizes) {
        TFrame frame(size.W, size.H);
        for (const TShredEffect& e : ShredEffects) {
            TMask exact(size.W, size.H);
            TRandomReplay unused { 0 }; // with no scatter the drawn values do not matter
            PaintStrips(exact, unused, true, size.W, e.HKind);
            PaintStrips(exact, unused, false, size.H, e.VKind);
            for (const uint32_t seed : { 3u, 0xDEADBEEFu }) {
                RandomSeed = seed;
                frame.Run(e.Style, size.W, size.H);
                EXPECT_TRUE(ShowsMask(frame, exact)) << "effect " << e.Style << " seed " << seed;
            }
            if (size.W % 2 == 0 && size.H % 2 == 0) {
                EXPECT_TRUE(ShowsPicture(frame)) << "effect " << e.Style;
            }
        }
    }
}

// At the very start the scatter is centred on 0, so about half of the strips get a negative
// length. Those are stored inverted and must show nothing; for the strips out from the middle
// line that is the visible difference (a mirrored strip would show around the middle).
TEST(ShredEffects, NegativeStripsOutFromTheMiddleStayEmpty)
{
    for (const int32_t style : { 67, 78 }) {
        const bool horizontal = style == 67;
        TFrame frame(40, 30);
        const int32_t strips = horizontal ? frame.H : frame.W;
        const int32_t length = horizontal ? frame.W : frame.H;
        const int32_t jitter = length / 10;
        TRandomReplay random { 99 };
        std::vector<int32_t> halves;
        for (int32_t i = 0; i < strips; ++i)
            halves.push_back((random.Below(2 * jitter) - jitter) / 2);
        ASSERT_TRUE(std::any_of(halves.begin(), halves.end(), [](int32_t h) { return h < 0; }))
            << "the seed must give some negative strips";

        RandomSeed = 99;
        frame.Run(style, 0, 0);
        const int32_t middle = length / 2;
        EXPECT_TRUE(ShowsPictureWhere(frame,
            [&](int32_t x, int32_t y) {
                const int32_t h = halves[size_t(horizontal ? y : x)];
                const int32_t along = horizontal ? x : y;
                return along >= middle - h && along < middle + h;
            }))
            << "effect " << style;
    }
}

// Through the engine's frame composition, which works out the extents and calls the effect.
TEST(ShredEffects, ComposedFrames)
{
    const TSize size { 40, 30 };
    TFrame frame(size.W, size.H);
    for (const TShredEffect& e : ShredEffects) {
        const TPoint extents = ExtentsRef(size.W, size.H, 50);
        TRandomReplay random { 1234 };
        const TMask mask = ExpectedShreds(e, size.W, size.H, extents.X, extents.Y, random);
        RandomSeed = 1234;
        ASSERT_TRUE(ComposeFrame(e.Style, frame.Screen, frame.Start, frame.Picture, 50));
        EXPECT_TRUE(ShowsMask(frame, mask)) << "effect " << e.Style;
    }
}

} // namespace
