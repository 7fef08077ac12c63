// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What one key press shows and plays: four values of the key content file "TapsyV.ini" in the
// system directory, as the file is at every press, and the files they name in "TapsyData".
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The buffer each value is read into; values keep at most 254 characters.
constexpr int KeyContentValueSize = 255;

// The section whose picture and sound serve every key that names none.
inline constexpr char OtherKeySection[] = "Other_Key";

struct TKeyContent {
    std::string Display; // "Display": the key's name in large letters
    std::string Desc; // "Desc": the description beside it
    std::string Picture; // "Picture": a file in the data folder, or empty
    std::string Music; // "Music": a file in the data folder, or empty
};

// The key content file of a system directory (found whatever its letter case).
std::filesystem::path KeyContentFilePath(const std::filesystem::path& SystemDir);

// "Display", "Desc", "Picture" and "Music" of Section in the file, read once; an empty
// "Picture" or "Music" takes the value of "Other_Key". A missing file, section or key reads as
// empty. "Display" and "Desc" never fall back. The file's text is kept while the file stays
// unchanged, so every press sees the file as it is now without reading an unchanged one again;
// a FIFO, a device or a file that does not answer within a few seconds reads as missing.
TKeyContent ReadKeyContent(const std::filesystem::path& ContentFile, std::string_view Section);

// The file a "Picture" or "Music" value names in the data folder "TapsyData" of the system
// directory: backslashes in the value separate folders, and a file whose name differs only in
// letter case is found, as content written for Windows expects.
std::filesystem::path KeyDataFilePath(
    const std::filesystem::path& SystemDir, std::string_view FileName);

// The caption of a key's name: its "Display" text, or the one character whose code is the low
// byte of the key code when the text is empty (the byte read as Latin-1).
QString KeyNameCaption(const std::string& Display, uint16_t Key);
