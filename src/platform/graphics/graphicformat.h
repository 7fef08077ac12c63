// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Which graphic class reads a file or a block of data.
#pragma once

#include "platform/graphics/graphic.h"

#include <iosfwd>
#include <span>
#include <string_view>

// The class whose signature the data starts with: "BM" at 0 is a bitmap; "JFIF" or "Exif" at 6
// a JPEG picture; "EMF" at 41 (the end of the enhanced-metafile signature) or D7 CD C6 9A at 0
// (the placeable-metafile key) a metafile; then, as a courtesy, the PNG and GIF signatures at 0.
// A signature only counts when the data reaches its end. Anything else, icons included, is
// nullptr.
TGraphicClass FindGraphicClass(std::span<const uint8_t> data);
// The same for the bytes from the stream's current position; the position is kept.
TGraphicClass FindGraphicClass(std::istream& stream);

// The class for a file extension without its dot, regardless of case: "bmp", "ico", "wmf",
// "emf", "jpg", "jpeg", and "png" and "gif" as a courtesy; nullptr for any other.
TGraphicClass GraphicClassForExtension(std::string_view extension);
// The extension of the file name in `path` (after its last dot), without the dot.
std::string_view FileExtension(std::string_view path);
