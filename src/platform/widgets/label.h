// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's label and static text: a caption in a font and colour on a filled
// background, that can size itself to its caption and reports clicks and the mouse entering
// and leaving it.
#pragma once

#include <QLabel>
#include <functional>

class TLabel : public QLabel {
public:
    explicit TLabel(QWidget* Parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& Value);

    bool AutoSize() const { return m_autoSize; }
    // A label that sizes itself keeps the edge its alignment names where it is: the left edge,
    // the right edge of right-aligned text, or the middle of centred text. Its top stays.
    void SetAutoSize(bool Value);

    QColor Color() const;
    void SetColor(const QColor& Value);
    QColor FontColor() const;
    void SetFontColor(const QColor& Value);

    // A left button pressed and released over the label. While OnClick is assigned the label
    // keeps its mouse presses to itself; otherwise they go on to its parent.
    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    // Whether sizing to the caption keeps the top-left corner whatever the alignment.
    bool m_growFromTopLeft = false;

private:
    void AdjustBounds();

    bool m_autoSize = false;
    bool m_pressed = false;
};

// A static text differs from a label in one way here: sized to its caption it always grows from
// its top-left corner, whatever the alignment of the text inside it.
class TStaticText : public TLabel {
public:
    explicit TStaticText(QWidget* Parent = nullptr)
        : TLabel(Parent)
    {
        m_growFromTopLeft = true;
    }
};
