// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Bitmaps, device-context state and block transfers, checked pixel by pixel.
#include "platform/gdi/gdi.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

// Every pixel says where it came from: tag in the top byte's bits, x and y below.
uint32_t Tag(uint32_t tag, int32_t x, int32_t y) { return (tag << 24) | (uint32_t(y & 0xFFF) << 12) | uint32_t(x & 0xFFF); }

void Pattern(TGdiBitmap& b, uint32_t tag)
{
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, Tag(tag, x, y));
}

::testing::AssertionResult Matches(const TGdiBitmap& b, const std::function<uint32_t(int32_t, int32_t)>& rule)
{
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != rule(x, y))
                return ::testing::AssertionFailure() << std::hex << "pixel (" << std::dec << x << ", " << y
                                                     << std::hex << "): expected " << rule(x, y) << ", got "
                                                     << b.Pixel(x, y);
    return ::testing::AssertionSuccess();
}

constexpr uint32_t D = 1, S = 2;

TEST(Bitmap, RowsAreStoredBottomUpInOneBlock)
{
    TGdiBitmap b(3, 2);
    b.SetPixel(0, 0, 0x00112233); // top-left
    b.SetPixel(2, 1, 0x00445566); // bottom-right
    const uint8_t* bits = b.Bits();
    // The bottom row comes first; a pixel's bytes are blue, green, red, spare.
    EXPECT_EQ(bits[2 * 4 + 0], 0x66);
    EXPECT_EQ(bits[2 * 4 + 1], 0x55);
    EXPECT_EQ(bits[2 * 4 + 2], 0x44);
    EXPECT_EQ(bits[3 * 4 + 0], 0x33);
    EXPECT_EQ(bits[3 * 4 + 2], 0x11);
    EXPECT_EQ(b.ByteCount(), 24u);
    EXPECT_EQ(PixelFromColorRef(RGB(0x11, 0x22, 0x33)), 0x00112233u);
}

TEST(Bitmap, TopDownRowsStartWithTheTopRowAndKeepThemOnResize)
{
    TGdiBitmap b(TRowOrder::TopDown);
    b.SetSize(3, 2);
    b.SetPixel(0, 0, 0x00112233); // top-left
    b.SetPixel(2, 1, 0x00445566); // bottom-right
    const uint32_t* bits = reinterpret_cast<const uint32_t*>(b.Bits());
    EXPECT_EQ(bits[0], 0x00112233u);
    EXPECT_EQ(bits[5], 0x00445566u);
    b.SetSize(4, 3, RGB(0, 0, 0xFF));
    EXPECT_EQ(b.Pixel(0, 0), 0x00112233u);
    EXPECT_EQ(b.Pixel(2, 1), 0x00445566u);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(b.Bits())[0], 0x00112233u);
    EXPECT_EQ(b.Pixel(3, 2), 0x000000FFu);
}

// Every transfer gives the same picture whichever order each bitmap keeps its rows in.
TEST(Bitmap, TransfersDoNotDependOnTheRowOrder)
{
    struct Case {
        const char* name;
        std::function<void(HDC dst, HDC src)> draw;
    };
    const Case cases[] = {
        { "whole block", [](HDC d, HDC s) { BitBlt(d, 0, 0, 11, 7, s, 0, 0, SRCCOPY); } },
        { "offset part", [](HDC d, HDC s) { BitBlt(d, 2, 1, 6, 4, s, 3, 2, SRCCOPY); } },
        { "whole rows", [](HDC d, HDC s) { BitBlt(d, 0, 2, 11, 3, s, 0, 1, SRCCOPY); } },
        { "clipped", [](HDC d, HDC s) {
             IntersectClipRect(d, 1, 1, 5, 6);
             BitBlt(d, 0, 0, 11, 7, s, 0, 0, SRCCOPY);
         } },
        { "stretch", [](HDC d, HDC s) { StretchBlt(d, 1, 0, 9, 7, s, 0, 0, 5, 3, SRCCOPY); } },
        { "mirror", [](HDC d, HDC s) { StretchBlt(d, 10, 6, -11, -7, s, 0, 0, 11, 7, SRCCOPY); } },
        { "fill", [](HDC d, HDC) { FillRect(d, { 2, 1, 7, 5 }, RGB(1, 2, 3)); } },
        { "within one bitmap", [](HDC d, HDC) { BitBlt(d, 1, 2, 8, 4, d, 2, 0, SRCCOPY); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGdiBitmap reference(11, 7), src(11, 7);
        Pattern(reference, D);
        Pattern(src, S);
        c.draw(reference.DC(), src.DC());
        for (TRowOrder dstOrder : { TRowOrder::BottomUp, TRowOrder::TopDown })
            for (TRowOrder srcOrder : { TRowOrder::BottomUp, TRowOrder::TopDown }) {
                TGdiBitmap dst(dstOrder), from(srcOrder);
                dst.SetSize(11, 7);
                from.SetSize(11, 7);
                Pattern(dst, D);
                Pattern(from, S);
                c.draw(dst.DC(), from.DC());
                EXPECT_TRUE(Matches(dst, [&](int32_t x, int32_t y) { return reference.Pixel(x, y); }))
                    << "destination " << int(dstOrder) << ", source " << int(srcOrder);
            }
    }
}

TEST(Bitmap, HandlesAreStableAndDistinct)
{
    std::set<uint32_t> seen;
    std::vector<std::unique_ptr<TGdiBitmap>> live;
    for (int i = 0; i < 200; ++i) {
        live.push_back(std::make_unique<TGdiBitmap>(1, 1));
        EXPECT_TRUE(seen.insert(live.back()->Handle()).second);
    }
    const uint32_t h = live[0]->Handle();
    live[0]->SetSize(50, 40);
    EXPECT_EQ(live[0]->Handle(), h);
}

TEST(Bitmap, SetSizeKeepsTheTopLeftAndFillsTheRest)
{
    TGdiBitmap b(4, 3);
    Pattern(b, D);
    b.SetSize(6, 2, RGB(0, 0, 0xFF));
    EXPECT_TRUE(Matches(b, [](int32_t x, int32_t y) { return x < 4 ? Tag(D, x, y) : 0x000000FFu; }));
}

struct TBlitCase {
    const char* name;
    int32_t x, y, w, h, sx, sy;
};

TEST(BitBlt, CopiesClippedToBothBitmaps)
{
    const TBlitCase cases[] = {
        { "inside", 3, 2, 5, 4, 1, 1 },
        { "off the left and top", -4, -3, 10, 9, 0, 0 },
        { "off the right and bottom", 15, 10, 20, 20, 0, 0 },
        { "source off its edges", 2, 2, 30, 30, -5, -4 },
        { "wholly outside", 40, 0, 5, 5, 0, 0 },
        { "zero width", 2, 2, 0, 5, 0, 0 },
        { "negative height", 2, 2, 4, -5, 0, 0 },
        { "whole", 0, 0, 19, 13, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGdiBitmap dst(19, 13), src(17, 15);
        Pattern(dst, D);
        Pattern(src, S);
        EXPECT_TRUE(BitBlt(dst.DC(), c.x, c.y, c.w, c.h, src.DC(), c.sx, c.sy, SRCCOPY));
        EXPECT_TRUE(Matches(dst, [&](int32_t x, int32_t y) {
            const int32_t u = x - c.x + c.sx, v = y - c.y + c.sy;
            const bool inRect = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
            const bool inSource = u >= 0 && u < 17 && v >= 0 && v < 15;
            return inRect && inSource ? Tag(S, u, v) : Tag(D, x, y);
        }));
    }
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsTheWholeSourceFirst)
{
    const TBlitCase cases[] = {
        { "right", 1, 0, 20, 10, 0, 0 }, { "left", 0, 0, 20, 10, 3, 0 }, { "down", 0, 2, 20, 10, 0, 0 },
        { "up", 0, 0, 20, 10, 0, 1 }, { "diagonal", 2, 3, 14, 6, 0, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGdiBitmap b(20, 10);
        Pattern(b, D);
        // Through the clipped path as well.
        SelectClipRgn(b.DC(), TOwnedRegion(CreateRectRgn(0, 0, 20, 10)).get());
        BitBlt(b.DC(), c.x, c.y, c.w, c.h, b.DC(), c.sx, c.sy, SRCCOPY);
        EXPECT_TRUE(Matches(b, [&](int32_t x, int32_t y) {
            const int32_t u = x - c.x + c.sx, v = y - c.y + c.sy;
            const bool in = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h && u >= 0 && u < 20 && v >= 0 && v < 10;
            return in ? Tag(D, u, v) : Tag(D, x, y);
        }));
    }
}

TEST(BitBlt, HonoursClipRegionAndViewportOrigin)
{
    TGdiBitmap dst(30, 20), src(30, 20);
    Pattern(dst, D);
    Pattern(src, S);
    const TOwnedRegion ellipse(CreateEllipticRgn(2, 1, 27, 18));
    const TOwnedRegion hole(CreateRectRgn(10, 5, 14, 9));
    CombineRgn(ellipse.get(), ellipse.get(), hole.get(), RGN_DIFF);
    EXPECT_EQ(SelectClipRgn(dst.DC(), ellipse.get()), COMPLEXREGION);
    // The DC keeps its own copy: changing the caller's region afterwards has no effect.
    OffsetRgn(ellipse.get(), 100, 100);
    SetViewportOrgEx(dst.DC(), 3, 2, nullptr);
    BitBlt(dst.DC(), -3, -2, 30, 20, src.DC(), 0, 0, SRCCOPY);
    OffsetRgn(ellipse.get(), -100, -100);
    EXPECT_TRUE(Matches(dst, [&](int32_t x, int32_t y) { return PtInRegion(ellipse.get(), x, y) ? Tag(S, x, y) : Tag(D, x, y); }));
    EXPECT_EQ(BitBlt(dst.DC(), 0, 0, 1, 1, src.DC(), 0, 0, 0x00EE0086), false); // only SRCCOPY
}

// Destination offset i takes source offset floor((2i + 1)·|sw| / (2·|dw|)) from the given
// edge; negative sizes run backwards from the edge.
TEST(StretchBlt, MapsNearestAndMirrorsNegativeSizes)
{
    struct Case {
        const char* name;
        int32_t x, y, w, h, sx, sy, sw, sh;
    };
    const Case cases[] = {
        { "double", 0, 0, 20, 12, 0, 0, 10, 6 },
        { "shrink", 1, 1, 7, 5, 0, 0, 17, 11 },
        { "odd factors", 2, 3, 13, 7, 1, 2, 5, 9 },
        { "mirror across", 18, 0, -19, 13, 0, 0, 19, 13 },
        { "mirror down", 0, 12, 19, -13, 0, 0, 19, 13 },
        { "unroll strip", 9, 0, -4, 13, 10, 0, 4, 13 },
        { "mirrored source", 0, 0, 19, 13, 18, 12, -19, -13 },
        { "past every edge", -5, -4, 40, 30, -2, -3, 25, 20 },
        { "zero source", 0, 0, 19, 13, 0, 0, 0, 13 },
        { "thin strip smeared", 4, 0, 15, 13, 4, 0, 1, 13 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGdiBitmap dst(19, 13), src(19, 13);
        Pattern(dst, D);
        Pattern(src, S);
        SetStretchBltMode(dst.DC(), COLORONCOLOR);
        StretchBlt(dst.DC(), c.x, c.y, c.w, c.h, src.DC(), c.sx, c.sy, c.sw, c.sh, SRCCOPY);
        auto map = [](int32_t p, int32_t edge, int32_t size, int32_t sEdge, int32_t sSize, int32_t* out) {
            const int32_t i = size > 0 ? p - edge : edge - p;
            if (i < 0 || i >= std::abs(size) || sSize == 0)
                return false;
            const int32_t j = (2 * i + 1) * std::abs(sSize) / (2 * std::abs(size));
            *out = sSize > 0 ? sEdge + j : sEdge - j;
            return true;
        };
        EXPECT_TRUE(Matches(dst, [&](int32_t x, int32_t y) {
            int32_t u, v;
            if (map(x, c.x, c.w, c.sx, c.sw, &u) && map(y, c.y, c.h, c.sy, c.sh, &v) && u >= 0 && u < 19 && v >= 0 && v < 13)
                return Tag(S, u, v);
            return Tag(D, x, y);
        }));
    }
}

TEST(StretchBlt, WithinOneBitmapReadsTheWholeSourceFirst)
{
    TGdiBitmap b(16, 9);
    Pattern(b, D);
    StretchBlt(b.DC(), 0, 0, 16, 9, b.DC(), 4, 2, 8, 4, SRCCOPY);
    EXPECT_TRUE(Matches(b, [](int32_t x, int32_t y) { return Tag(D, 4 + (2 * x + 1) * 8 / 32, 2 + (2 * y + 1) * 4 / 18); }));
}

TEST(Clipping, ExcludeIntersectSaveAndRestore)
{
    TGdiBitmap b(20, 10);
    HDC dc = b.DC();
    TRect box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect { 0, 0, 20, 10 }));

    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_EQ(ExcludeClipRect(dc, 5, 2, 15, 8), COMPLEXREGION);
    TRect probe { 6, 3, 14, 7 };
    EXPECT_FALSE(RectVisible(dc, &probe));
    TRect edge { 4, 3, 6, 4 };
    EXPECT_TRUE(RectVisible(dc, &edge));
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 5, 10), SIMPLEREGION);
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (TRect { 0, 0, 5, 10 }));
    SetViewportOrgEx(dc, 2, 1, nullptr);
    GetClipBox(dc, &box); // logical coordinates
    EXPECT_EQ(box, (TRect { -2, -1, 3, 9 }));

    EXPECT_TRUE(RestoreDC(dc, -1));
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (TRect { 0, 0, 20, 10 }));
    EXPECT_FALSE(RectVisible(dc, &probe));
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_TRUE(RectVisible(dc, &probe));
    EXPECT_FALSE(RestoreDC(dc, 1)); // nothing saved any more
    EXPECT_EQ(ExcludeClipRect(dc, 0, 0, 20, 10), NULLREGION);
    TRect all { 0, 0, 20, 10 };
    EXPECT_FALSE(RectVisible(dc, &all));
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_TRUE(RectVisible(dc, &all));
}

TEST(Fill, FillRectAndInsideFrameRectangle)
{
    TGdiBitmap b(12, 10);
    b.Fill(RGB(0, 0, 0));
    FillRect(b.DC(), { 2, 2, 5, 4 }, RGB(0xFF, 0, 0));
    SetBrushColor(b.DC(), RGB(0, 0xFF, 0));
    SetPen(b.DC(), RGB(0, 0, 0xFF), 2, TPenStyle::InsideFrame);
    Rectangle(b.DC(), 5, 4, 12, 10);
    EXPECT_TRUE(Matches(b, [](int32_t x, int32_t y) -> uint32_t {
        if (x >= 2 && x < 5 && y >= 2 && y < 4)
            return 0x00FF0000;
        if (x >= 5 && y >= 4) {
            const bool frame = x < 7 || x >= 10 || y < 6 || y >= 8;
            return frame ? 0x000000FF : 0x0000FF00;
        }
        return 0;
    }));
}

} // namespace
