// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The arithmetic of the game window's layout, apart from any screen.
#pragma once

#include <cstdint>

struct TGameLayout {
    int32_t BandHeight; // panelTop: the upper band with the key's name and description
    int32_t ColumnWidth; // panelLeftTop (the name area) and panelLeftBottom (the links)
    int32_t DescHeight; // m_textKeyDesc until its caption changes
    int32_t DescTop; // within panelRightTop; negative when the band is lower than DescHeight
    int32_t DescLeft; // within panelRightTop
};

// The band is a fifth of the screen, the left column twice as wide as the band is high, and
// the description centred in the band's height. Integer division truncates toward zero. The
// screen's width does not come into it: the right-hand areas take what is left.
constexpr TGameLayout ComputeGameLayout(int32_t ScreenHeight)
{
    TGameLayout layout {};
    layout.BandHeight = ScreenHeight / 5;
    layout.ColumnWidth = 2 * layout.BandHeight;
    layout.DescHeight = 100;
    layout.DescTop = (layout.BandHeight - layout.DescHeight) / 2;
    layout.DescLeft = 50;
    return layout;
}
