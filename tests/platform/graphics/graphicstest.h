// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What the picture tests share: byte buffers, pixel comparison and a scoped size limit.
#pragma once

#include "platform/graphics/graphics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

inline void Append16(TBytes& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void Append32(TBytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

inline void Poke32(TBytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

inline std::string Hex(uint32_t pixel)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", pixel & 0xFFFFFF);
    return text;
}

inline int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

// Compares every pixel against `expected(x, y)` (0x00RRGGBB) within `tolerance` per channel
// and reports the first difference with both colours.
template <class F>
::testing::AssertionResult PixelsMatch(const TGdiBitmap& bitmap, F expected, int tolerance = 0)
{
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const uint32_t want = expected(x, y) & 0xFFFFFF;
            const uint32_t got = bitmap.Pixel(x, y) & 0xFFFFFF;
            if (ChannelDistance(want, got) > tolerance)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                                     << Hex(got) << ", expected " << Hex(want);
        }
    }
    return ::testing::AssertionSuccess();
}

// Lowers the decoding size limit for one test.
class TScopedMaxSide {
public:
    explicit TScopedMaxSide(int32_t side)
        : m_previous(MaxPictureSide())
    {
        SetMaxPictureSide(side);
    }
    ~TScopedMaxSide() { SetMaxPictureSide(m_previous); }

private:
    int32_t m_previous;
};

// Every proper prefix of a valid file is cut off somewhere and must be refused.
template <class TGraphicType> void ExpectEveryPrefixRefused(const TBytes& file)
{
    for (size_t length = 0; length < file.size(); ++length) {
        TGraphicType graphic;
        EXPECT_THROW(
            graphic.LoadFromBytes(std::span<const uint8_t>(file.data(), length)), EInvalidGraphic)
            << "prefix of " << length << " of " << file.size() << " bytes";
    }
}
