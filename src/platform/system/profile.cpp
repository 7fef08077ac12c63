// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/profile.h"

#include "platform/system/exception.h"
#include "platform/system/regularfile.h"
#include "platform/system/sametext.h"

#include <cstdint>
#include <vector>

namespace {

// Far beyond any real profile; a larger file is read as missing rather than filling memory.
constexpr size_t MaxProfileBytes = size_t(1) << 30;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return char16_t(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    };
    const size_t count = bytes.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const char16_t u = unit(2 * i);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < count) {
            const char16_t low = unit(2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? char32_t(0xFFFD) : char32_t(u));
    }
    return out;
}

// Length of the UTF-8 sequence that starts at s[i], or 1 for a byte that starts none.
size_t SequenceLength(std::string_view s, size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (length == 1 || i + length > s.size())
        return 1;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    return length;
}

} // namespace

std::string CutToCharacters(std::string_view Text, int Count)
{
    Text = Text.substr(0, Text.find('\0'));
    size_t end = 0;
    for (int n = 0; n < Count && end < Text.size(); ++n)
        end += SequenceLength(Text, end);
    return std::string(Text.substr(0, end));
}

std::string ProfileStringFromText(std::string_view Text, std::string_view AppName,
    std::string_view KeyName, std::string_view Default, int Size)
{
    const int keep = Size > 0 ? Size - 1 : 0;
    AppName = Trimmed(AppName);
    KeyName = Trimmed(KeyName);

    bool inSection = false;
    size_t pos = 0;
    while (pos < Text.size()) {
        size_t end = Text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = Text.size();
        const std::string_view line = Trimmed(Text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            // Only the first section of a name counts: the next header ends the search.
            if (inSection)
                break;
            const size_t close = line.find(']');
            const std::string_view name
                = Trimmed(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            inSection = SameText(name, AppName);
            continue;
        }
        if (!inSection)
            continue;
        const size_t equal = line.find('=');
        const std::string_view key = Trimmed(line.substr(0, equal));
        if (!SameText(key, KeyName))
            continue;
        if (equal == std::string_view::npos)
            return std::string();
        return CutToCharacters(Unquoted(Trimmed(line.substr(equal + 1))), keep);
    }
    std::string_view fallback = Default;
    while (!fallback.empty() && IsBlank(fallback.back()))
        fallback.remove_suffix(1);
    return CutToCharacters(fallback, keep);
}

std::string ReadProfileText(const std::filesystem::path& FileName)
{
    // A FIFO, a device or a stuck disk must not hang the caller: only plain files are read, and
    // only for a bounded time.
    try {
        const std::vector<uint8_t> bytes = ReadRegularFile(FileName.string(), MaxProfileBytes);
        return DecodeProfileText(std::string(bytes.begin(), bytes.end()));
    } catch (const Exception&) {
        return std::string();
    }
}

std::string DecodeProfileText(std::string Bytes)
{
    const std::string_view view = Bytes;
    if (view.starts_with("\xEF\xBB\xBF"))
        return Bytes.substr(3);
    if (view.starts_with("\xFF\xFE"))
        return Utf16ToUtf8(view.substr(2), false);
    if (view.starts_with("\xFE\xFF"))
        return Utf16ToUtf8(view.substr(2), true);
    return Bytes;
}

std::string GetPrivateProfileString(std::string_view AppName, std::string_view KeyName,
    std::string_view Default, int Size, const std::filesystem::path& FileName)
{
    return ProfileStringFromText(ReadProfileText(FileName), AppName, KeyName, Default, Size);
}
