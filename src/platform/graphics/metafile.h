// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A Windows metafile: WMF (with or without the placeable header) or EMF. Loading plays its
// records onto a QPainter into the picture's bitmap, at the size the header gives (96 dots an
// inch); records the player does not know are skipped. Drawing shows that bitmap; saving
// writes the file's own bytes back.
#pragma once

#include "platform/graphics/graphic.h"

#include <QImage>

class TMetafile : public TGraphic {
public:
    TMetafile();
    ~TMetafile() override;

    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    int32_t Width() const override { return m_image.width(); }
    int32_t Height() const override { return m_image.height(); }
    // Blends the played picture over the destination: where no record drew, the destination
    // shows through, as when a metafile is played onto a device context.
    void Draw(HDC dc, const TRect& rect) const override;
    using TGraphic::Draw;
    // Data that is not a metafile raises EInvalidGraphic. A picture larger than
    // MaxPictureSide() is played scaled down to fit.
    void LoadFromBytes(std::span<const uint8_t> data) override;
    // Plays the records straight at the fitted size: a vector picture loses nothing by it.
    void LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit) override;
    // Writes the bytes the metafile was loaded from, unchanged.
    void SaveToStream(std::ostream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // True for an enhanced metafile (EMF).
    bool Enhanced() const { return m_enhanced; }
    // The played picture, premultiplied ARGB.
    const QImage& Image() const { return m_image; }
    // How many records the last load played and skipped.
    int PlayedRecords() const { return m_played; }
    int SkippedRecords() const { return m_skipped; }

private:
    void Load(std::span<const uint8_t> data, const TFitSize* fit);

    QImage m_image;
    std::vector<uint8_t> m_data;
    bool m_enhanced = false;
    int m_played = 0;
    int m_skipped = 0;
};
