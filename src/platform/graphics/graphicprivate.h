// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Helpers the graphic classes share; not part of the public interface.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/graphics/graphic.h"

#include <cstdint>
#include <vector>

class QImage;

// The size a picture of width × height is decoded at: unchanged when both sides are within
// `limit`, else scaled down to fit, keeping the proportions (and at least one pixel a side).
TDecodeSize FitWithin(int64_t width, int64_t height, int32_t limit);

// What `fit` answers for a picture of width × height, each side kept within 1 … its natural
// size, then within MaxPictureSide() as every load is.
TDecodeSize FitSizeFor(int64_t width, int64_t height, const TFitSize& fit);

// Nearest source index for destination index `i` when `source` pixels map onto `target`
// (the centre of the destination pixel picks the source pixel).
inline int64_t NearestSource(int64_t i, int64_t source, int64_t target)
{
    return (2 * i + 1) * source / (2 * target);
}

// For each of `target` destination indices, its nearest source index (identity when equal).
std::vector<int64_t> SourceIndices(int64_t source, int32_t target);
// The inverse for a reduction (target <= source): where each source index lands, or -1 when
// it is dropped.
std::vector<int32_t> TargetIndices(int64_t source, int32_t target);

// Copies (or stretches) the whole of an opaque bitmap into `rect` of the device context.
void DrawOpaque(HDC dc, const TRect& rect, TGdiBitmap& source);

// Blends a premultiplied ARGB image over `rect` of the device context (stretched to it by
// dropping or repeating pixels), through the clip region; transparent pixels leave it alone.
void DrawPremultiplied(HDC dc, const TRect& rect, const QImage& image);

// Makes `target` a pixel-for-pixel copy of `source`.
void CopyBitmap(const TGdiBitmap& source, TGdiBitmap& target);
