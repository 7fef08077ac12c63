// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/alphagraphic.h"
#include "platform/graphics/areareduction.h"
#include "platform/graphics/graphicprivate.h"

#include "platform/system/exception.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <ostream>

namespace {

const TGraphicClassInfo PngImageClass { "TPngImage",
    [] { return std::unique_ptr<TGraphic>(new TPngImage); } };
const TGraphicClassInfo GIFImageClass { "TGIFImage",
    [] { return std::unique_ptr<TGraphic>(new TGIFImage); } };

// Premultiplied source over destination, 8 bits a channel.
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

TAlphaGraphic::TAlphaGraphic(const char* format)
    : m_format(format)
{
}

TAlphaGraphic::~TAlphaGraphic() = default;

void DrawPremultiplied(HDC dc, const TRect& rect, const QImage& image)
{
    if (image.isNull() || rect.IsEmpty())
        return;
    // Only the visible part is blended: read it back, blend, and copy it out again through
    // the clip region.
    TRect clip;
    const int32_t clipType = GetClipBox(dc, &clip);
    if (clipType == RGN_ERROR || clipType == NULLREGION)
        return;
    const TRect visible { std::max(rect.Left, clip.Left), std::max(rect.Top, clip.Top),
        std::min(rect.Right, clip.Right), std::min(rect.Bottom, clip.Bottom) };
    if (visible.IsEmpty())
        return;
    const int64_t iw = image.width();
    const int64_t ih = image.height();
    const int64_t rw = rect.Width();
    const int64_t rh = rect.Height();
    TGdiBitmap canvas(visible.Width(), visible.Height());
    BitBlt(canvas.DC(), 0, 0, visible.Width(), visible.Height(), dc, visible.Left, visible.Top,
        SRCCOPY);
    for (int32_t y = 0; y < canvas.Height(); ++y) {
        const int64_t ry = int64_t(visible.Top) + y - rect.Top;
        const auto* source = reinterpret_cast<const uint32_t*>(
            image.constScanLine(int(ih == rh ? ry : NearestSource(ry, ih, rh))));
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

void TAlphaGraphic::Draw(HDC dc, const TRect& rect) const { DrawPremultiplied(dc, rect, m_image); }

int TAlphaGraphic::ChooseImage(std::span<const uint8_t>) const { return 0; }

void TAlphaGraphic::LoadFromBytes(std::span<const uint8_t> data) { Load(data, nullptr); }

void TAlphaGraphic::LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit)
{
    Load(data, &fit);
}

void TAlphaGraphic::Load(std::span<const uint8_t> data, const TFitSize* fit)
{
    const std::string what
        = "Invalid " + QByteArray(m_format).toUpper().toStdString() + " picture: ";
    if (data.empty())
        throw EInvalidGraphic(what + "the file is empty");
    const int index = ChooseImage(data);
    QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, m_format);
    reader.setAutoDetectImageFormat(false);
    if (index > 0 && !reader.jumpToImage(index))
        throw EInvalidGraphic(what + "image " + std::to_string(index) + " cannot be reached");
    const QSize size = reader.size();
    const int32_t limit = MaxPictureSide();
    const bool scaled = size.isValid() && (size.width() > limit || size.height() > limit);
    if (scaled) {
        const TDecodeSize within = FitWithin(size.width(), size.height(), limit);
        reader.setScaledSize(QSize(within.Width, within.Height));
    }
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(what + reader.errorString().toStdString());
    QImage decoded = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The size a handler reports ahead may not be the size it decodes (a GIF whose frame is
    // smaller than its screen), so the limit is applied again to what came out.
    const int64_t naturalWidth = scaled ? size.width() : decoded.width();
    const int64_t naturalHeight = scaled ? size.height() : decoded.height();
    const TDecodeSize wanted = fit ? FitSizeFor(naturalWidth, naturalHeight, *fit)
                                   : FitWithin(decoded.width(), decoded.height(), limit);
    if (wanted.Width < decoded.width() || wanted.Height < decoded.height()) {
        QImage reduced(std::min(wanted.Width, decoded.width()),
            std::min(wanted.Height, decoded.height()), QImage::Format_ARGB32_Premultiplied);
        if (reduced.isNull())
            throw EInvalidGraphic(what + "no memory for the reduced picture");
        TAreaReduction reduction(decoded.width(), decoded.height(), reduced.width(),
            reduced.height(), TRowOrder::TopDown,
            [&reduced](int32_t row) { return reinterpret_cast<uint32_t*>(reduced.scanLine(row)); });
        for (int y = 0; y < decoded.height(); ++y)
            reduction.AddRow(y, reinterpret_cast<const uint32_t*>(decoded.constScanLine(y)));
        reduction.Finish();
        decoded = std::move(reduced);
    }
    m_image = std::move(decoded);
    m_data.assign(data.begin(), data.end());
    Changed();
}

void TAlphaGraphic::SaveToStream(std::ostream& stream) const
{
    if (Empty())
        throw EInvalidGraphic("An empty picture cannot be saved");
    stream.write(reinterpret_cast<const char*>(m_data.data()), std::streamsize(m_data.size()));
}

void TAlphaGraphic::CopyTo(TAlphaGraphic& target) const
{
    target.m_image = m_image;
    target.m_data = m_data;
}

TGraphicClass TPngImage::Class() { return &PngImageClass; }

std::unique_ptr<TGraphic> TPngImage::Clone() const
{
    auto copy = std::make_unique<TPngImage>();
    CopyTo(*copy);
    return copy;
}

TGraphicClass TGIFImage::Class() { return &GIFImageClass; }

std::unique_ptr<TGraphic> TGIFImage::Clone() const
{
    auto copy = std::make_unique<TGIFImage>();
    CopyTo(*copy);
    return copy;
}
