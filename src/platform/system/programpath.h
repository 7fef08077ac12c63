// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Where the running program lies, without the application object (the dynamic-library
// search and the About window need it before or without one).
#pragma once

#include <filesystem>

// The absolute path of the running executable; empty if the system cannot tell.
std::filesystem::path ProgramFilePath();

// The folder of the running executable; empty if the system cannot tell.
std::filesystem::path ProgramDirectory();
