// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/keycodes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;

TEST(VirtualKeyCode, MapsQtKeysAndPositionsToWindowsCodes)
{
    const struct {
        const char* What;
        int QtKey;
        Qt::KeyboardModifiers Modifiers;
        quint32 Xkb;
        uint16_t Code;
    } cases[] = {
        // Letters and digits by the layout, with or without Shift.
        { "a", Qt::Key_A, None, 38, 0x41 },
        { "Shift+z", Qt::Key_Z, Shift, 52, 0x5A },
        { "a of a French keyboard (US Q)", Qt::Key_A, None, 24, 0x41 },
        { "m of a French keyboard (US ;)", Qt::Key_M, None, 47, 0x4D },
        { "7", Qt::Key_7, None, 16, 0x37 },
        { "1 of a French keyboard, shifted", Qt::Key_1, Shift, 10, 0x31 },
        { "letter without a position", Qt::Key_Q, None, 0, 0x51 },
        // Shifted digits and marks keep their unshifted key.
        { "Shift+1 (!)", Qt::Key_Exclam, Shift, 10, 0x31 },
        { "Shift+0 ())", Qt::Key_ParenRight, Shift, 19, 0x30 },
        { "& of a French keyboard (US 1)", Qt::Key_Ampersand, None, 10, 0x31 },
        { "Shift+' (\")", Qt::Key_QuoteDbl, Shift, 48, 0xDE },
        { "'", Qt::Key_Apostrophe, None, 48, 0xDE },
        { ";", Qt::Key_Semicolon, None, 47, 0xBA },
        { "Shift+= (+)", Qt::Key_Plus, Shift, 21, 0xBB },
        { ",", Qt::Key_Comma, None, 59, 0xBC },
        { "-", Qt::Key_Minus, None, 20, 0xBD },
        { ".", Qt::Key_Period, None, 60, 0xBE },
        { "Shift+/ (?)", Qt::Key_Question, Shift, 61, 0xBF },
        { "`", Qt::Key_QuoteLeft, None, 49, 0xC0 },
        { "[", Qt::Key_BracketLeft, None, 34, 0xDB },
        { "Shift+\\ (|)", Qt::Key_Bar, Shift, 51, 0xDC },
        { "]", Qt::Key_BracketRight, None, 35, 0xDD },
        { "key beside left Shift", Qt::Key_Less, None, 94, 0xE2 },
        { "dead circumflex of a French keyboard (US [)", Qt::Key_Dead_Circumflex, None, 34, 0xDB },
        { "German o umlaut (US ;)", Qt::Key_Odiaeresis, None, 47, 0xBA },
        { "Russian ef (US A)", 0x0424, None, 38, 0x41 },
        { "comma of a French keyboard (US M)", Qt::Key_Comma, None, 58, 0xBC },
        // Without a position the marks of a US keyboard tell the key.
        { "Shift+2 (@), no position", Qt::Key_At, Shift, 0, 0x32 },
        { "Shift+9 ((), no position", Qt::Key_ParenLeft, Shift, 0, 0x39 },
        { "~, no position", Qt::Key_AsciiTilde, Shift, 0, 0xC0 },
        { "}, no position", Qt::Key_BraceRight, Shift, 0, 0xDD },
        { ":, no position", Qt::Key_Colon, Shift, 0, 0xBA },
        { "_, no position", Qt::Key_Underscore, Shift, 0, 0xBD },
        { ">, no position", Qt::Key_Greater, Shift, 0, 0xBE },
        // Keys that are the same on every layout.
        { "Backspace", Qt::Key_Backspace, None, 22, 0x08 },
        { "Tab", Qt::Key_Tab, None, 23, 0x09 },
        { "Shift+Tab", Qt::Key_Backtab, Shift, 23, 0x09 },
        { "Return", Qt::Key_Return, None, 36, 0x0D },
        { "Shift", Qt::Key_Shift, Shift, 50, 0x10 },
        { "Control", Qt::Key_Control, None, 37, 0x11 },
        { "Alt", Qt::Key_Alt, None, 64, 0x12 },
        { "Pause", Qt::Key_Pause, None, 127, 0x13 },
        { "Caps Lock", Qt::Key_CapsLock, None, 66, 0x14 },
        { "Escape", Qt::Key_Escape, None, 9, 0x1B },
        { "Space", Qt::Key_Space, None, 65, 0x20 },
        { "Page Up", Qt::Key_PageUp, None, 112, 0x21 },
        { "Page Down", Qt::Key_PageDown, None, 117, 0x22 },
        { "End", Qt::Key_End, None, 115, 0x23 },
        { "Home", Qt::Key_Home, None, 110, 0x24 },
        { "Left", Qt::Key_Left, None, 113, 0x25 },
        { "Up", Qt::Key_Up, None, 111, 0x26 },
        { "Right", Qt::Key_Right, None, 114, 0x27 },
        { "Down", Qt::Key_Down, None, 116, 0x28 },
        { "Print Screen", Qt::Key_Print, None, 107, 0x2C },
        { "Insert", Qt::Key_Insert, None, 118, 0x2D },
        { "Delete", Qt::Key_Delete, None, 119, 0x2E },
        { "left Super", Qt::Key_Super_L, None, 133, 0x5B },
        { "right Super", Qt::Key_Super_R, None, 134, 0x5C },
        { "Menu", Qt::Key_Menu, None, 135, 0x5D },
        { "F1", Qt::Key_F1, None, 67, 0x70 },
        { "F12", Qt::Key_F12, None, 96, 0x7B },
        { "F24", Qt::Key_F24, None, 202, 0x87 },
        { "Num Lock", Qt::Key_NumLock, None, 77, 0x90 },
        { "Scroll Lock", Qt::Key_ScrollLock, None, 78, 0x91 },
        { "Volume Up", Qt::Key_VolumeUp, None, 123, 0xAF },
        // The numeric keypad.
        { "keypad 0", Qt::Key_0, Keypad, 90, 0x60 },
        { "keypad 9", Qt::Key_9, Keypad, 81, 0x69 },
        { "keypad 5, shifted", Qt::Key_5, Keypad | Shift, 84, 0x65 },
        { "keypad *", Qt::Key_Asterisk, Keypad, 63, 0x6A },
        { "keypad +", Qt::Key_Plus, Keypad, 86, 0x6B },
        { "keypad -", Qt::Key_Minus, Keypad, 82, 0x6D },
        { "keypad .", Qt::Key_Period, Keypad, 91, 0x6E },
        { "keypad , (decimal comma)", Qt::Key_Comma, Keypad, 91, 0x6E },
        { "keypad /", Qt::Key_Slash, Keypad, 106, 0x6F },
        { "keypad Enter", Qt::Key_Enter, Keypad, 104, 0x0D },
        { "keypad 7 without Num Lock", Qt::Key_Home, Keypad, 79, 0x24 },
        { "keypad 5 without Num Lock", Qt::Key_Clear, Keypad, 84, 0x0C },
        // Keys without a code.
        { "unknown", Qt::Key_unknown, None, 0, 0x00 },
        { "unknown key at an unknown position", Qt::Key_unknown, None, 250, 0x00 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyCode(c.QtKey, c.Modifiers, c.Xkb), c.Code) << c.What;
}

TEST(VirtualKeyFromEvent, IgnoresScanCodesOfPlatformsWithoutXkb)
{
    // The offscreen platform's scan codes are no positions: its events go by the Qt key alone.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    const QKeyEvent exclam(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 61, 0, 0,
        QStringLiteral("!"));
    EXPECT_EQ(VirtualKeyFromEvent(exclam), 0x31); // scan code 61 would have been the slash key
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, 0, 0, 0,
        QStringLiteral("3"));
    EXPECT_EQ(VirtualKeyFromEvent(keypad), 0x63);
}

} // namespace
