// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The folder that stands for the Windows system directory, where the key content file and
// its data folder lie, and finding files in it the way Windows does, whatever their case.
#pragma once

#include <filesystem>
#include <string_view>

// $TAPSY_SYSTEM_DIR when it is set and not empty, else <executable folder>/../share/tapsy,
// which holds both in the build tree and after installation.
std::filesystem::path SystemDirectory();

// Base followed by Relative, whose parts may be separated by '/' or '\'. Each part of
// Relative that does not exist as written is looked for among its folder's entries without
// regard to letter case (the entry with exactly that spelling first, else the first in name
// order). When a part is found in neither way, the path as written is returned, so opening
// it fails as it should.
std::filesystem::path FindPathIgnoringCase(
    const std::filesystem::path& Base, std::string_view Relative);
