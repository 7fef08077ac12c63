// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/widgets/panel.h"

#include <QPainter>

namespace {

// One bevel, Width pixels deep, along the inside of Rect: the top and left edges in Top, the
// right and bottom edges in Bottom (which therefore own the top-right and bottom-left corners).
// Rect shrinks by the bevel.
void Frame3D(QPainter& Painter, QRect& Rect, QColor Top, QColor Bottom, int Width)
{
    for (int i = 0; i < Width && Rect.width() > 0 && Rect.height() > 0; ++i) {
        Painter.fillRect(QRect(Rect.left(), Rect.top(), Rect.width(), 1), Top);
        Painter.fillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height()), Top);
        Painter.fillRect(QRect(Rect.right(), Rect.top(), 1, Rect.height()), Bottom);
        Painter.fillRect(QRect(Rect.left(), Rect.bottom(), Rect.width(), 1), Bottom);
        Rect.adjust(1, 1, -1, -1);
    }
}

void PaintBevel(QPainter& Painter, QRect& Rect, TPanelBevel Bevel, int Width)
{
    if (Bevel == bvNone)
        return;
    const QColor lit = QColor::fromRgba(TPanel::BtnHighlight);
    const QColor shaded = QColor::fromRgba(TPanel::BtnShadow);
    if (Bevel == bvRaised)
        Frame3D(Painter, Rect, lit, shaded, Width);
    else
        Frame3D(Painter, Rect, shaded, lit, Width);
}

} // namespace

TPanel::TPanel(QWidget* Parent)
    : QFrame(Parent)
    , m_color(palette().color(QPalette::Window))
{
    setFrameShape(QFrame::NoFrame);
    UpdateMargins();
}

void TPanel::SetBevelOuter(TPanelBevel Value)
{
    if (Value == m_bevelOuter)
        return;
    m_bevelOuter = Value;
    UpdateMargins();
    update();
}

void TPanel::SetBevelInner(TPanelBevel Value)
{
    if (Value == m_bevelInner)
        return;
    m_bevelInner = Value;
    UpdateMargins();
    update();
}

void TPanel::SetBevelWidth(int Value)
{
    Value = qMax(1, Value);
    if (Value == m_bevelWidth)
        return;
    m_bevelWidth = Value;
    UpdateMargins();
    update();
}

void TPanel::SetColor(const QColor& Value)
{
    if (Value == m_color)
        return;
    m_color = Value;
    // Children without a colour of their own take the panel's.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Value);
    setPalette(colours);
    update();
}

void TPanel::UpdateMargins()
{
    const int inset
        = (m_bevelOuter != bvNone ? m_bevelWidth : 0) + (m_bevelInner != bvNone ? m_bevelWidth : 0);
    setContentsMargins(inset, inset, inset, inset);
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect rect = this->rect();
    PaintBevel(painter, rect, m_bevelOuter, m_bevelWidth);
    PaintBevel(painter, rect, m_bevelInner, m_bevelWidth);
    if (rect.width() > 0 && rect.height() > 0)
        painter.fillRect(rect, m_color);
}
