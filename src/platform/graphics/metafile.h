// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A Windows metafile (WMF or EMF). Playing their records is not built yet, so loading one
// refuses clearly instead of showing nothing.
#pragma once

#include "platform/graphics/graphic.h"

class TMetafile : public TGraphic {
public:
    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    int32_t Width() const override { return 0; }
    int32_t Height() const override { return 0; }
    void Draw(HDC, const TRect&) const override { }
    using TGraphic::Draw;
    // FIXME: needs the metafile record player; until then every load raises EInvalidGraphic.
    void LoadFromBytes(std::span<const uint8_t> data) override;
    void SaveToStream(std::ostream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;
};
