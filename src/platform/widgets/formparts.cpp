// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/widgets/formparts.h"

QFont PixelFont(const QString& Family, int Height, TFontStyle Style)
{
    QFont font(Family);
    font.setPixelSize(Height);
    font.setBold(Style == TFontStyle::Bold);
    font.setUnderline(Style == TFontStyle::Underlined);
    return font;
}
