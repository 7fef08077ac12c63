// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Reading private-profile (INI) files the way Windows reads them, so content written for it
// reads the same here:
// - section and key names match without regard to letter case, blanks around them ignored;
// - of sections with the same name only the first is searched, of keys the first wins;
// - a value loses the blanks around it and one pair of matching quotes (" or ');
// - a line that starts with ';' is a comment; a ';' inside a value is part of it;
// - lines end in LF, CR LF or CR and may be of any length;
// - UTF-8 with or without a byte-order mark; UTF-16 with its byte-order mark is converted;
// - a value (or the default) is cut to Size - 1 characters, as a buffer of Size would hold it.
// Nothing is cached: every call reads the file anew.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The value of KeyName in section AppName of the file FileName, in UTF-8, or Default (without
// its trailing blanks) when the file, the section or the key is missing. Size is the size of
// the caller's buffer including its terminating zero; Size 0 gives the empty string.
std::string GetPrivateProfileString(std::string_view AppName, std::string_view KeyName,
    std::string_view Default, int Size, const std::filesystem::path& FileName);

// The same lookup in the text of a file already read.
std::string ProfileStringFromText(std::string_view Text, std::string_view AppName,
    std::string_view KeyName, std::string_view Default, int Size);

// The whole text of a profile file as UTF-8 (byte-order mark removed, UTF-16 converted), or
// the empty string when it is missing, unreadable or not a regular file.
std::string ReadProfileText(const std::filesystem::path& FileName);

// The bytes of a profile file as UTF-8 text: a UTF-8 byte-order mark removed, UTF-16 with its
// byte-order mark converted, anything else as it is.
std::string DecodeProfileText(std::string Bytes);

// The text cut to at most Count characters (UTF-8 sequences stay whole; a byte that starts no
// valid sequence counts as one character) and at its first zero byte.
std::string CutToCharacters(std::string_view Text, int Count);
