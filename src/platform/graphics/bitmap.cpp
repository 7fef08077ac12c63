// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/bitmap.h"
#include "platform/graphics/bmpcodec.h"
#include "platform/graphics/graphicprivate.h"

#include "platform/system/exception.h"

#include <algorithm>
#include <ostream>

namespace {

const TGraphicClassInfo BitmapClass { "TBitmap",
    [] { return std::unique_ptr<TGraphic>(new TBitmap); } };

} // namespace

TBitmap::TBitmap()
    : m_bitmap(std::make_unique<TGdiBitmap>())
{
}

TBitmap::TBitmap(int32_t width, int32_t height)
    : m_bitmap(std::make_unique<TGdiBitmap>(std::max(width, 0), std::max(height, 0)))
{
}

TBitmap::~TBitmap() = default;

TGraphicClass TBitmap::Class() { return &BitmapClass; }

void TBitmap::Draw(HDC dc, const TRect& rect) const { DrawOpaque(dc, rect, *m_bitmap); }

void TBitmap::LoadFromBytes(std::span<const uint8_t> data)
{
    m_bitmap = ReadBmp(data);
    Changed();
}

void TBitmap::LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize& fit)
{
    m_bitmap = ReadBmp(data, fit);
    Changed();
}

void TBitmap::SaveToStream(std::ostream& stream) const
{
    if (Empty())
        throw EInvalidGraphic("An empty picture cannot be saved");
    WriteBmp(*m_bitmap, stream);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    auto copy = std::make_unique<TBitmap>();
    CopyBitmap(*m_bitmap, *copy->m_bitmap);
    return copy;
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    m_bitmap->SetSize(width, height, m_bitmap->DC()->State().BrushColor);
    Changed();
}

void TBitmap::Assign(const TGraphic& source, TColorRef background)
{
    if (&source == this)
        return;
    auto target = std::make_unique<TGdiBitmap>();
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        CopyBitmap(*bitmap->m_bitmap, *target);
    } else {
        target->SetSize(source.Width(), source.Height(), background);
        source.Draw(target->DC(), 0, 0);
    }
    m_bitmap = std::move(target);
    Changed();
}
