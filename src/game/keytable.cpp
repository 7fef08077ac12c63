// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/keytable.h"

#include <array>
#include <string_view>

namespace {

struct TKeyRun {
    uint8_t First;
    std::initializer_list<const char*> Names;
};

// Runs of consecutive named codes; every code outside them is "!". The spellings are the ones
// content files already use, "VK_FINA", "VK_DECIMA" and "VK_EXSE" included.
constexpr std::array<const char*, 256> BuildNames()
{
    std::array<const char*, 256> names {};
    for (auto& name : names)
        name = KeyIgnored;
    const TKeyRun runs[] = {
        { 0x01, { "VK_LBUTTON", "VK_RBUTTON", "VK_CANCEL", "VK_MBUTTON" } },
        { 0x08, { "VK_BACK", "VK_TAB" } },
        { 0x0C, { "VK_CLEAR", "VK_RETURN" } },
        { 0x10, { "VK_SHIFT", "VK_CONTROL", "VK_MENU", "VK_PAUSE", "VK_CAPITAL", "VK_HANGU" } },
        { 0x17, { "VK_JUNJA", "VK_FINA", "VK_KANJI" } },
        { 0x1B, { "VK_ESCAPE", "VK_CONVERT", "VK_NONCONVERT", "VK_ACCEPT", "VK_MODECHANGE" } },
        { 0x20,
            { "VK_SPACE", "VK_PRIOR", "VK_NEXT", "VK_END", "VK_HOME", "VK_LEFT", "VK_UP",
                "VK_RIGHT", "VK_DOWN", "VK_SELECT", "VK_PRINT", "VK_EXECUTE", "VK_SNAPSHOT",
                "VK_INSERT", "VK_DELETE", "VK_HELP" } },
        { 0x30, { "VK_0", "VK_1", "VK_2", "VK_3", "VK_4", "VK_5", "VK_6", "VK_7", "VK_8", "VK_9" } },
        { 0x41,
            { "VK_A", "VK_B", "VK_C", "VK_D", "VK_E", "VK_F", "VK_G", "VK_H", "VK_I", "VK_J",
                "VK_K", "VK_L", "VK_M", "VK_N", "VK_O", "VK_P", "VK_Q", "VK_R", "VK_S", "VK_T",
                "VK_U", "VK_V", "VK_W", "VK_X", "VK_Y", "VK_Z" } },
        { 0x5B, { "VK_LWIN", "VK_RWIN", "VK_APPS" } },
        { 0x60,
            { "VK_NUMPAD0", "VK_NUMPAD1", "VK_NUMPAD2", "VK_NUMPAD3", "VK_NUMPAD4", "VK_NUMPAD5",
                "VK_NUMPAD6", "VK_NUMPAD7", "VK_NUMPAD8", "VK_NUMPAD9" } },
        { 0x6A,
            { "VK_MULTIPLY", "VK_ADD", "VK_SEPARATOR", "VK_SUBTRACT", "VK_DECIMA",
                "VK_DIVIDE" } },
        { 0x70,
            { "VK_F1", "VK_F2", "VK_F3", "VK_F4", "VK_F5", "VK_F6", "VK_F7", "VK_F8", "VK_F9",
                "VK_F10", "VK_F11", "VK_F12", "VK_F13", "VK_F14", "VK_F15", "VK_F16", "VK_F17",
                "VK_F18", "VK_F19", "VK_F20", "VK_F21", "VK_F22", "VK_F23", "VK_F24" } },
        { 0x90, { "VK_OEM_NUMBER", "VK_OEM_SCROLL", "VK_OEM_SHIFT" } },
        { 0xA0,
            { "VK_LSHIFT", "VK_RSHIFT", "VK_LCONTROL", "VK_RCONTROL", "VK_LMENU", "VK_RMENU" } },
        { 0xB9,
            { "VK_OEM_0", "VK_OEM_1", "VK_OEM_PLUS", "VK_OEM_COMMA", "VK_OEM_MINUS",
                "VK_OEM_PERIOD", "VK_OEM_2", "VK_OEM_3" } },
        { 0xDB,
            { "VK_OEM_4", "VK_OEM_5", "VK_OEM_6", "VK_OEM_7", "VK_OEM_8", "VK_OEM_9", "VK_OEM_AX",
                "VK_OEM_BSLASH" } },
        { 0xE5, { "VK_PROCESSKEY" } },
        { 0xF6,
            { "VK_ATTN", "VK_CRSEL", "VK_EXSE", "VK_EREOF", "VK_PLAY", "VK_ZOOM", "VK_NONAME",
                "VK_PA1", "VK_OEM_CLEAR" } },
    };
    for (const TKeyRun& run : runs) {
        int code = run.First;
        for (const char* name : run.Names)
            names[size_t(code++)] = name;
    }
    return names;
}

constexpr std::array<TKeyNameField, 256> BuildFields()
{
    std::array<TKeyNameField, 256> fields {};
    const std::array<const char*, 256> names = BuildNames();
    for (size_t code = 0; code < 256; ++code) {
        const std::string_view name = names[code];
        if (name.size() >= KeyNameFieldSize)
            throw "a key name longer than its field"; // stops the compilation
        for (size_t i = 0; i < name.size(); ++i)
            fields[code][i] = name[i];
    }
    return fields;
}

} // namespace

// Fixed fields computed at compile time: plain read-only data, as the table always was.
constexpr std::array<TKeyNameField, 256> KeyNameTable = BuildFields();

const char* GetKeySectionName(uint8_t Code) { return KeyNameTable[Code].data(); }

const char* ShiftedPunctuationName(uint8_t Code)
{
    // Each name goes with the key that carries its mark on a US keyboard, whatever that key
    // produces with Shift: the apostrophe key is "SINGLEQUOTE", the slash key "SLASH".
    switch (Code) {
    case 0xBA: return "SEMICOLON"; // ; :
    case 0xBB: return "EQUAL"; // = +
    case 0xBC: return "COMMA"; // , <
    case 0xBD: return "MINUS"; // - _
    case 0xBE: return "POINT"; // . >
    case 0xBF: return "SLASH"; // / ?
    case 0xDB: return "LBRACE"; // [ {
    case 0xDC: return "BACKSLASH"; // \ |
    case 0xDD: return "RBRACE"; // ] }
    case 0xDE: return "SINGLEQUOTE"; // ' "
    default: return nullptr;
    }
}

std::string KeyPressSectionName(uint16_t Key, TShiftState Shift)
{
    const uint8_t code = uint8_t(Key & 0xFF);
    if (Shift & ssShift) {
        if (code >= 0x30 && code <= 0x39)
            return std::string("SHIFT_") + char(code);
        if (const char* mark = ShiftedPunctuationName(code))
            return std::string("SHIFT_") + mark;
    }
    return GetKeySectionName(code);
}
