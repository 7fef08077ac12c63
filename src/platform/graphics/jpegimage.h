// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A JPEG picture, decoded and encoded with libjpeg-turbo.
#pragma once

#include "platform/graphics/graphic.h"

class TBitmap;

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    int32_t Width() const override { return m_bitmap->Width(); }
    int32_t Height() const override { return m_bitmap->Height(); }
    void Draw(HDC dc, const TRect& rect) const override;
    using TGraphic::Draw;
    // Grey, RGB (YCbCr), CMYK and YCCK files, baseline or progressive. A picture larger than
    // MaxPictureSide() is decoded at the largest of libjpeg's scales 7/8 … 1/8 that fits. A
    // file whose data ends early (before its end-of-image marker, or at a marker before the
    // last pixel) is refused: libjpeg would pad the rest grey.
    void LoadFromBytes(std::span<const uint8_t> data) override;
    // Decoded at the smallest of libjpeg's scales 1/8 … 8/8 that is at least the size wanted,
    // then reduced to it by area averaging while the rows come out.
    void LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit) override;
    // Encodes the pixels afresh at CompressionQuality (grey when Grayscale is set).
    void SaveToStream(std::ostream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // Takes the pixels of a bitmap, to be saved as JPEG.
    void Assign(const TBitmap& source);
    // The decoded pixels.
    const TGdiBitmap& Bitmap() const { return *m_bitmap; }

    int32_t CompressionQuality() const { return m_quality; }
    void SetCompressionQuality(int32_t quality); // clamped to 1 … 100
    // Set by loading a one-channel file; saving then writes one channel.
    bool Grayscale() const { return m_grayscale; }
    void SetGrayscale(bool grayscale) { m_grayscale = grayscale; }

private:
    void Load(std::span<const uint8_t> data, const TFitSize* fit);

    std::unique_ptr<TGdiBitmap> m_bitmap;
    int32_t m_quality = 90;
    bool m_grayscale = false;
};
