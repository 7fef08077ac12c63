// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Our own reader and writer of Windows BMP files.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/graphics/graphic.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

// Hard bound on the sides a BMP header may claim. Pictures within it but beyond
// MaxPictureSide() are decoded subsampled; beyond it the file is refused.
constexpr int64_t MaxBmpSide = int64_t(1) << 20;

// Decodes a BMP file: 1, 4, 8, 16, 24 and 32 bits a pixel, uncompressed, RLE4, RLE8 and bit
// fields, top-down and bottom-up; header versions from the OS/2 core header to version 5.
// Anything truncated, inconsistent or unsupported raises EInvalidGraphic.
std::unique_ptr<TGdiBitmap> ReadBmp(std::span<const uint8_t> data);
// The same, reduced by area averaging to no larger than `fit` answers for the file's size,
// straight from the file's rows: no bitmap of the size the file claims is ever made.
std::unique_ptr<TGdiBitmap> ReadBmp(std::span<const uint8_t> data, const TFitSize& fit);

// A 32-bit uncompressed bottom-up BMP file of the bitmap (the fourth byte written as 0).
std::string WriteBmp(const TGdiBitmap& bitmap);
// The same, written to a stream without holding a second copy of the pixels.
void WriteBmp(const TGdiBitmap& bitmap, std::ostream& stream);
