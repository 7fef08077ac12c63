// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's panel: a filled rectangle with an outer and an inner bevel. Children
// laid out in it keep clear of the bevels.
#pragma once

#include <QColor>
#include <QFrame>

enum TPanelBevel { bvNone = 0, bvLowered = 1, bvRaised = 2 };

class TPanel : public QFrame {
public:
    // The colours of a bevel's lit and shaded edges (the classic button highlight and shadow).
    static constexpr QRgb BtnHighlight = 0xFFFFFFFF;
    static constexpr QRgb BtnShadow = 0xFF808080;

    // A raised outer bevel and no inner one, as the class library creates panels.
    explicit TPanel(QWidget* Parent = nullptr);

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel Value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int Value);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& Value);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    void UpdateMargins();

    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    QColor m_color;
};
