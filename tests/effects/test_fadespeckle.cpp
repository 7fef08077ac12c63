// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The cross-fade, the pivots, the speckles and the random squares. The random patterns are
// predicted with a generator of the test's own that follows the same recurrence.
#include "effectrules.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace effecttest;

namespace {

const std::pair<int32_t, int32_t> Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 } };

// ---------------------------------------------------------------------------------------------
// Fade

// Fills every byte, the fourth included, with scattered values.
void FillNoise(TGdiBitmap& bitmap, uint32_t seed)
{
    for (size_t i = 0; i < bitmap.ByteCount(); ++i) {
        seed = seed * 1103515245u + 12345u;
        bitmap.Bits()[i] = uint8_t(seed >> 23);
    }
}

TEST(Fade, EveryByteMovesTowardsThePictureByProgressPercent)
{
    const int32_t progresses[] = { 0, 1, 33, 50, 99, 100 };
    for (auto [w, h] : Sizes)
        for (int32_t p : progresses) {
            SCOPED_TRACE(::testing::Message() << w << "x" << h << ", progress " << p);
            TFrame f(w, h);
            FillNoise(f.Start, 1);
            FillNoise(f.Picture, 2);
            const TPoint e = ExtentsRef(w, h, p);
            f.Run(119, e.X, e.Y, p);
            const int32_t A = (256 * p + 50) / 100;
            for (size_t i = 0; i < f.Screen.ByteCount(); ++i) {
                const int32_t s = f.Start.Bits()[i], pic = f.Picture.Bits()[i];
                const int32_t want = i % 4 == 3 ? s : s + FloorDiv256((pic - s) * A);
                ASSERT_EQ(f.Screen.Bits()[i], want) << "byte " << i << ": start " << s << ", picture " << pic;
            }
        }
}

// Half way, the floor of a negative step rounds towards the picture: 0 under 255 and 255 under
// 0 both end at 127. The fourth byte keeps the start image's value whatever lies under it.
TEST(Fade, HalfWayMeetsAt127AndKeepsTheFourthByte)
{
    TFrame f(9, 1);
    for (int32_t x = 0; x < 9; ++x) {
        const bool dark = x % 2 == 0;
        f.Start.SetPixel(x, 0, dark ? 0x5A000000 : 0x5AFFFFFF);
        f.Picture.SetPixel(x, 0, dark ? 0xA5FFFFFF : 0xA5000000);
    }
    f.Run(119, 4, 0, 50);
    for (int32_t x = 0; x < 9; ++x)
        EXPECT_EQ(f.Screen.Pixel(x, 0), 0x5A7F7F7Fu) << "pixel " << x;
}

// ---------------------------------------------------------------------------------------------
// Pivots

struct TPivot {
    int32_t Style;
    bool RightCorner, TopCorner; // pivot beyond the right edge, above the top edge
    int32_t Turn; // +1: the angle is (100 - Progress)·π/200, -1: its negative
};

const TPivot Pivots[] = {
    { 120, false, false, +1 },
    { 121, false, true, -1 },
    { 122, true, false, -1 },
    { 123, true, true, +1 },
};

// The picture turned about a pivot one pixel outside a corner, sampled the way the rotated copy
// samples: 16.16 fixed point, the vertical axis counted upwards from the bottom edge.
uint32_t TurnedPixel(const TFrame& f, const TPivot& pivot, int32_t P, int32_t c, int32_t r)
{
    const int64_t CX = pivot.RightCorner ? f.W : -1, CY = pivot.TopCorner ? f.H : -1;
    const long double angle = pivot.Turn * (100 - P) * 3.1415926535897932385L / 200;
    const int64_t S = int64_t(std::trunc(std::sin(-angle) * 65536)), C = int64_t(std::trunc(std::cos(-angle) * 65536));
    const int64_t u = c + 1 - CX, v = f.H - r - CY;
    const int64_t sx = CX + ((u * C - v * S) >> 16), sb = CY + ((u * S + v * C) >> 16);
    if (sx < 0 || sx >= f.W || sb < 0 || sb >= f.H)
        return f.StartAt(c, r);
    return f.PictureAt(int32_t(sx), int32_t(f.H - 1 - sb));
}

TEST(Pivots, ThePictureTurnsAboutAPointOutsideItsCorner)
{
    const int32_t progresses[] = { 0, 1, 30, 50, 99, 100 };
    for (const TPivot& pivot : Pivots)
        for (auto [w, h] : Sizes)
            for (int32_t p : progresses) {
                SCOPED_TRACE(::testing::Message() << "effect " << pivot.Style << ", " << w << "x" << h
                                                  << ", progress " << p);
                TFrame f(w, h);
                const TPoint e = ExtentsRef(w, h, p);
                f.Run(pivot.Style, e.X, e.Y, p);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) { return TurnedPixel(f, pivot, p, x, y); }));
            }
}

// Upright at the end, the sampling lands one column right and one row up of home: the last
// column and the top row keep the start image whatever the pivot.
TEST(Pivots, UprightPictureIsOffByOnePixel)
{
    for (const TPivot& pivot : Pivots) {
        SCOPED_TRACE(::testing::Message() << "effect " << pivot.Style);
        TFrame f(37, 23);
        f.Run(pivot.Style, 37, 23, 100);
        EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
            return x <= f.W - 2 && y >= 1 ? f.PictureAt(x + 1, y - 1) : f.StartAt(x, y);
        }));
    }
}

// At the first frame the picture is turned by 89.1 degrees: nearly all of it lies outside.
TEST(Pivots, FirstFrameShowsAlmostNothingOfThePicture)
{
    for (const TPivot& pivot : Pivots) {
        SCOPED_TRACE(::testing::Message() << "effect " << pivot.Style);
        TFrame f(200, 150);
        f.Run(pivot.Style, 2, 2, 1);
        int32_t shown = 0;
        for (int32_t y = 0; y < f.H; ++y)
            for (int32_t x = 0; x < f.W; ++x)
                shown += f.Screen.Pixel(x, y) != f.StartAt(x, y);
        // At most a sliver of about 2 pixels along the hinged edge, 150 rows high.
        EXPECT_LT(shown, 2 * 150 * 2) << shown << " pixels of the picture show";
    }
}

// ---------------------------------------------------------------------------------------------
// Speckles and random squares

enum class TEdge { Right, Left, Bottom, Top };

// A solid band of `extent` grows from the edge; ahead of it, in a zone of a tenth of the picture,
// rows of single squares, each shown by chance: 2 in i at distance i up to three quarters of
// the zone, 1 in i beyond. Rows (columns) overlap by half a square.
TMask SpeckleMask(int32_t W, int32_t H, int32_t extent, TEdge edge, TRandomReplay& random)
{
    TMask mask(W, H);
    const bool across = edge == TEdge::Right || edge == TEdge::Left;
    const int32_t length = across ? W : H, breadth = across ? H : W;
    const int32_t Z = extent < length ? length / 10 : 0;
    const int32_t S = std::max(Z / 20, 2), N = Z / S, T = 3 * Z / (4 * S);
    // Paints the stretch [from, to) along the growth axis of the row (column) at `at`.
    auto paint = [&](int32_t at, int32_t from, int32_t to) {
        if (across)
            mask.Fill(from, at, to, at + S);
        else
            mask.Fill(at, from, at + S, to);
    };
    const bool fromFar = edge == TEdge::Right || edge == TEdge::Bottom;
    for (int32_t at = 0; at < breadth; at += S / 2) {
        const int32_t front = fromFar ? length - extent : extent;
        paint(at, fromFar ? front : 0, fromFar ? length : front);
        for (int32_t i = N; i >= 1; --i) {
            const int32_t k = random.Below(i);
            if (i <= T ? k <= 1 : k == 0) {
                const int32_t near = fromFar ? front - i * S : front + (i - 1) * S;
                paint(at, near, near + S);
            }
        }
    }
    return mask;
}

struct TSpeckle {
    int32_t Style;
    TEdge Edge;
};

const TSpeckle Speckles[] = {
    { 124, TEdge::Right },
    { 125, TEdge::Left },
    { 126, TEdge::Bottom },
    { 127, TEdge::Top },
};

TEST(Speckles, BandAndSprayFollowTheRunningRandomSequence)
{
    const std::pair<int32_t, int32_t> sizes[] = { { 40, 30 }, { 37, 23 }, { 203, 151 }, { 151, 203 } };
    const int32_t progresses[] = { 0, 1, 50, 90, 100 };
    for (const TSpeckle& speckle : Speckles)
        for (auto [w, h] : sizes)
            for (int32_t p : progresses) {
                SCOPED_TRACE(::testing::Message() << "effect " << speckle.Style << ", " << w << "x" << h
                                                  << ", progress " << p);
                TFrame f(w, h);
                const TPoint e = ExtentsRef(w, h, p);
                const bool across = speckle.Edge == TEdge::Right || speckle.Edge == TEdge::Left;
                TRandomReplay random { 0x9E3779B9u + uint32_t(p) };
                RandomSeed = random.Seed;
                f.Run(speckle.Style, e.X, e.Y, p);
                const TMask shown = SpeckleMask(w, h, across ? e.X : e.Y, speckle.Edge, random);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
                    return shown(x, y) ? f.PictureAt(x, y) : f.StartAt(x, y);
                }));
                // The speckles draw on from the running sequence and do not put it back.
                EXPECT_EQ(RandomSeed, random.Seed);
            }
}

TMask RandomSquaresMask(int32_t W, int32_t H, int32_t P, uint32_t handle)
{
    TMask mask(W, H);
    TRandomReplay random { handle };
    const int32_t side = 2 * (std::min(W, H) / 50 + 1);
    for (int32_t x0 = 0; x0 < W; x0 += side)
        for (int32_t y0 = 0; y0 < H; y0 += side)
            if (random.Below(100) < P)
                mask.Fill(x0, y0, x0 + side, y0 + side);
    return mask;
}

TEST(RandomSquares, SquaresFollowThePictureHandleAndTheSeedIsPutBack)
{
    const std::pair<int32_t, int32_t> sizes[] = { { 40, 30 }, { 37, 23 }, { 160, 123 } };
    const int32_t progresses[] = { 0, 1, 30, 50, 99, 100 };
    const uint32_t handles[] = { 0x00010203u, 0xCAFEF00Du };
    for (auto [w, h] : sizes)
        for (int32_t p : progresses)
            for (uint32_t handle : handles) {
                SCOPED_TRACE(::testing::Message() << w << "x" << h << ", progress " << p << ", handle "
                                                  << handle);
                TFrame f(w, h);
                f.Picture.OverrideHandle(handle);
                RandomSeed = 0x13579BDFu;
                const TPoint e = ExtentsRef(w, h, p);
                f.Run(128, e.X, e.Y, p);
                EXPECT_EQ(RandomSeed, 0x13579BDFu);
                const TMask shown = RandomSquaresMask(w, h, p, handle);
                EXPECT_TRUE(FrameMatches(f.Screen, [&](int32_t x, int32_t y) {
                    return shown(x, y) ? f.PictureAt(x, y) : f.StartAt(x, y);
                }));
            }
}

// With the same picture bitmap a square once shown stays shown.
TEST(RandomSquares, SquaresShownEarlierAreAmongThoseShownLater)
{
    TFrame early(640, 480), late(640, 480);
    late.Picture.OverrideHandle(early.Picture.Handle());
    early.Run(128, 192, 144, 30);
    late.Run(128, 384, 288, 60);
    int32_t earlyCount = 0, lateCount = 0;
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x) {
            const bool shownEarly = early.Screen.Pixel(x, y) == early.PictureAt(x, y);
            const bool shownLate = late.Screen.Pixel(x, y) == late.PictureAt(x, y);
            ASSERT_TRUE(!shownEarly || shownLate) << "pixel (" << x << ", " << y << ")";
            earlyCount += shownEarly;
            lateCount += shownLate;
        }
    // 32 x 24 squares of 20 pixels, about 30 and 60 per cent of them.
    EXPECT_EQ(earlyCount % 400, 0);
    EXPECT_GT(earlyCount, 768 * 400 / 5);
    EXPECT_LT(earlyCount, lateCount);
    EXPECT_LT(lateCount, 768 * 400 * 7 / 10);
}

} // namespace
