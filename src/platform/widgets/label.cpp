// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/widgets/label.h"

#include <QMouseEvent>

TLabel::TLabel(QWidget* Parent)
    : QLabel(Parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString& Value)
{
    setText(Value);
    AdjustBounds();
}

void TLabel::SetAutoSize(bool Value)
{
    if (Value == m_autoSize)
        return;
    m_autoSize = Value;
    AdjustBounds();
}

QColor TLabel::Color() const { return palette().color(QPalette::Window); }

void TLabel::SetColor(const QColor& Value)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Value);
    setPalette(colours);
    // Without a colour of its own the label shows its parent's.
    setAutoFillBackground(true);
}

QColor TLabel::FontColor() const { return palette().color(QPalette::WindowText); }

void TLabel::SetFontColor(const QColor& Value)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Value);
    setPalette(colours);
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize)
        return;
    // The caption's extent, without the style's margins.
    const QSize extent = fontMetrics().size(0, text()).expandedTo(QSize(1, 1));
    int left = x();
    if (!m_growFromTopLeft) {
        if (alignment() & Qt::AlignRight)
            left = x() + width() - extent.width();
        else if (alignment() & Qt::AlignHCenter)
            left = x() + (width() - extent.width()) / 2;
    }
    setGeometry(left, y(), extent.width(), extent.height());
}

void TLabel::changeEvent(QEvent* Event)
{
    QLabel::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        AdjustBounds();
}

void TLabel::enterEvent(QEnterEvent* Event)
{
    QLabel::enterEvent(Event);
    if (OnMouseEnter)
        OnMouseEnter();
}

void TLabel::leaveEvent(QEvent* Event)
{
    QLabel::leaveEvent(Event);
    if (OnMouseLeave)
        OnMouseLeave();
}

void TLabel::mousePressEvent(QMouseEvent* Event)
{
    if (!OnClick) {
        Event->ignore();
        return;
    }
    m_pressed = Event->button() == Qt::LeftButton;
    Event->accept();
}

void TLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    if (!OnClick) {
        Event->ignore();
        return;
    }
    const bool click = m_pressed && Event->button() == Qt::LeftButton
        && rect().contains(Event->position().toPoint());
    m_pressed = false;
    Event->accept();
    if (click)
        OnClick();
}
