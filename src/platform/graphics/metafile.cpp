// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/metafile.h"

#include "platform/system/exception.h"

namespace {

const TGraphicClassInfo MetafileClass { "TMetafile",
    [] { return std::unique_ptr<TGraphic>(new TMetafile); } };

} // namespace

TGraphicClass TMetafile::Class() { return &MetafileClass; }

void TMetafile::LoadFromBytes(std::span<const uint8_t>)
{
    throw EInvalidGraphic("Metafile pictures (WMF, EMF) are not supported yet");
}

void TMetafile::SaveToStream(std::ostream&) const
{
    // Nothing can be loaded, so a metafile is always empty.
    throw EInvalidGraphic("An empty picture cannot be saved");
}

std::unique_ptr<TGraphic> TMetafile::Clone() const { return std::make_unique<TMetafile>(); }
