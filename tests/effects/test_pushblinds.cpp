// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The pushes and the blinds, checked pixel by pixel: where each pixel of the frame must come
// from, worked out from the geometry of the slide or of the slats.
#include "effectrules.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace effecttest;

namespace {

const std::pair<int32_t, int32_t> Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };
const int32_t Progresses[] = { 0, 1, 33, 50, 99, 100 };

// ---------------------------------------------------------------------------------------------
// Pushes

// Which of the outgoing picture's `length` lines lands at offset i of the `room` left to it
// when it is squeezed, nearest neighbour.
int32_t Squeezed(int32_t i, int32_t length, int32_t room) { return (2 * i + 1) * length / (2 * room); }

enum class TMove { Push, Squeeze };

struct TPush {
    int32_t Style;
    bool Vertical; // rows move instead of columns
    bool Forward; // the picture enters at the left (top) edge and shoves towards the right (bottom)
    TMove Move;
};

const TPush Pushes[] = {
    { 129, false, true, TMove::Push },
    { 130, false, false, TMove::Push },
    { 131, false, true, TMove::Squeeze },
    { 132, false, false, TMove::Squeeze },
    { 133, true, true, TMove::Push },
    { 134, true, false, TMove::Push },
    { 135, true, true, TMove::Squeeze },
    { 136, true, false, TMove::Squeeze },
};

// Where frame pixel (x, y) comes from: along the moving axis the incoming picture's far strip of
// `d` lines enters at one edge and the outgoing picture keeps (or is squeezed into) the rest.
uint32_t PushedPixel(const TFrame& f, const TPush& push, int32_t d, int32_t x, int32_t y)
{
    const int32_t length = push.Vertical ? f.H : f.W;
    const int32_t at = push.Vertical ? y : x;
    const int32_t room = length - d;
    auto place = [&](int32_t along) { return push.Vertical ? TPoint { x, along } : TPoint { along, y }; };
    const bool incoming = push.Forward ? at < d : at >= room;
    if (incoming) {
        const TPoint p = place(push.Forward ? at + room : at - room);
        return f.PictureAt(p.X, p.Y);
    }
    const int32_t offset = push.Forward ? at - d : at; // within the outgoing picture's room
    int32_t from;
    if (push.Move == TMove::Squeeze)
        from = Squeezed(offset, length, room);
    else
        from = push.Forward ? offset : offset + d;
    const TPoint p = place(from);
    return f.StartAt(p.X, p.Y);
}

TEST(Push, IncomingStripShovesTheOutgoingPicture)
{
    for (const TPush& push : Pushes)
        for (auto [w, h] : Sizes)
            for (int32_t p : Progresses) {
                SCOPED_TRACE(::testing::Message() << "effect " << push.Style << ", " << w << "x" << h
                                                  << ", progress " << p);
                TFrame f(w, h);
                const TPoint e = ExtentsRef(w, h, p);
                f.Run(push.Style, e.X, e.Y, p);
                const int32_t d = push.Vertical ? e.Y : e.X;
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return PushedPixel(f, push, d, x, y); }));
            }
}

TEST(Push, FramesComposedByTheEngineMatchTheDirectCall)
{
    for (const TPush& push : Pushes) {
        SCOPED_TRACE(::testing::Message() << "effect " << push.Style);
        TFrame direct(37, 23), composed(37, 23);
        const TPoint e = ExtentsRef(37, 23, 50);
        direct.Run(push.Style, e.X, e.Y, 50);
        ASSERT_TRUE(ComposeFrame(push.Style, composed.Screen, composed.Start, composed.Picture, 50));
        EXPECT_TRUE(FrameMatches(composed.Screen, [&](int32_t x, int32_t y) { return direct.Screen.Pixel(x, y); }));
    }
}

// Half way, the squeezed outgoing picture keeps every second column: the ones at even offsets
// would be those of a shrink that rounds down, the odd ones are what nearest neighbour takes.
TEST(Push, SqueezeToHalfKeepsEverySecondColumn)
{
    TFrame f(40, 30);
    f.Run(131, 20, 15, 50);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        return x < 20 ? f.PictureAt(x + 20, y) : f.StartAt(2 * (x - 20) + 1, y);
    }));
}

// ---------------------------------------------------------------------------------------------
// Blinds

struct TBlind {
    int32_t Style;
    bool Horizontal; // slats run across the width
    bool Even; // fixed pitch opening from the middle lines; else pitch = the progress extent
    bool FromFar; // uneven slats counted from the right (bottom) edge
};

const TBlind Blinds[] = {
    { 137, false, true, false },
    { 138, true, true, false },
    { 139, false, false, false },
    { 140, false, false, true },
    { 141, true, false, false },
    { 142, true, false, true },
};

// Whether line `at` (a column, or a row for horizontal slats) of a picture `length` lines long
// lies in an open slat.
bool InOpenSlat(const TBlind& blind, int32_t length, int32_t extent, int32_t P, int32_t at)
{
    if (blind.Even) {
        const int32_t N = length / 40 + 1, A = MulDivRef(N, P, 100);
        const int32_t middle = at / (2 * N) * (2 * N) + N; // middle line of the slat `at` lies in
        return at >= middle - A && at < middle + A;
    }
    if (extent == 0)
        return false;
    const int32_t A = MulDivRef(extent, P, 100);
    if (!blind.FromFar)
        return at % extent < A;
    // Slats end at length, length - D, …; line `at` belongs to the slat ending next above it.
    return (length - 1 - at) % extent < A;
}

TEST(Blinds, SlatsOpenByProgressPercent)
{
    for (const TBlind& blind : Blinds)
        for (auto [w, h] : Sizes)
            for (int32_t p : Progresses) {
                SCOPED_TRACE(::testing::Message() << "effect " << blind.Style << ", " << w << "x" << h
                                                  << ", progress " << p);
                TFrame f(w, h);
                const TPoint e = ExtentsRef(w, h, p);
                f.Run(blind.Style, e.X, e.Y, p);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
                    const bool open = blind.Horizontal ? InOpenSlat(blind, h, e.Y, p, y) : InOpenSlat(blind, w, e.X, p, x);
                    return open ? f.PictureAt(x, y) : f.StartAt(x, y);
                }));
            }
}

// 640 wide: 19 slats of pitch 34 whose half-openings round 8.5 up to 9, 18 columns each.
TEST(Blinds, EvenBlindRoundsTheHalfOpeningAwayFromZero)
{
    TFrame f(640, 2);
    f.Run(137, 320, 1, 50);
    std::vector<int32_t> openColumns;
    for (int32_t x = 0; x < 640; ++x)
        if (f.Screen.Pixel(x, 1) == f.PictureAt(x, 1))
            openColumns.push_back(x);
    ASSERT_EQ(openColumns.size(), 19u * 18u);
    EXPECT_EQ(openColumns.front(), 8); // the first slat's middle line is 17
    EXPECT_EQ(openColumns[17], 25);
    EXPECT_EQ(openColumns.back(), 612 + 17 + 8);
}

// 640 wide half way: pitch 320, each slat 160 open.
TEST(Blinds, UnevenBlindHalfWayOpensHalfOfEachWideSlat)
{
    TFrame f(640, 3);
    f.Run(139, 320, 2, 50);
    EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
        return x < 160 || (x >= 320 && x < 480) ? f.PictureAt(x, y) : f.StartAt(x, y);
    }));
}

// A zero extent (the first frames of a small picture) is no pitch at all: nothing opens.
TEST(Blinds, UnevenBlindsDrawNothingWhileTheExtentIsZero)
{
    for (int32_t style : { 139, 140, 141, 142 }) {
        SCOPED_TRACE(::testing::Message() << "effect " << style);
        TFrame f(40, 30);
        f.Run(style, 0, 0, 1);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return f.StartAt(x, y); }));
    }
}

} // namespace
