// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/programpath.h"

#include <system_error>

std::filesystem::path ProgramFilePath()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

std::filesystem::path ProgramDirectory() { return ProgramFilePath().parent_path(); }
