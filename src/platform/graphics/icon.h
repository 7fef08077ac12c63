// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A Windows icon (or cursor) file, read through Qt's icon reader.
#pragma once

#include "platform/graphics/alphagraphic.h"

class TIcon : public TAlphaGraphic {
public:
    TIcon();
    static TGraphicClass Class();
    TGraphicClass GraphicClass() const override { return Class(); }
    std::unique_ptr<TGraphic> Clone() const override;

protected:
    // Of the images in the file, the largest (the deepest colour among equals), since the
    // picture is shown big. The directory and the chosen image's data must lie in the file.
    int ChooseImage(std::span<const uint8_t> data) const override;
};
