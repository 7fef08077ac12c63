// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A graphic that is a 32-bit device-independent bitmap; reads BMP files of every common kind
// and writes 32-bit uncompressed ones.
#pragma once

#include "platform/graphics/graphic.h"

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height);
    ~TBitmap() override;

    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    int32_t Width() const override { return m_bitmap->Width(); }
    int32_t Height() const override { return m_bitmap->Height(); }
    void Draw(HDC dc, const TRect& rect) const override;
    using TGraphic::Draw;
    void LoadFromBytes(std::span<const uint8_t> data) override;
    void LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit) override;
    void SaveToStream(std::ostream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // The pixels. Loading a file replaces the bitmap object, so do not keep the reference
    // across a load. Call Changed() after editing the pixels.
    TGdiBitmap& Bitmap() { return *m_bitmap; }
    const TGdiBitmap& Bitmap() const { return *m_bitmap; }

    // Resizes, keeping the overlapping top-left pixels and filling new ones with the device
    // context's brush colour, as a canvas does. Negative sizes count as 0.
    void SetSize(int32_t width, int32_t height);

    // Becomes a copy of `source`: pixel for pixel for a bitmap; any other graphic is drawn at
    // its natural size over `background`, which shows where the source is transparent.
    void Assign(const TGraphic& source, TColorRef background = RGB(255, 255, 255));

private:
    std::unique_ptr<TGdiBitmap> m_bitmap;
};
