// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Graphics with an alpha channel that Qt's image readers decode: icons, and PNG and GIF files
// accepted as a courtesy. Transparent pixels leave the destination as it was when drawn.
#pragma once

#include "platform/graphics/graphic.h"

#include <QImage>

class TAlphaGraphic : public TGraphic {
public:
    ~TAlphaGraphic() override;

    int32_t Width() const override { return m_image.width(); }
    int32_t Height() const override { return m_image.height(); }
    // Blends the picture over the destination (transparent pixels keep it).
    void Draw(HDC dc, const TRect& rect) const override;
    using TGraphic::Draw;
    void LoadFromBytes(std::span<const uint8_t> data) override;
    // Qt's reader decodes the whole picture; it is then reduced by area averaging, alpha with it.
    void LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit) override;
    // Writes the bytes the picture was loaded from, unchanged.
    void SaveToStream(std::ostream& stream) const override;

    // The decoded picture, premultiplied ARGB.
    const QImage& Image() const { return m_image; }

protected:
    // `format` is the Qt image format name ("ico", "png", "gif").
    explicit TAlphaGraphic(const char* format);
    // Checks the file's structure before Qt reads it, and chooses which of several images to
    // read; EInvalidGraphic when the data is unfit. The default reads the first image.
    virtual int ChooseImage(std::span<const uint8_t> data) const;
    void CopyTo(TAlphaGraphic& target) const;

private:
    void Load(std::span<const uint8_t> data, const TFitSize* fit);

    const char* m_format;
    QImage m_image;
    std::vector<uint8_t> m_data;
};

class TPngImage : public TAlphaGraphic {
public:
    TPngImage()
        : TAlphaGraphic("png")
    {
    }
    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    std::unique_ptr<TGraphic> Clone() const override;
};

// The first frame of a GIF file.
class TGIFImage : public TAlphaGraphic {
public:
    TGIFImage()
        : TAlphaGraphic("gif")
    {
    }
    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    std::unique_ptr<TGraphic> Clone() const override;
};
