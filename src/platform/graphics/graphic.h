// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The abstract picture: something with a size that can draw itself onto a device context and
// read and write its own file format.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/system/exception.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TGraphic;

// What a class reference is to the class library: the name of a graphic class and how to make
// an empty one. Each class has exactly one, so pointers compare as class identity; nullptr is
// "no class".
struct TGraphicClassInfo {
    const char* Name;
    std::unique_ptr<TGraphic> (*Create)();
};
using TGraphicClass = const TGraphicClassInfo*;

// A picture's size in pixels.
struct TDecodeSize {
    int32_t Width;
    int32_t Height;
};
// The size to decode a picture at, given its natural size (both sides at least 1). Loading
// keeps each side within 1 … the natural size, whatever the answer.
using TFitSize = std::function<TDecodeSize(int32_t width, int32_t height)>;

// Pictures larger than this on either side are decoded scaled down, so that a hostile or
// oversized file cannot make a decoded bitmap larger than side² pixels.
constexpr int32_t DefaultMaxPictureSide = 8192;
int32_t MaxPictureSide();
// Tests and fuzzers lower the bound to keep their inputs quick; the program keeps the default.
void SetMaxPictureSide(int32_t side);
// The most picture data that is read from one stream or file.
constexpr size_t MaxPictureDataBytes = size_t(512) << 20;

class TGraphic {
public:
    virtual ~TGraphic();
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual TGraphicClass GraphicClass() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }

    // Draws the picture into `rect` of the device context, through its clip region and viewport
    // origin: at natural size when the rectangle has the picture's size, otherwise scaled by
    // dropping or repeating rows and columns. Where the picture is transparent the destination
    // keeps its pixels. An empty rectangle draws nothing.
    virtual void Draw(HDC dc, const TRect& rect) const = 0;
    void Draw(HDC dc, int32_t x, int32_t y) const
    {
        Draw(dc, TRect { x, y, x + Width(), y + Height() });
    }

    // Loading replaces the content only when the data decodes completely: on EInvalidGraphic
    // the graphic is as it was and no change is signalled.
    virtual void LoadFromBytes(std::span<const uint8_t> data) = 0;
    // Reads from the stream's current position to its end.
    void LoadFromStream(std::istream& stream);
    void LoadFromFile(const std::string& path);
    // Loads no larger than `fit` answers for the picture's natural size: a larger picture is
    // reduced by area averaging, each result pixel the mean of the area it covers. JPEG and
    // BMP files are reduced while they are decoded and metafiles are played at the fitted size,
    // so the whole picture is never held; PNG and GIF are decoded whole, then reduced; a class
    // that cannot reduce itself loads at its natural size.
    virtual void LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit);
    void LoadFromFileToFit(const std::string& path, const TFitSize& fit);
    // Writes the graphic in its own format. An empty graphic raises EInvalidGraphic.
    virtual void SaveToStream(std::ostream& stream) const = 0;
    void SaveToFile(const std::string& path) const;

    // A copy of the content, without the change handler.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Fired after the content changed. Whoever edits pixels through an accessor calls Changed.
    std::function<void()> OnChange;
    void Changed();

protected:
    TGraphic() = default;
};

// Reads the rest of a stream, at most MaxPictureDataBytes; EInvalidGraphic when it is longer or
// cannot be read.
std::vector<uint8_t> ReadPictureData(std::istream& stream);
// Reads a whole regular file, at most MaxPictureDataBytes, waiting at most FileReadTimeout for
// it; Exception naming the file when it cannot be opened or read, is a FIFO or a device, is
// larger, or does not answer in time.
std::vector<uint8_t> ReadPictureFile(const std::string& path);
// Replaces the file atomically, so a failed write never leaves half a picture behind.
void WritePictureFile(const std::string& path, const std::string& bytes);
