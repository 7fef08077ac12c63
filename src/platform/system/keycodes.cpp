// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/keycodes.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

struct TKeyPair {
    int From;
    uint16_t To;
};

// Keys that are the same on every layout.
constexpr TKeyPair FixedKeys[] = {
    { Qt::Key_Cancel, 0x03 },
    { Qt::Key_Backspace, 0x08 },
    { Qt::Key_Tab, 0x09 },
    { Qt::Key_Backtab, 0x09 }, // Shift+Tab
    { Qt::Key_Clear, 0x0C },
    { Qt::Key_Return, 0x0D },
    { Qt::Key_Enter, 0x0D },
    { Qt::Key_Shift, 0x10 },
    { Qt::Key_Control, 0x11 },
    { Qt::Key_Alt, 0x12 },
    { Qt::Key_AltGr, 0x12 },
    { Qt::Key_Pause, 0x13 },
    { Qt::Key_CapsLock, 0x14 },
    { Qt::Key_Hangul, 0x15 },
    { Qt::Key_Hangul_Hanja, 0x19 },
    { Qt::Key_Kanji, 0x19 },
    { Qt::Key_Escape, 0x1B },
    { Qt::Key_Henkan, 0x1C },
    { Qt::Key_Muhenkan, 0x1D },
    { Qt::Key_Mode_switch, 0x1F },
    { Qt::Key_Space, 0x20 },
    { Qt::Key_PageUp, 0x21 },
    { Qt::Key_PageDown, 0x22 },
    { Qt::Key_End, 0x23 },
    { Qt::Key_Home, 0x24 },
    { Qt::Key_Left, 0x25 },
    { Qt::Key_Up, 0x26 },
    { Qt::Key_Right, 0x27 },
    { Qt::Key_Down, 0x28 },
    { Qt::Key_Select, 0x29 },
    { Qt::Key_Printer, 0x2A },
    { Qt::Key_Execute, 0x2B },
    { Qt::Key_Print, 0x2C },
    { Qt::Key_SysReq, 0x2C }, // Alt+Print Screen
    { Qt::Key_Insert, 0x2D },
    { Qt::Key_Delete, 0x2E },
    { Qt::Key_Help, 0x2F },
    { Qt::Key_Super_L, 0x5B },
    { Qt::Key_Meta, 0x5B },
    { Qt::Key_Super_R, 0x5C },
    { Qt::Key_Menu, 0x5D },
    { Qt::Key_Sleep, 0x5F },
    { Qt::Key_NumLock, 0x90 },
    { Qt::Key_ScrollLock, 0x91 },
    { Qt::Key_Back, 0xA6 },
    { Qt::Key_Forward, 0xA7 },
    { Qt::Key_Refresh, 0xA8 },
    { Qt::Key_Stop, 0xA9 },
    { Qt::Key_Search, 0xAA },
    { Qt::Key_Favorites, 0xAB },
    { Qt::Key_HomePage, 0xAC },
    { Qt::Key_VolumeMute, 0xAD },
    { Qt::Key_VolumeDown, 0xAE },
    { Qt::Key_VolumeUp, 0xAF },
    { Qt::Key_MediaNext, 0xB0 },
    { Qt::Key_MediaPrevious, 0xB1 },
    { Qt::Key_MediaStop, 0xB2 },
    { Qt::Key_MediaPlay, 0xB3 },
    { Qt::Key_MediaTogglePlayPause, 0xB3 },
    { Qt::Key_LaunchMail, 0xB4 },
    { Qt::Key_LaunchMedia, 0xB5 },
    { Qt::Key_Launch0, 0xB6 },
    { Qt::Key_Launch1, 0xB7 },
    { Qt::Key_Play, 0xFA },
    { Qt::Key_Zoom, 0xFB },
};

// Keys of the numeric keypad while Num Lock gives digits; with Num Lock off its keys report
// the navigation keys and take their codes.
constexpr TKeyPair KeypadKeys[] = {
    { Qt::Key_Asterisk, 0x6A },
    { Qt::Key_Plus, 0x6B },
    { Qt::Key_Minus, 0x6D },
    { Qt::Key_Period, 0x6E },
    { Qt::Key_Comma, 0x6E }, // the decimal key of layouts that write a decimal comma
    { Qt::Key_Slash, 0x6F },
};

// The main block by XKB key code (evdev code + 8), named as on a US keyboard.
constexpr TKeyPair Positions[] = {
    { 49, 0xC0 }, // ` ~
    { 10, 0x31 }, { 11, 0x32 }, { 12, 0x33 }, { 13, 0x34 }, { 14, 0x35 }, { 15, 0x36 },
    { 16, 0x37 }, { 17, 0x38 }, { 18, 0x39 }, { 19, 0x30 },
    { 20, 0xBD }, // - _
    { 21, 0xBB }, // = +
    { 24, 'Q' }, { 25, 'W' }, { 26, 'E' }, { 27, 'R' }, { 28, 'T' }, { 29, 'Y' }, { 30, 'U' },
    { 31, 'I' }, { 32, 'O' }, { 33, 'P' },
    { 34, 0xDB }, // [ {
    { 35, 0xDD }, // ] }
    { 38, 'A' }, { 39, 'S' }, { 40, 'D' }, { 41, 'F' }, { 42, 'G' }, { 43, 'H' }, { 44, 'J' },
    { 45, 'K' }, { 46, 'L' },
    { 47, 0xBA }, // ; :
    { 48, 0xDE }, // ' "
    { 51, 0xDC }, // \ |
    { 52, 'Z' }, { 53, 'X' }, { 54, 'C' }, { 55, 'V' }, { 56, 'B' }, { 57, 'N' }, { 58, 'M' },
    { 59, 0xBC }, // , <
    { 60, 0xBE }, // . >
    { 61, 0xBF }, // / ?
    { 94, 0xE2 }, // the extra key beside the left Shift of European keyboards
    { 97, 0xE2 }, // Japanese Ro
    { 132, 0xDC }, // Japanese Yen
};

// Without a position (synthetic events, platforms without XKB key codes) the marks of a US
// keyboard tell the key, shifted marks their unshifted key.
constexpr TKeyPair UsMarks[] = {
    { Qt::Key_Exclam, 0x31 }, { Qt::Key_At, 0x32 }, { Qt::Key_NumberSign, 0x33 },
    { Qt::Key_Dollar, 0x34 }, { Qt::Key_Percent, 0x35 }, { Qt::Key_AsciiCircum, 0x36 },
    { Qt::Key_Ampersand, 0x37 }, { Qt::Key_Asterisk, 0x38 }, { Qt::Key_ParenLeft, 0x39 },
    { Qt::Key_ParenRight, 0x30 },
    { Qt::Key_QuoteLeft, 0xC0 }, { Qt::Key_AsciiTilde, 0xC0 },
    { Qt::Key_Minus, 0xBD }, { Qt::Key_Underscore, 0xBD },
    { Qt::Key_Equal, 0xBB }, { Qt::Key_Plus, 0xBB },
    { Qt::Key_BracketLeft, 0xDB }, { Qt::Key_BraceLeft, 0xDB },
    { Qt::Key_BracketRight, 0xDD }, { Qt::Key_BraceRight, 0xDD },
    { Qt::Key_Semicolon, 0xBA }, { Qt::Key_Colon, 0xBA },
    { Qt::Key_Apostrophe, 0xDE }, { Qt::Key_QuoteDbl, 0xDE },
    { Qt::Key_Backslash, 0xDC }, { Qt::Key_Bar, 0xDC },
    { Qt::Key_Comma, 0xBC }, { Qt::Key_Less, 0xBC },
    { Qt::Key_Period, 0xBE }, { Qt::Key_Greater, 0xBE },
    { Qt::Key_Slash, 0xBF }, { Qt::Key_Question, 0xBF },
};

template <size_t N> uint16_t Find(const TKeyPair (&table)[N], int from)
{
    for (const TKeyPair& pair : table)
        if (pair.From == from)
            return pair.To;
    return 0;
}

} // namespace

uint16_t VirtualKeyCode(int QtKey, Qt::KeyboardModifiers Modifiers, quint32 XkbKeyCode)
{
    if (Modifiers & Qt::KeypadModifier) {
        if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
            return uint16_t(0x60 + (QtKey - Qt::Key_0));
        if (const uint16_t code = Find(KeypadKeys, QtKey))
            return code;
    }
    if ((QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) || (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9))
        return uint16_t(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return uint16_t(0x70 + (QtKey - Qt::Key_F1));
    if (const uint16_t code = Find(FixedKeys, QtKey))
        return code;
    if (XkbKeyCode != 0 && XkbKeyCode <= 0xFFFF) {
        if (const uint16_t code = Find(Positions, int(XkbKeyCode))) {
            // A letter of another script takes the letter of its position; a mark that a
            // layout puts where US keyboards have a letter (the comma of French keyboards)
            // is named after the key that carries it on a US keyboard.
            const bool letterPosition = code >= 'A' && code <= 'Z';
            const bool letter = QtKey > 0 && QtKey <= 0x10FFFF && QChar::isLetter(char32_t(QtKey));
            if (letterPosition && !letter) {
                if (const uint16_t mark = Find(UsMarks, QtKey))
                    return mark;
            }
            return code;
        }
    }
    return Find(UsMarks, QtKey);
}

uint16_t VirtualKeyFromEvent(const QKeyEvent& Event)
{
    const QString platform = QGuiApplication::platformName();
    const bool xkb = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    return VirtualKeyCode(Event.key(), Event.modifiers(), xkb ? Event.nativeScanCode() : 0);
}
