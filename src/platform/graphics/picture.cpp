// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/picture.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphicformat.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/metafile.h"

#include "platform/system/exception.h"

TPicture::TPicture() = default;

TPicture::~TPicture()
{
    // The graphic outlives nothing that listens to it, but do not call back while dying.
    if (m_graphic)
        m_graphic->OnChange = nullptr;
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    SetGraphic(graphic ? graphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    if (m_graphic)
        m_graphic->OnChange = nullptr;
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->OnChange = [this] { Changed(); };
    Changed();
}

void TPicture::Assign(const TPicture& source)
{
    if (&source != this)
        SetGraphic(source.Graphic());
}

template <class T> T& TPicture::Ensure()
{
    if (!m_graphic || m_graphic->GraphicClass() != T::Class())
        SetGraphic(std::make_unique<T>());
    return static_cast<T&>(*m_graphic);
}

TBitmap& TPicture::Bitmap() { return Ensure<TBitmap>(); }

TIcon& TPicture::Icon() { return Ensure<TIcon>(); }

TMetafile& TPicture::Metafile() { return Ensure<TMetafile>(); }

std::unique_ptr<TGraphic> TPicture::GraphicForFile(const std::string& path) const
{
    const std::string_view extension = FileExtension(path);
    const TGraphicClass graphicClass = GraphicClassForExtension(extension);
    if (!graphicClass)
        throw EInvalidGraphic("Unknown picture file extension (." + std::string(extension) + ")");
    return graphicClass->Create();
}

void TPicture::LoadFromFile(const std::string& path)
{
    std::unique_ptr<TGraphic> graphic = GraphicForFile(path);
    graphic->LoadFromFile(path);
    SetGraphic(std::move(graphic));
}

void TPicture::LoadFromFileToFit(const std::string& path, const TFitSize& fit)
{
    std::unique_ptr<TGraphic> graphic = GraphicForFile(path);
    graphic->LoadFromFileToFit(path, fit);
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& path) const
{
    if (!m_graphic)
        throw EInvalidGraphic("An empty picture cannot be saved");
    m_graphic->SaveToFile(path);
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}
