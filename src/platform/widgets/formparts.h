// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Builds the fonts and labels of a form as the class library's form designer would have: the
// windows of the game and the About window share them.
#pragma once

#include "platform/widgets/label.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

enum class TFontStyle : uint8_t { Regular, Bold, Underlined };

// Font heights are character heights in pixels, as the forms were designed.
QFont PixelFont(const QString& Family, int Height, TFontStyle Style = TFontStyle::Regular);

enum class TLabelSizing : uint8_t { Fixed, AutoSize };

// What a label is given before its caption; what is not given stays as a new label has it.
struct TLabelLook {
    std::optional<QFont> Font;
    std::optional<QColor> FontColor;
    std::optional<QRect> Bounds;
    Qt::Alignment Alignment = Qt::AlignLeft;
    TLabelSizing Sizing = TLabelSizing::Fixed;
};

// A label (or static text) named `Name` for tests and style sheets. The caption comes last, so
// that a label that sizes itself does so once, from its bounds, to the caption in its font.
template <class Label = TLabel>
Label* MakeLabel(
    QWidget* Parent, const char* Name, const QString& Caption, const TLabelLook& Look = {})
{
    auto* label = new Label(Parent);
    label->setObjectName(QLatin1String(Name));
    if (Look.Bounds)
        label->setGeometry(*Look.Bounds);
    label->setAlignment(Look.Alignment | Qt::AlignTop);
    if (Look.Font)
        label->setFont(*Look.Font);
    if (Look.FontColor)
        label->SetFontColor(*Look.FontColor);
    if (Look.Sizing == TLabelSizing::AutoSize)
        label->SetAutoSize(true);
    label->SetCaption(Caption);
    return label;
}
