// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/keytable.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Entry(int code) { return GetKeySectionName(uint8_t(code)); }

TEST(KeyTable, Has152NamesAnd104IgnoredKeysInZeroTerminatedFields)
{
    ASSERT_EQ(KeyNameTable.size(), 256u);
    int ignored = 0;
    for (int code = 0; code < 256; ++code) {
        const TKeyNameField& field = KeyNameTable[size_t(code)];
        const std::string name(field.data());
        EXPECT_LE(name.size(), 19u) << code;
        EXPECT_FALSE(name.empty()) << code;
        for (size_t i = name.size(); i < field.size(); ++i)
            EXPECT_EQ(field[i], '\0') << "code " << code << " byte " << i;
        EXPECT_EQ(GetKeySectionName(uint8_t(code)), field.data());
        if (name == "!")
            ++ignored;
        else
            EXPECT_EQ(name.rfind("VK_", 0), 0u) << name;
    }
    EXPECT_EQ(ignored, 104);
}

TEST(KeyTable, NamesMatchLetterForLetter)
{
    // Every irregular entry and the ends of every run, written out as authors spell them.
    const struct {
        int Code;
        const char* Name;
    } cases[] = {
        { 0x00, "!" }, { 0x01, "VK_LBUTTON" }, { 0x04, "VK_MBUTTON" }, { 0x05, "!" },
        { 0x07, "!" }, { 0x08, "VK_BACK" }, { 0x09, "VK_TAB" }, { 0x0A, "!" }, { 0x0B, "!" },
        { 0x0C, "VK_CLEAR" }, { 0x0D, "VK_RETURN" }, { 0x0E, "!" }, { 0x10, "VK_SHIFT" },
        { 0x11, "VK_CONTROL" }, { 0x12, "VK_MENU" }, { 0x13, "VK_PAUSE" },
        { 0x14, "VK_CAPITAL" }, { 0x15, "VK_HANGU" }, { 0x16, "!" }, { 0x17, "VK_JUNJA" },
        { 0x18, "VK_FINA" }, { 0x19, "VK_KANJI" }, { 0x1A, "!" }, { 0x1B, "VK_ESCAPE" },
        { 0x1C, "VK_CONVERT" }, { 0x1D, "VK_NONCONVERT" }, { 0x1E, "VK_ACCEPT" },
        { 0x1F, "VK_MODECHANGE" }, { 0x20, "VK_SPACE" }, { 0x21, "VK_PRIOR" },
        { 0x22, "VK_NEXT" }, { 0x23, "VK_END" }, { 0x24, "VK_HOME" }, { 0x25, "VK_LEFT" },
        { 0x26, "VK_UP" }, { 0x27, "VK_RIGHT" }, { 0x28, "VK_DOWN" }, { 0x29, "VK_SELECT" },
        { 0x2A, "VK_PRINT" }, { 0x2B, "VK_EXECUTE" }, { 0x2C, "VK_SNAPSHOT" },
        { 0x2D, "VK_INSERT" }, { 0x2E, "VK_DELETE" }, { 0x2F, "VK_HELP" }, { 0x3A, "!" },
        { 0x40, "!" }, { 0x5B, "VK_LWIN" }, { 0x5C, "VK_RWIN" }, { 0x5D, "VK_APPS" },
        { 0x5E, "!" }, { 0x5F, "!" }, { 0x6A, "VK_MULTIPLY" }, { 0x6B, "VK_ADD" },
        { 0x6C, "VK_SEPARATOR" }, { 0x6D, "VK_SUBTRACT" }, { 0x6E, "VK_DECIMA" },
        { 0x6F, "VK_DIVIDE" }, { 0x88, "!" }, { 0x8F, "!" }, { 0x90, "VK_OEM_NUMBER" },
        { 0x91, "VK_OEM_SCROLL" }, { 0x92, "VK_OEM_SHIFT" }, { 0x93, "!" }, { 0x9F, "!" },
        { 0xA0, "VK_LSHIFT" }, { 0xA1, "VK_RSHIFT" }, { 0xA2, "VK_LCONTROL" },
        { 0xA3, "VK_RCONTROL" }, { 0xA4, "VK_LMENU" }, { 0xA5, "VK_RMENU" }, { 0xA6, "!" },
        { 0xB8, "!" }, { 0xB9, "VK_OEM_0" }, { 0xBA, "VK_OEM_1" }, { 0xBB, "VK_OEM_PLUS" },
        { 0xBC, "VK_OEM_COMMA" }, { 0xBD, "VK_OEM_MINUS" }, { 0xBE, "VK_OEM_PERIOD" },
        { 0xBF, "VK_OEM_2" }, { 0xC0, "VK_OEM_3" }, { 0xC1, "!" }, { 0xDA, "!" },
        { 0xDB, "VK_OEM_4" }, { 0xDC, "VK_OEM_5" }, { 0xDD, "VK_OEM_6" }, { 0xDE, "VK_OEM_7" },
        { 0xDF, "VK_OEM_8" }, { 0xE0, "VK_OEM_9" }, { 0xE1, "VK_OEM_AX" },
        { 0xE2, "VK_OEM_BSLASH" }, { 0xE3, "!" }, { 0xE4, "!" }, { 0xE5, "VK_PROCESSKEY" },
        { 0xE6, "!" }, { 0xF5, "!" }, { 0xF6, "VK_ATTN" }, { 0xF7, "VK_CRSEL" },
        { 0xF8, "VK_EXSE" }, { 0xF9, "VK_EREOF" }, { 0xFA, "VK_PLAY" }, { 0xFB, "VK_ZOOM" },
        { 0xFC, "VK_NONAME" }, { 0xFD, "VK_PA1" }, { 0xFE, "VK_OEM_CLEAR" }, { 0xFF, "!" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Entry(c.Code), c.Name) << std::hex << c.Code;
}

TEST(KeyTable, RunsOfDigitsLettersKeypadAndFunctionKeys)
{
    for (int code = 0x30; code <= 0x39; ++code)
        EXPECT_EQ(Entry(code), std::string("VK_") + char(code));
    for (int code = 0x41; code <= 0x5A; ++code)
        EXPECT_EQ(Entry(code), std::string("VK_") + char(code));
    for (int code = 0x60; code <= 0x69; ++code)
        EXPECT_EQ(Entry(code), "VK_NUMPAD" + std::to_string(code - 0x60));
    for (int code = 0x70; code <= 0x87; ++code)
        EXPECT_EQ(Entry(code), "VK_F" + std::to_string(code - 0x6F));
}

TEST(KeyPressSectionName, ShiftNamesDigitsAndPunctuationKeysOnly)
{
    const struct {
        uint16_t Key;
        TShiftState Shift;
        const char* Section;
    } cases[] = {
        { 0x37, 0, "VK_7" },
        { 0x37, ssShift, "SHIFT_7" },
        { 0x30, ssShift, "SHIFT_0" },
        { 0x39, ssShift | ssCtrl | ssAlt, "SHIFT_9" }, // Ctrl and Alt are not consulted
        { 0x35, ssCtrl, "VK_5" },
        { 0x41, ssShift, "VK_A" },
        { 0x70, ssShift, "VK_F1" },
        { 0x10, ssShift, "VK_SHIFT" }, // Shift itself
        { 0x63, ssShift, "VK_NUMPAD3" }, // keypad digits keep their names
        // Each mark goes with the key that carries it.
        { 0xDE, ssShift, "SHIFT_SINGLEQUOTE" },
        { 0xBC, ssShift, "SHIFT_COMMA" },
        { 0xBD, ssShift, "SHIFT_MINUS" },
        { 0xBE, ssShift, "SHIFT_POINT" },
        { 0xBF, ssShift, "SHIFT_SLASH" },
        { 0xDC, ssShift, "SHIFT_BACKSLASH" },
        { 0xBA, ssShift, "SHIFT_SEMICOLON" },
        { 0xBB, ssShift, "SHIFT_EQUAL" },
        { 0xDB, ssShift, "SHIFT_LBRACE" },
        { 0xDD, ssShift, "SHIFT_RBRACE" },
        { 0xDE, 0, "VK_OEM_7" },
        { 0xBF, ssCtrl | ssAlt, "VK_OEM_2" },
        // Keys whose codes equal the marks' character codes are no punctuation keys.
        { 0x27, ssShift, "VK_RIGHT" },
        { 0x2C, ssShift, "VK_SNAPSHOT" },
        { 0x2D, ssShift, "VK_INSERT" },
        { 0x2E, ssShift, "VK_DELETE" },
        { 0x2F, ssShift, "VK_HELP" },
        { 0x5B, ssShift, "VK_LWIN" },
        { 0x5D, ssShift, "VK_APPS" },
        { 0xC0, ssShift, "VK_OEM_3" }, // the backtick key has no shifted section
        { 0xE2, ssShift, "VK_OEM_BSLASH" },
        // Ignored keys stay ignored.
        { 0x00, 0, "!" },
        { 0x00, ssShift, "!" },
        { 0x5E, ssShift, "!" },
        { 0xFF, 0, "!" },
        { 0xFF, ssShift, "!" },
        // The low 8 bits name the key.
        { 0x141, 0, "VK_A" },
        { 0x1FF, 0, "!" },
        { 0x1135, ssShift, "SHIFT_5" },
        { 0xFFDE, ssShift, "SHIFT_SINGLEQUOTE" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyPressSectionName(c.Key, c.Shift), c.Section)
            << std::hex << "key " << c.Key << " shift " << int(c.Shift);
}

TEST(KeyPressSectionName, LongestShiftedNameFitsTheBuffer)
{
    size_t longest = 0;
    for (int code = 0; code < 256; ++code)
        longest = std::max(longest, KeyPressSectionName(uint16_t(code), ssShift).size());
    EXPECT_EQ(longest, 17u); // "SHIFT_SINGLEQUOTE"
}

} // namespace
