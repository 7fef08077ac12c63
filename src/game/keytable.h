// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The names of the keys as content authors write them in section headers of the key content
// file, and the rule that turns one key press into its section name.
#pragma once

#include "platform/system/shiftstate.h"

#include <array>
#include <cstdint>
#include <string>

// One field of the table: a zero-terminated name of at most 19 characters.
constexpr int KeyNameFieldSize = 20;

// The marker of a key that the game ignores.
inline constexpr char KeyIgnored[] = "!";

// The section names of the 256 virtual-key codes; "!" for a key the game ignores.
using TKeyNameField = std::array<char, KeyNameFieldSize>;
extern const std::array<TKeyNameField, 256> KeyNameTable;

// The table entry of the low 8 bits of a virtual-key code. Every byte value has one; the text
// lives as long as the program.
const char* GetKeySectionName(uint8_t Code);

// The section under which a key press finds its content, or "!" when the game ignores it.
// Shift (Ctrl and Alt are not consulted) gives a digit key of the main block "SHIFT_" and its
// digit and a punctuation key "SHIFT_" and the name of its mark; every other key keeps its
// table entry. Key is looked up by its low 8 bits.
std::string KeyPressSectionName(uint16_t Key, TShiftState Shift);

// The name of the mark of a punctuation key pressed with Shift ("SINGLEQUOTE" for the
// apostrophe key, 0xDE), or null for any other low byte of a key code.
const char* ShiftedPunctuationName(uint8_t Code);
