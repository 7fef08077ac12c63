// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's shift state of key and mouse events.
#pragma once

#include <Qt>
#include <cstdint>

enum TShiftStateFlag : uint8_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};

using TShiftState = uint8_t;

constexpr TShiftState ShiftStateFromQt(
    Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = {})
{
    TShiftState state = 0;
    if (Modifiers & Qt::ShiftModifier)
        state |= ssShift;
    if (Modifiers & Qt::AltModifier)
        state |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        state |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        state |= ssLeft;
    if (Buttons & Qt::RightButton)
        state |= ssRight;
    if (Buttons & Qt::MiddleButton)
        state |= ssMiddle;
    return state;
}
