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

// Premultiplied source over an opaque destination, 8 bits a channel.
uint32_t Over(uint32_t source, uint32_t destination)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 255)
        return source & 0x00FFFFFF;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (destination >> shift) & 0xFF;
        result |= std::min<uint32_t>(255, s + (d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() = default;

TGraphicClass TMetafile::Class() { return &MetafileClass; }

void TMetafile::Draw(HDC dc, const TRect& rect) const
{
    if (m_image.isNull() || rect.IsEmpty())
        return;
    TRect clip;
    const int32_t clipType = GetClipBox(dc, &clip);
    if (clipType == RGN_ERROR || clipType == NULLREGION)
        return;
    const TRect visible { std::max(rect.Left, clip.Left), std::max(rect.Top, clip.Top),
        std::min(rect.Right, clip.Right), std::min(rect.Bottom, clip.Bottom) };
    if (visible.IsEmpty())
        return;
    const int64_t iw = m_image.width();
    const int64_t ih = m_image.height();
    const int64_t rw = rect.Width();
    const int64_t rh = rect.Height();
    // Read the visible part back, blend, and copy it out again through the clip region.
    TGdiBitmap canvas(visible.Width(), visible.Height());
    BitBlt(canvas.DC(), 0, 0, visible.Width(), visible.Height(), dc, visible.Left, visible.Top,
        SRCCOPY);
    for (int32_t y = 0; y < canvas.Height(); ++y) {
        const int64_t ry = int64_t(visible.Top) + y - rect.Top;
        const auto* source = reinterpret_cast<const uint32_t*>(
            m_image.constScanLine(int(ih == rh ? ry : NearestSource(ry, ih, rh))));
        uint32_t* target = canvas.ScanLine(y);
        for (int32_t x = 0; x < canvas.Width(); ++x) {
            const int64_t rx = int64_t(visible.Left) + x - rect.Left;
            const uint32_t pixel = source[iw == rw ? rx : NearestSource(rx, iw, rw)];
            if (pixel >> 24)
                target[x] = Over(pixel, target[x]);
        }
    }
    BitBlt(dc, visible.Left, visible.Top, visible.Width(), visible.Height(), canvas.DC(), 0, 0,
        SRCCOPY);
}

void TMetafile::LoadFromBytes(std::span<const uint8_t> data)
{
    const TMetafileHeader header = ReadMetafileHeader(data);
    const TDecodeSize size = FitWithin(header.Width, header.Height, MaxPictureSide());
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
