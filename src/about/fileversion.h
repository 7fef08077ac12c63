// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The version of an executable, read back from its file: the build stores it as an ELF note
// (section .note.package, owner "FDO", type 0xcafe1a7e) holding a small JSON object such as
// {"type":"deb","name":"tapsy","version":"1.0.0"}.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr uint32_t PackageNoteType = 0xcafe1a7e;

// Reads Size bytes at Offset of the file into Buffer; false if the file has fewer.
using TReadAt = std::function<bool(uint64_t Offset, void* Buffer, size_t Size)>;

// The description (the JSON, trailing NULs removed) of the first package note in the ELF
// image that Read gives: from its note sections, or from its note segments when it has no
// section table. Nothing when it is no ELF file, has no such note or is malformed.
std::optional<std::string> FindPackageNote(const TReadAt& Read);

// The "version" member of a package note's JSON; empty when there is none or it is not a short
// line of printable text.
QString PackageNoteVersion(const std::string& Json);

// The version of the executable at Path, for example "1.0.0"; empty when the file cannot be
// read or carries no version.
QString GetFileVersionString(const QString& Path);
