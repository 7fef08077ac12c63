// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The INI reader on any bytes: whatever it answers is the default or a piece of the text, never
// longer than the buffer allows and never with a zero byte in it.
#include "platform/system/profile.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeProfileText(bytes);

    // Names from the input itself, so that found sections and keys are reached too.
    const std::string_view view = text;
    const size_t firstEnd = std::min(view.find('\n'), view.size());
    const std::string_view firstLine = view.substr(0, firstEnd);
    const size_t equal = firstLine.find('=');
    const std::string_view section = firstLine.substr(0, std::min(equal, size_t(16)));
    const std::string_view key = equal == firstLine.npos ? "K" : firstLine.substr(equal + 1, 16);

    constexpr std::string_view fallback = "fallback";
    for (const int bufferSize : { 0, 1, 7, 255 }) {
        for (const auto& [s, k] : { std::pair<std::string_view, std::string_view> { section, key },
                 { "S", "K" }, { "VK_A", "Display" } }) {
            const std::string value = ProfileStringFromText(text, s, k, fallback, bufferSize);
            Require(value.find('\0') == std::string::npos);
            // Within the buffer: cutting it to the buffer again changes nothing.
            Require(CutToCharacters(value, bufferSize > 0 ? bufferSize - 1 : 0) == value);
            Require(value == CutToCharacters(fallback, bufferSize - 1)
                || text.find(value) != std::string::npos);
        }
    }
    return 0;
}
