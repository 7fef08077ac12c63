// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The game works on Windows virtual-key codes. Letters and digits follow the keyboard layout;
// every other key is named by its position on a US keyboard, so the key right of L is
// VK_OEM_1 (0xBA) whatever mark the layout prints on it. A shifted digit or punctuation key
// keeps the code of its unshifted key (Shift+1 is VK_1 with Shift in the shift state), and the
// numeric keypad has its own codes.
#pragma once

#include <Qt>
#include <QtGlobal>
#include <cstdint>

class QKeyEvent;

// The virtual-key code of a key from what Qt reports of it: its Qt key, its modifiers (only
// Qt::KeypadModifier is consulted) and the X11/XKB key code (evdev code + 8) of its position,
// or 0 when the platform gives none. 0 when the key has no virtual-key code.
uint16_t VirtualKeyCode(int QtKey, Qt::KeyboardModifiers Modifiers, quint32 XkbKeyCode);

// The virtual-key code of a key event. The native scan code counts as a position only on the
// platforms whose scan codes are XKB key codes (X11 and Wayland).
uint16_t VirtualKeyFromEvent(const QKeyEvent& Event);
