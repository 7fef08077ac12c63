// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Pixelate, dissolve, random bars and channel mix (effects 168 … 172), checked over every pixel
// against frames built independently from their descriptions; the random choices are replayed
// with a generator of the test's own.
#include "effectrules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace effecttest;

namespace {

// Pixels that differ in every byte, so a wrong channel, a wrong blend or a touched fourth byte
// shows (the pattern pictures share blue and green at equal positions).
uint32_t Noise(uint32_t salt, int32_t x, int32_t y)
{
    uint32_t v = (uint32_t(x) * 0x9E3779B1u) ^ (uint32_t(y) * 0x85EBCA77u) ^ salt;
    v ^= v >> 15;
    v *= 0x2C1B3C6Du;
    v ^= v >> 12;
    return v;
}
constexpr uint32_t StartSalt = 0x1234567u, PictureSalt = 0x7654321u;

void FillNoise(TFrame& frame)
{
    for (int32_t y = 0; y < frame.H; ++y)
        for (int32_t x = 0; x < frame.W; ++x) {
            frame.Start.SetPixel(x, y, Noise(StartSalt, x, y));
            frame.Picture.SetPixel(x, y, Noise(PictureSalt, x, y));
        }
    frame.Reset();
}

uint32_t Byte(uint32_t pixel, int32_t index) { return (pixel >> (8 * index)) & 0xFF; }

// s + floor((p − s)·a / 256) in each colour byte; the fourth byte stays s's.
uint32_t Blend(uint32_t s, uint32_t p, int32_t a)
{
    uint32_t result = s & 0xFF000000u;
    for (int32_t c = 0; c < 3; ++c) {
        const int32_t sb = int32_t(Byte(s, c)), pb = int32_t(Byte(p, c));
        result |= uint32_t(sb + FloorDiv256((pb - sb) * a)) << (8 * c);
    }
    return result;
}

// The pixelate frame: optional blend of the window, then a nearest-neighbour stretch of the
// window over the enlarged destination; destination pixels whose source falls outside the
// bitmap keep what they had.
std::vector<uint32_t> PixelateFrame(const TFrame& f, int32_t P)
{
    const int32_t W = f.W, H = f.H;
    const TPoint e = ExtentsRef(W, H, P);
    const bool firstHalf = P <= 50;
    const int32_t Z = firstHalf ? 180 - MulDivRef(P, 82, 50) : 180 + MulDivRef(P - 100, 82, 50);
    const int32_t OX = MulDivRef(firstHalf ? e.X : W - e.X, Z, 100);
    const int32_t OY = MulDivRef(firstHalf ? e.Y : H - e.Y, Z, 100);
    const int32_t SW = std::max(W - 2 * OX, 2), SH = std::max(H - 2 * OY, 2);

    std::vector<uint32_t> screen(size_t(W) * H);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            screen[size_t(y) * W + x] = f.Start.Pixel(x, y);
    bool fromPicture = !firstHalf;
    if (P >= 41 && P <= 59) {
        const int32_t a = MulDivRef(256, 5 * (P - 41) + 5, 100);
        for (int32_t y = std::max(OY, 0); y < std::min(OY + SH, H); ++y)
            for (int32_t x = std::max(OX, 0); x < std::min(OX + SW, W); ++x)
                screen[size_t(y) * W + x] = Blend(screen[size_t(y) * W + x], f.Picture.Pixel(x, y), a);
        fromPicture = false;
    }
    std::vector<uint32_t> frame = screen;
    const int64_t DW = W + 4 * int64_t(OX), DH = H + 4 * int64_t(OY);
    for (int32_t y = 0; y < H; ++y) {
        const int64_t sy = OY + ((2 * (y + 2 * int64_t(OY)) + 1) * SH) / (2 * DH);
        for (int32_t x = 0; x < W; ++x) {
            const int64_t sx = OX + ((2 * (x + 2 * int64_t(OX)) + 1) * SW) / (2 * DW);
            if (sx >= 0 && sx < W && sy >= 0 && sy < H)
                frame[size_t(y) * W + x] = fromPicture ? f.Picture.Pixel(int32_t(sx), int32_t(sy)) : screen[size_t(sy) * W + sx];
        }
    }
    return frame;
}

// Image row of memory row `j` (the block starts with the bottom row).
int32_t ImageRow(int32_t H, int32_t j) { return H - 1 - j; }

// Which pixels (by image position) 169 copies: one draw per pixel in memory order.
std::vector<bool> DissolveCopies(int32_t W, int32_t H, uint32_t handle, int32_t P)
{
    std::vector<bool> copied(size_t(W) * H);
    TRandomReplay random { handle };
    for (int32_t j = 0; j < H; ++j)
        for (int32_t x = 0; x < W; ++x)
            copied[size_t(ImageRow(H, j)) * W + x] = random.Below(100) < P;
    return copied;
}

std::vector<bool> RowCopies(int32_t H, uint32_t handle, int32_t P)
{
    std::vector<bool> copied(H);
    TRandomReplay random { handle };
    for (int32_t j = 0; j < H; ++j)
        copied[ImageRow(H, j)] = random.Below(100) < P;
    return copied;
}

std::vector<bool> ColumnCopies(int32_t W, uint32_t handle, int32_t P)
{
    std::vector<bool> copied(W);
    TRandomReplay random { handle };
    for (int32_t x = 0; x < W; ++x)
        copied[x] = random.Below(100) < P;
    return copied;
}

struct TChannelOrder {
    int32_t First, Second, Third;
};
TChannelOrder ChannelOrder(uint32_t handle)
{
    TRandomReplay random { handle };
    const int32_t first = random.Below(3);
    int32_t second = random.Below(3);
    while (second == first)
        second = random.Below(3);
    return { first, second, 3 - first - second };
}

uint32_t ChannelMixPixel(uint32_t s, uint32_t p, uint32_t handle, int32_t P)
{
    const TChannelOrder order = ChannelOrder(handle);
    const int32_t stage = P <= 33 ? 0 : P <= 66 ? 1 : 2;
    const int32_t a = MulDivRef(256, P - 33 * stage, 33);
    const int32_t channels[3] = { order.First, order.Second, order.Third };
    uint32_t result = s;
    for (int32_t k = 0; k <= stage; ++k) {
        const int32_t c = channels[k];
        const int32_t sb = int32_t(Byte(s, c)), pb = int32_t(Byte(p, c));
        const uint32_t value = k < stage ? uint32_t(pb) : uint32_t(sb + FloorDiv256((pb - sb) * a));
        result = (result & ~(0xFFu << (8 * c))) | (value << (8 * c));
    }
    return result;
}

// 41 x 29 ends in a short group of pixels of its own.
constexpr TSize Sizes[] = { { 40, 30 }, { 37, 23 }, { 23, 37 }, { 41, 29 } };
constexpr uint32_t Handles[] = { 0u, 1u, 42u, 0x00C0FFEEu, 0xFFFFFFFFu };

} // namespace

TEST(PixelEffects, PixelateFollowsItsZoom)
{
    // Tiny pictures too: below 4 pixels across the 2-pixel window reaches past the edge.
    for (const TSize size : { TSize { 40, 30 }, TSize { 37, 23 }, TSize { 23, 37 }, TSize { 4, 4 },
             TSize { 3, 2 }, TSize { 2, 3 }, TSize { 1, 1 } })
        for (int32_t progress = 1; progress <= 99; ++progress) {
            TFrame frame(size.W, size.H);
            FillNoise(frame);
            const TPoint e = ExtentsRef(size.W, size.H, progress);
            frame.Run(168, e.X, e.Y, progress);
            const std::vector<uint32_t> want = PixelateFrame(frame, progress);
            ASSERT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) { return want[size_t(y) * size.W + x]; }))
                << size.W << "x" << size.H << " at " << progress;
        }
}

TEST(PixelEffects, PixelateOnAStandardPicture)
{
    // 640 x 480 at 50: Z = 98, OX = 314, OY = 235, a 12 by 10 window, half blended, stretched
    // to 1896 x 1420 from (-628, -470): blocks of 158 x 142, of which the frame shows the middle
    // 6 x 4, starting with window pixel (3, 3). At 40 only the start image shows, at 60 only the
    // picture.
    TFrame frame(640, 480);
    frame.Run(168, 320, 240, 50);
    std::set<uint32_t> blocks;
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x)
            blocks.insert(frame.Screen.Pixel(x, y));
    EXPECT_EQ(blocks.size(), 24u);
    EXPECT_EQ(frame.Screen.Pixel(0, 0), Blend(frame.StartAt(317, 238), frame.PictureAt(317, 238), 128));

    for (const int32_t progress : { 40, 60 }) {
        const TPoint e = ExtentsRef(640, 480, progress);
        frame.Run(168, e.X, e.Y, progress);
        const uint32_t tag = progress < 50 ? StartTag : PictureTag;
        EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
            const uint32_t got = frame.Screen.Pixel(x, y);
            return ((got >> 16) & 0xF0) == tag ? got : PatternPixel(tag, x, y);
        })) << progress;
        FillNoise(frame);
        frame.Run(168, e.X, e.Y, progress);
        const std::vector<uint32_t> want = PixelateFrame(frame, progress);
        EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) { return want[size_t(y) * 640 + x]; }))
            << progress;
        FillPattern(frame.Start, StartTag);
        FillPattern(frame.Picture, PictureTag);
    }
}

TEST(PixelEffects, RandomCopiesFollowTheSeededDraws)
{
    for (const int32_t style : { 169, 170, 171 })
        for (const TSize size : Sizes)
            for (const uint32_t handle : Handles)
                for (const int32_t progress : { 1, 13, 50, 77, 99 }) {
                    TFrame frame(size.W, size.H);
                    frame.Picture.OverrideHandle(handle);
                    ASSERT_TRUE(ComposeFrame(style, frame.Screen, frame.Start, frame.Picture, progress));
                    const std::vector<bool> pixels = DissolveCopies(size.W, size.H, handle, progress);
                    const std::vector<bool> rows = RowCopies(size.H, handle, progress);
                    const std::vector<bool> columns = ColumnCopies(size.W, handle, progress);
                    EXPECT_TRUE(ShowsPictureWhere(frame, [&](int32_t x, int32_t y) {
                        return style == 169 ? bool(pixels[size_t(y) * size.W + x]) : style == 170 ? bool(rows[y]) : bool(columns[x]);
                    })) << "effect " << style << " on " << size.W << "x" << size.H << ", handle " << handle
                        << " at " << progress;
                }
}

TEST(PixelEffects, DissolveKeepsWhatItCopied)
{
    // Same picture bitmap, so the same draws: every pixel shown at 20 is still shown at 70.
    TFrame frame(64, 48);
    frame.Run(169, 13, 10, 20);
    std::vector<bool> at20(size_t(64) * 48);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x)
            at20[size_t(y) * 64 + x] = frame.Screen.Pixel(x, y) == frame.PictureAt(x, y);
    const auto copied20 = std::count(at20.begin(), at20.end(), true);
    frame.Run(169, 45, 34, 70);
    EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
        const uint32_t got = frame.Screen.Pixel(x, y);
        return at20[size_t(y) * 64 + x] ? frame.PictureAt(x, y) : got;
    }));
    EXPECT_GT(copied20, 0);
}

TEST(PixelEffects, DissolveDecidesExactlyAtTheDrawBoundary)
{
    // Handles whose first draw lands on either side of the last seed that still gives a number
    // below Progress: the first pixel in memory (bottom left) is copied, then not.
    constexpr uint32_t Mul = 0x08088405u;
    uint32_t inverse = Mul; // Newton's iteration for Mul⁻¹ modulo 2^32
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - Mul * inverse;
    for (const int32_t progress : { 1, 13, 99 }) {
        const uint32_t last = uint32_t(((uint64_t(progress) << 32) - 1) / 100); // (last·100) >> 32 = progress − 1
        for (const uint32_t seed : { last, last + 1 }) {
            const uint32_t handle = (seed - 1) * inverse;
            TFrame frame(5, 3);
            frame.Picture.OverrideHandle(handle);
            frame.Run(169, 0, 0, progress);
            const std::vector<bool> copied = DissolveCopies(5, 3, handle, progress);
            ASSERT_EQ(bool(copied[size_t(2) * 5]), seed == last);
            EXPECT_TRUE(ShowsPictureWhere(frame, [&](int32_t x, int32_t y) { return bool(copied[size_t(y) * 5 + x]); }))
                << "progress " << progress << ", first seed " << seed;
        }
    }
}

TEST(PixelEffects, RandomBarsCopyWholeRowsAndColumns)
{
    // Independent of the draws: a row (column) shows either all start image or all picture.
    for (const int32_t style : { 170, 171 })
        for (int32_t progress = 1; progress <= 99; progress += 7) {
            TFrame frame(37, 23);
            frame.Run(style, 0, 0, progress);
            const bool rows = style == 170;
            for (int32_t line = 0; line < (rows ? 23 : 37); ++line) {
                const bool first = frame.Screen.Pixel(rows ? 0 : line, rows ? line : 0) == frame.PictureAt(rows ? 0 : line, rows ? line : 0);
                for (int32_t i = 0; i < (rows ? 37 : 23); ++i) {
                    const int32_t x = rows ? i : line, y = rows ? line : i;
                    ASSERT_EQ(frame.Screen.Pixel(x, y), first ? frame.PictureAt(x, y) : frame.StartAt(x, y))
                        << "effect " << style << " at " << progress << ", pixel (" << x << ", " << y << ")";
                }
            }
        }
}

TEST(PixelEffects, ChannelMixFollowsTheSeededOrder)
{
    for (const TSize size : Sizes)
        for (const uint32_t handle : Handles)
            for (const int32_t progress : { 1, 17, 33, 34, 50, 66, 67, 80, 99 }) {
                TFrame frame(size.W, size.H);
                FillNoise(frame);
                frame.Picture.OverrideHandle(handle);
                ASSERT_TRUE(ComposeFrame(172, frame.Screen, frame.Start, frame.Picture, progress));
                EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
                    const uint32_t s = Noise(StartSalt, x, y), p = Noise(PictureSalt, x, y);
                    return ChannelMixPixel(s, p, handle, progress);
                })) << size.W << "x" << size.H << ", handle " << handle << " at " << progress;
            }
}

TEST(PixelEffects, ChannelMixTakesThreeDifferentChannels)
{
    // Read off the frames alone: at 33 exactly one colour byte equals the picture's everywhere,
    // at 66 exactly two, at 99 all three; the fourth byte stays the start image's.
    for (uint32_t handle = 0; handle < 48; ++handle) {
        TFrame frame(9, 7);
        FillNoise(frame);
        frame.Picture.OverrideHandle(handle);
        std::set<int32_t> done;
        for (const int32_t progress : { 33, 66, 99 }) {
            frame.Run(172, 0, 0, progress);
            std::set<int32_t> complete;
            for (int32_t c = 0; c < 4; ++c) {
                bool all = true, none = true;
                for (int32_t y = 0; y < 7; ++y)
                    for (int32_t x = 0; x < 9; ++x) {
                        const bool same = Byte(frame.Screen.Pixel(x, y), c) == Byte(frame.Picture.Pixel(x, y), c);
                        all = all && same;
                        none = none && Byte(frame.Screen.Pixel(x, y), c) == Byte(frame.Start.Pixel(x, y), c);
                    }
                if (c == 3)
                    EXPECT_TRUE(none) << "fourth byte touched, handle " << handle;
                else if (all)
                    complete.insert(c);
                else
                    EXPECT_TRUE(none) << "channel " << c << " partly changed at " << progress << ", handle " << handle;
            }
            EXPECT_EQ(complete.size(), size_t(progress / 33)) << "handle " << handle << " at " << progress;
            EXPECT_TRUE(std::includes(complete.begin(), complete.end(), done.begin(), done.end()))
                << "handle " << handle << " at " << progress;
            done = complete;
        }
    }
}

