// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What the picture fuzz targets share.
#pragma once

#include "platform/graphics/graphics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>

// Decoding at most 256 pixels a side keeps each input quick; the default limit is exercised
// by the unit tests. The scaling paths are the same.
constexpr int32_t FuzzMaxPictureSide = 256;

// A property the decoders promise; a broken one is a finding like a crash.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// A decoded graphic must have a size within the limit and draw without harm onto a small canvas
// at natural size, scaled, and partly outside it.
inline void CheckDecoded(const TGraphic& graphic)
{
    Require(!graphic.Empty());
    Require(graphic.Width() <= FuzzMaxPictureSide && graphic.Height() <= FuzzMaxPictureSide);
    TGdiBitmap canvas(8, 8);
    canvas.Fill(RGB(1, 2, 3));
    graphic.Draw(canvas.DC(), -3, -2);
    graphic.Draw(canvas.DC(), TRect { 1, 1, 6, 7 });
}

// Decoding no larger than a size made from the picture's own (a third of its width, two fifths
// of its height): the area-averaging paths must keep within it.
template <class TGraphicType> void CheckFitted(std::span<const uint8_t> data)
{
    TGraphicType graphic;
    TDecodeSize wanted { 0, 0 };
    try {
        graphic.LoadFromBytesToFit(data, [&wanted](int32_t width, int32_t height) {
            wanted = { std::max(1, width / 3), std::max(1, int32_t(int64_t(height) * 2 / 5)) };
            return wanted;
        });
    } catch (const EInvalidGraphic&) {
        return;
    }
    CheckDecoded(graphic);
    Require(graphic.Width() <= wanted.Width && graphic.Height() <= wanted.Height);
}

inline std::span<const uint8_t> Bytes(const uint8_t* data, size_t size)
{
    return std::span<const uint8_t>(data, size);
}
