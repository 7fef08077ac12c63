// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/icon.h"

#include "platform/system/exception.h"

#include <string>
#include <tuple>

namespace {

const TGraphicClassInfo IconClass { "TIcon", [] { return std::unique_ptr<TGraphic>(new TIcon); } };

constexpr size_t DirectoryHeaderSize = 6;
constexpr size_t DirectoryEntrySize = 16;

[[noreturn]] void Fail(const std::string& what)
{
    throw EInvalidGraphic("Invalid ICO picture: " + what);
}

uint32_t Read(std::span<const uint8_t> data, size_t offset, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[offset + size_t(i)];
    return value;
}

} // namespace

TIcon::TIcon()
    : TAlphaGraphic("ico")
{
}

TGraphicClass TIcon::Class() { return &IconClass; }

std::unique_ptr<TGraphic> TIcon::Clone() const
{
    auto copy = std::make_unique<TIcon>();
    CopyTo(*copy);
    return copy;
}

int TIcon::ChooseImage(std::span<const uint8_t> data) const
{
    if (data.empty())
        Fail("the file is empty");
    if (data.size() < DirectoryHeaderSize)
        Fail("the header is truncated");
    const uint32_t type = Read(data, 2, 2);
    if (Read(data, 0, 2) != 0 || (type != 1 && type != 2))
        Fail("no icon or cursor signature");
    const size_t count = Read(data, 4, 2);
    if (count == 0)
        Fail("the file holds no image");
    const size_t directoryEnd = DirectoryHeaderSize + count * DirectoryEntrySize;
    if (directoryEnd > data.size())
        Fail("the directory is truncated");

    int best = -1;
    std::tuple<uint32_t, uint32_t> bestRank {};
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = DirectoryHeaderSize + i * DirectoryEntrySize;
        const uint32_t width = data[entry] ? data[entry] : 256;
        const uint32_t height = data[entry + 1] ? data[entry + 1] : 256;
        const uint32_t bitCount = Read(data, entry + 6, 2);
        const uint64_t bytes = Read(data, entry + 8, 4);
        const uint64_t offset = Read(data, entry + 12, 4);
        if (bytes == 0 || offset < directoryEnd || offset + bytes > data.size())
            Fail("the data of image " + std::to_string(i) + " lies outside the file");
        const std::tuple<uint32_t, uint32_t> rank { width * height, bitCount };
        if (best < 0 || rank > bestRank) {
            best = int(i);
            bestRank = rank;
        }
    }
    return best;
}
