// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/metafile.h"
#include "platform/graphics/graphicprivate.h"
#include "platform/graphics/metafileplayer.h"

#include "platform/system/exception.h"

#include <QPainter>

#include <algorithm>
#include <ostream>

namespace {

const TGraphicClassInfo MetafileClass { "TMetafile",
    [] { return std::unique_ptr<TGraphic>(new TMetafile); } };

} // namespace

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() = default;

TGraphicClass TMetafile::Class() { return &MetafileClass; }

void TMetafile::Draw(HDC dc, const TRect& rect) const { DrawPremultiplied(dc, rect, m_image); }

void TMetafile::LoadFromBytes(std::span<const uint8_t> data) { Load(data, nullptr); }

void TMetafile::LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit)
{
    Load(data, &fit);
}

void TMetafile::Load(std::span<const uint8_t> data, const TFitSize* fit)
{
    const TMetafileHeader header = ReadMetafileHeader(data);
    const TDecodeSize size = fit ? FitSizeFor(header.Width, header.Height, *fit)
                                 : FitWithin(header.Width, header.Height, MaxPictureSide());
    QImage image(size.Width, size.Height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw EInvalidGraphic("The metafile picture is too large");
    image.fill(Qt::transparent);
    TPlayStats stats;
    {
        QPainter painter(&image);
        stats = PlayMetafile(data, header, painter, QRectF(0, 0, size.Width, size.Height));
    }
    m_image = std::move(image);
    m_data.assign(data.begin(), data.end());
    m_enhanced = header.Kind == TMetafileKind::Emf;
    m_played = stats.Played;
    m_skipped = stats.Skipped;
    Changed();
}

void TMetafile::SaveToStream(std::ostream& stream) const
{
    if (Empty())
        throw EInvalidGraphic("An empty picture cannot be saved");
    stream.write(reinterpret_cast<const char*>(m_data.data()), std::streamsize(m_data.size()));
}

std::unique_ptr<TGraphic> TMetafile::Clone() const
{
    auto copy = std::make_unique<TMetafile>();
    copy->m_image = m_image;
    copy->m_data = m_data;
    copy->m_enhanced = m_enhanced;
    copy->m_played = m_played;
    copy->m_skipped = m_skipped;
    return copy;
}
