// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "about/fileversion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

struct TNote {
    std::string Owner;
    uint32_t Type;
    std::string Description;
};

const std::string VersionJson = R"({"type":"deb","name":"tapsy","version":"1.0.0"})";
const TNote PackageNote { "FDO", PackageNoteType, VersionJson };
const TNote BuildIdNote { "GNU", 3, std::string("\x12\x34\x56\x78\x9a\xbc\xde\xf0", 8) };

enum class TTables { Sections, Segments, Both };

// A small ELF file laid out by hand: header, one note area at 0x100, then the tables.
struct TElfLayout {
    bool Is64 = true;
    bool BigEndian = false;
    std::vector<TNote> Notes { PackageNote };
    TTables Tables = TTables::Sections;
    uint32_t NoteAlignment = 4;
};

class TElfWriter {
public:
    TElfWriter(const TElfLayout& Layout)
        : m_layout(Layout)
    {
    }

    void Put(TBytes& Out, size_t At, uint64_t Value, size_t Size) const
    {
        if (Out.size() < At + Size)
            Out.resize(At + Size);
        for (size_t i = 0; i < Size; ++i) {
            const uint8_t byte = uint8_t(Value >> (8 * i));
            Out[At + (m_layout.BigEndian ? Size - 1 - i : i)] = byte;
        }
    }
    void Word(TBytes& Out, size_t At, uint64_t Value) const
    {
        Put(Out, At, Value, m_layout.Is64 ? 8 : 4);
    }

    TBytes NoteArea() const
    {
        TBytes area;
        const auto pad = [&] {
            while (area.size() % m_layout.NoteAlignment)
                area.push_back(0);
        };
        for (const TNote& note : m_layout.Notes) {
            const size_t at = area.size();
            Put(area, at, note.Owner.size() + 1, 4);
            Put(area, at + 4, note.Description.size() + 1, 4);
            Put(area, at + 8, note.Type, 4);
            area.insert(area.end(), note.Owner.begin(), note.Owner.end());
            area.push_back(0);
            pad();
            area.insert(area.end(), note.Description.begin(), note.Description.end());
            area.push_back(0);
            pad();
        }
        return area;
    }

    TBytes Build() const
    {
        const bool is64 = m_layout.Is64;
        TBytes out(is64 ? 64 : 52, 0);
        out[0] = 0x7f, out[1] = 'E', out[2] = 'L', out[3] = 'F';
        out[4] = is64 ? 2 : 1;
        out[5] = m_layout.BigEndian ? 2 : 1;
        out[6] = 1;
        const TBytes area = NoteArea();
        const size_t areaAt = 0x100;
        out.resize(areaAt, 0);
        out.insert(out.end(), area.begin(), area.end());

        const size_t sectionEntry = is64 ? 64 : 40;
        const size_t segmentEntry = is64 ? 56 : 32;
        if (m_layout.Tables != TTables::Segments) {
            // A null section, a code section and the note section.
            const size_t tableAt = (out.size() + 7) / 8 * 8;
            out.resize(tableAt + 3 * sectionEntry, 0);
            const size_t code = tableAt + sectionEntry;
            Put(out, code + 4, 1, 4); // SHT_PROGBITS
            Word(out, code + (is64 ? 24 : 16), 0x40);
            Word(out, code + (is64 ? 32 : 20), 0x10);
            const size_t notes = tableAt + 2 * sectionEntry;
            Put(out, notes + 4, 7, 4); // SHT_NOTE
            Word(out, notes + (is64 ? 24 : 16), areaAt);
            Word(out, notes + (is64 ? 32 : 20), area.size());
            Word(out, notes + (is64 ? 48 : 32), m_layout.NoteAlignment);
            Word(out, is64 ? 40 : 32, tableAt);
            Put(out, is64 ? 58 : 46, sectionEntry, 2);
            Put(out, is64 ? 60 : 48, 3, 2);
        }
        if (m_layout.Tables != TTables::Sections) {
            const size_t tableAt = (out.size() + 7) / 8 * 8;
            out.resize(tableAt + 2 * segmentEntry, 0);
            Put(out, tableAt, 1, 4); // PT_LOAD
            const size_t notes = tableAt + segmentEntry;
            Put(out, notes, 4, 4); // PT_NOTE
            Word(out, notes + (is64 ? 8 : 4), areaAt);
            Word(out, notes + (is64 ? 32 : 16), area.size());
            Word(out, notes + (is64 ? 48 : 28), m_layout.NoteAlignment);
            Word(out, is64 ? 32 : 28, tableAt);
            Put(out, is64 ? 54 : 42, segmentEntry, 2);
            Put(out, is64 ? 56 : 44, 2, 2);
        }
        return out;
    }

private:
    TElfLayout m_layout;
};

std::optional<std::string> NoteOf(const TBytes& File)
{
    return FindPackageNote([&File](uint64_t Offset, void* Buffer, size_t Size) {
        if (Offset > File.size() || Size > File.size() - Offset)
            return false;
        std::memcpy(Buffer, File.data() + Offset, Size);
        return true;
    });
}

TEST(PackageNote, IsFoundInEveryKindOfElfFile)
{
    const struct {
        const char* What;
        TElfLayout Layout;
    } cases[] = {
        { "64-bit, little-endian, sections", {} },
        { "32-bit, little-endian", { .Is64 = false } },
        { "64-bit, big-endian", { .BigEndian = true } },
        { "32-bit, big-endian", { .Is64 = false, .BigEndian = true } },
        { "note segments only", { .Tables = TTables::Segments } },
        { "sections and segments", { .Tables = TTables::Both } },
        { "after another note", { .Notes = { BuildIdNote, PackageNote } } },
        { "notes padded to 8", { .Notes = { BuildIdNote, PackageNote }, .NoteAlignment = 8 } },
    };
    for (const auto& c : cases) {
        const auto json = NoteOf(TElfWriter(c.Layout).Build());
        ASSERT_TRUE(json.has_value()) << c.What;
        EXPECT_EQ(*json, VersionJson) << c.What;
    }
}

TEST(PackageNote, OtherNotesAreNotIt)
{
    const struct {
        const char* What;
        std::vector<TNote> Notes;
    } cases[] = {
        { "no notes", {} },
        { "a build id only", { BuildIdNote } },
        { "another owner", { { "FDX", PackageNoteType, VersionJson } } },
        { "a longer owner", { { "FDOX", PackageNoteType, VersionJson } } },
        { "another type", { { "FDO", 0xcafe1a7f, VersionJson } } },
    };
    for (const auto& c : cases)
        EXPECT_FALSE(NoteOf(TElfWriter({ .Notes = c.Notes }).Build()).has_value()) << c.What;
}

TEST(PackageNote, DamagedFilesGiveNothing)
{
    const TBytes good = TElfWriter({}).Build();
    const auto damaged = [&](auto Damage) {
        TBytes file = good;
        Damage(file);
        return file;
    };
    const TElfWriter le({});
    const struct {
        const char* What;
        TBytes File;
    } cases[] = {
        { "empty", {} },
        { "not ELF", TBytes { 'M', 'Z', 0x90, 0 } },
        { "the magic alone", TBytes { 0x7f, 'E', 'L', 'F' } },
        { "cut after the header", TBytes(good.begin(), good.begin() + 64) },
        { "cut inside the notes", TBytes(good.begin(), good.begin() + 0x110) },
        { "unknown class", damaged([](TBytes& f) { f[4] = 3; }) },
        { "unknown byte order", damaged([](TBytes& f) { f[5] = 0; }) },
        { "section table past the end", damaged([&](TBytes& f) { le.Word(f, 40, 0x7fffffff); }) },
        { "section table at the end of the address space",
            damaged([&](TBytes& f) { le.Word(f, 40, UINT64_MAX - 8); }) },
        { "sections too small", damaged([&](TBytes& f) { le.Put(f, 58, 16, 2); }) },
        { "note area past the end",
            damaged([&](TBytes& f) { le.Word(f, le.Build().size() - 64 + 24, 0xffffffffff); }) },
        { "a huge note area",
            damaged([&](TBytes& f) { le.Word(f, le.Build().size() - 64 + 32, 1ull << 40); }) },
        { "a description longer than its area",
            damaged([&](TBytes& f) { le.Put(f, 0x104, 0xfffffff0, 4); }) },
        { "an owner longer than its area",
            damaged([&](TBytes& f) { le.Put(f, 0x100, 0xfffffff0, 4); }) },
    };
    for (const auto& c : cases)
        EXPECT_FALSE(NoteOf(c.File).has_value()) << c.What;
}

TEST(PackageNote, VersionIsTheJsonsVersionText)
{
    const struct {
        const char* Json;
        const char* Version;
    } cases[] = {
        { R"({"type":"deb","name":"tapsy","version":"1.0.0"})", "1.0.0" },
        { R"({"version":"2.3.4-rc1","name":"tapsy"})", "2.3.4-rc1" },
        { R"({"type":"deb","name":"tapsy"})", "" },
        { R"({"version":7})", "" },
        { R"(["version","1.0.0"])", "" },
        { R"(version=1.0.0)", "" },
        { R"({"version":"1.0.0"} trailing)", "" },
        { R"({"version":"1.0\n2"})", "" },
        { R"({"version":"1234567890123456789012345678901234567890123456789012345678901234567890"})",
            "" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackageNoteVersion(c.Json).toStdString(), c.Version) << c.Json;
}

TEST(FileVersion, TheProgramCarriesTheProjectVersion)
{
    EXPECT_EQ(GetFileVersionString(QStringLiteral(TAPSY_EXECUTABLE)).toStdString(),
        TAPSY_PROJECT_VERSION);
}

TEST(FileVersion, FilesWithoutAVersionGiveAnEmptyText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* Name, const QByteArray& Bytes) {
        QFile file(dir.filePath(QLatin1String(Name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Bytes);
        return file.fileName();
    };
    QFile program(QStringLiteral(TAPSY_EXECUTABLE));
    ASSERT_TRUE(program.open(QIODevice::ReadOnly));
    // The header and part of the program headers: the note segment lies beyond.
    const QByteArray head = program.read(256);

    const struct {
        const char* What;
        QString Path;
    } cases[] = {
        { "this test, built without the note", QStringLiteral("/proc/self/exe") },
        { "no such file", dir.filePath(QStringLiteral("missing")) },
        { "a folder", dir.path() },
        { "an empty file", write("empty", {}) },
        { "a text file", write("text", "not a program\n") },
        { "the program cut short", write("cut", head) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileVersionString(c.Path).toStdString(), "") << c.What;
}

TEST(FileVersion, IsReadFromTheFileAtThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (bool is64 : { true, false }) {
        const TBytes bytes = TElfWriter(
            { .Is64 = is64,
                .Notes = { BuildIdNote, { "FDO", PackageNoteType, R"({"version":"9.8.7"})" } } })
                                 .Build();
        QFile file(dir.filePath(QStringLiteral("program")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        file.close();
        EXPECT_EQ(GetFileVersionString(file.fileName()).toStdString(), "9.8.7")
            << (is64 ? "64-bit" : "32-bit");
    }
}

} // namespace
