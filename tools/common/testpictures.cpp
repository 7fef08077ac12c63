// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "common/testpictures.h"

#include <algorithm>

void DrawTestPicture(TGdiBitmap& bitmap, int which)
{
    const int32_t W = bitmap.Width();
    const int32_t H = bitmap.Height();
    const int32_t cell = std::max(std::min(W, H) / 8, 2);
    for (int32_t y = 0; y < H; ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        for (int32_t x = 0; x < W; ++x) {
            const uint32_t fx = uint32_t(x) * 255 / uint32_t(std::max(W - 1, 1));
            const uint32_t fy = uint32_t(y) * 255 / uint32_t(std::max(H - 1, 1));
            uint32_t r, g, b;
            if (which == 0) {
                // Start image: a warm checkerboard over a diagonal gradient.
                const bool dark = ((x / cell) + (y / cell)) % 2 != 0;
                r = dark ? 160 + fx * 95 / 255 : 255;
                g = dark ? 40 + fy * 120 / 255 : 200 - fy * 80 / 255;
                b = dark ? 40 : fx * 120 / 255;
            } else {
                // Incoming picture: cool diagonal stripes with concentric rings on top.
                const int32_t dx = x - W / 2, dy = y - H / 2;
                const bool ring = ((dx * dx + dy * dy) / (cell * cell / 2 + 1)) % 2 != 0;
                const bool stripe = ((x + y) / cell) % 2 != 0;
                r = ring ? 255 - fy : 30;
                g = stripe ? 200 : 80 + fx * 100 / 255;
                b = stripe ? 255 - fx * 100 / 255 : 160 + fy * 95 / 255;
            }
            row[x] = (r << 16) | (g << 8) | b;
        }
    }
}
