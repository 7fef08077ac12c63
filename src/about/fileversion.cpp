// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "about/fileversion.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr uint32_t SHT_NOTE = 7;
constexpr uint32_t PT_NOTE = 4;
// No note area of ours comes near this; a bigger one is a damaged or hostile file. The total
// keeps a file with thousands of note sections over the same bytes from taking long.
constexpr uint64_t MaxNoteArea = 1 << 20;
constexpr uint64_t MaxNoteBytesScanned = 16 << 20;

class TElfReader {
public:
    TElfReader(const TReadAt& Read, bool Is64, bool BigEndian)
        : m_read(Read)
        , m_is64(Is64)
        , m_bigEndian(BigEndian)
    {
    }

    bool Is64() const { return m_is64; }

    bool Bytes(uint64_t Offset, void* Buffer, size_t Size) const
    {
        return m_read(Offset, Buffer, Size);
    }

    uint64_t Unsigned(const uint8_t* Data, size_t Size) const
    {
        uint64_t value = 0;
        for (size_t i = 0; i < Size; ++i) {
            const size_t index = m_bigEndian ? i : Size - 1 - i;
            value = (value << 8) | Data[index];
        }
        return value;
    }

    // A natural-size word (4 bytes in 32-bit files, 8 in 64-bit ones).
    uint64_t Word(const uint8_t* Data) const { return Unsigned(Data, m_is64 ? 8 : 4); }

private:
    const TReadAt& m_read;
    bool m_is64;
    bool m_bigEndian;
};

uint64_t AlignUp(uint64_t Value, uint64_t Alignment)
{
    return (Value + Alignment - 1) / Alignment * Alignment;
}

std::optional<std::string> ScanNotes(
    const TElfReader& Elf, uint64_t Offset, uint64_t Size, uint64_t Alignment, uint64_t& Budget)
{
    if (Size == 0 || Size > MaxNoteArea || Size > Budget)
        return std::nullopt;
    Budget -= Size;
    std::vector<uint8_t> area(Size);
    if (!Elf.Bytes(Offset, area.data(), area.size()))
        return std::nullopt;
    // Notes are padded to 4 bytes, or to 8 in areas aligned to 8.
    const uint64_t align = Alignment == 8 ? 8 : 4;
    uint64_t pos = 0;
    while (pos + 12 <= Size) {
        const uint64_t nameSize = Elf.Unsigned(&area[pos], 4);
        const uint64_t descSize = Elf.Unsigned(&area[pos + 4], 4);
        const uint64_t type = Elf.Unsigned(&area[pos + 8], 4);
        const uint64_t nameAt = pos + 12;
        // The description starts at the first aligned offset after the name, counted from the
        // note's start (the 12-byte header included), as the linker lays 8-aligned notes out.
        const uint64_t descAt = pos + AlignUp(12 + nameSize, align);
        const uint64_t next = pos + AlignUp(descAt - pos + descSize, align);
        if (nameAt + nameSize > Size || descAt + descSize > Size)
            return std::nullopt;
        if (type == PackageNoteType && nameSize == 4 && std::memcmp(&area[nameAt], "FDO", 4) == 0) {
            std::string json(reinterpret_cast<const char*>(&area[descAt]), size_t(descSize));
            while (!json.empty() && json.back() == '\0')
                json.pop_back();
            return json;
        }
        pos = next;
    }
    return std::nullopt;
}

std::optional<std::string> FromSections(
    const TElfReader& Elf, const uint8_t* Header, uint64_t& Budget)
{
    const bool is64 = Elf.Is64();
    const uint64_t tableAt = Elf.Word(Header + (is64 ? 40 : 32));
    const uint64_t entrySize = Elf.Unsigned(Header + (is64 ? 58 : 46), 2);
    const uint64_t count = Elf.Unsigned(Header + (is64 ? 60 : 48), 2);
    const uint64_t minEntry = is64 ? 64 : 40;
    if (tableAt == 0 || count == 0 || entrySize < minEntry
        || tableAt > UINT64_MAX - count * entrySize)
        return std::nullopt;
    for (uint64_t i = 0; i < count; ++i) {
        uint8_t section[64];
        if (!Elf.Bytes(tableAt + i * entrySize, section, size_t(minEntry)))
            return std::nullopt;
        if (Elf.Unsigned(section + 4, 4) != SHT_NOTE)
            continue;
        const uint64_t offset = Elf.Word(section + (is64 ? 24 : 16));
        const uint64_t size = Elf.Word(section + (is64 ? 32 : 20));
        const uint64_t alignment = Elf.Word(section + (is64 ? 48 : 32));
        if (auto json = ScanNotes(Elf, offset, size, alignment, Budget))
            return json;
    }
    return std::nullopt;
}

std::optional<std::string> FromSegments(
    const TElfReader& Elf, const uint8_t* Header, uint64_t& Budget)
{
    const bool is64 = Elf.Is64();
    const uint64_t tableAt = Elf.Word(Header + (is64 ? 32 : 28));
    const uint64_t entrySize = Elf.Unsigned(Header + (is64 ? 54 : 42), 2);
    const uint64_t count = Elf.Unsigned(Header + (is64 ? 56 : 44), 2);
    const uint64_t minEntry = is64 ? 56 : 32;
    if (tableAt == 0 || count == 0 || entrySize < minEntry
        || tableAt > UINT64_MAX - count * entrySize)
        return std::nullopt;
    for (uint64_t i = 0; i < count; ++i) {
        uint8_t segment[56];
        if (!Elf.Bytes(tableAt + i * entrySize, segment, size_t(minEntry)))
            return std::nullopt;
        if (Elf.Unsigned(segment, 4) != PT_NOTE)
            continue;
        const uint64_t offset = Elf.Word(segment + (is64 ? 8 : 4));
        const uint64_t size = Elf.Word(segment + (is64 ? 32 : 16));
        const uint64_t alignment = Elf.Word(segment + (is64 ? 48 : 28));
        if (auto json = ScanNotes(Elf, offset, size, alignment, Budget))
            return json;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> FindPackageNote(const TReadAt& Read)
{
    uint8_t header[64] = {};
    if (!Read(0, header, 52))
        return std::nullopt;
    static constexpr uint8_t ElfMagic[4] = { 0x7f, 'E', 'L', 'F' };
    if (std::memcmp(header, ElfMagic, 4) != 0)
        return std::nullopt;
    const uint8_t elfClass = header[4];
    const uint8_t data = header[5];
    if ((elfClass != 1 && elfClass != 2) || (data != 1 && data != 2) || header[6] != 1)
        return std::nullopt;
    const bool is64 = elfClass == 2;
    if (is64 && !Read(0, header, 64))
        return std::nullopt;
    const TElfReader elf(Read, is64, data == 2);
    uint64_t budget = MaxNoteBytesScanned;
    if (auto json = FromSections(elf, header, budget))
        return json;
    return FromSegments(elf, header, budget);
}

QString PackageNoteVersion(const std::string& Json)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(Json), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QString version = document.object().value(QStringLiteral("version")).toString();
    if (version.size() > 64)
        return {};
    for (const QChar ch : version) {
        if (!ch.isPrint())
            return {};
    }
    return version;
}

QString GetFileVersionString(const QString& Path)
{
    std::ifstream file(QFile::encodeName(Path).toStdString(), std::ios::binary);
    if (!file)
        return {};
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end <= 0)
        return {};
    const uint64_t fileSize = uint64_t(end);
    const TReadAt read = [&file, fileSize](uint64_t Offset, void* Buffer, size_t Size) {
        if (Offset > fileSize || Size > fileSize - Offset)
            return false;
        file.clear();
        file.seekg(std::streamoff(Offset));
        file.read(static_cast<char*>(Buffer), std::streamsize(Size));
        return bool(file) && file.gcount() == std::streamsize(Size);
    };
    const std::optional<std::string> json = FindPackageNote(read);
    return json ? PackageNoteVersion(*json) : QString();
}
