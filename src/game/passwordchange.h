// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The screen-saver password change of "/a": the platform's dialog in "mpr.DLL", looked up when
// it is needed. There is no such library on Linux (the desktop's locker owns the password), so
// there nothing happens; a library of that name in the program's folder is called as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// PwdChangePasswordA("SCRSAVE", ParentWindow, 0, 0); the result is not used.
using TPwdChangePasswordA = uint32_t (*)(
    const char* RegKeyName, intptr_t ParentWindow, uint32_t Reserved1, uint32_t Reserved2);

// Calls the password change with ParentWindow, if "mpr.DLL" and its entry point are found in
// SearchDirs or by the system (never in the current directory); otherwise does nothing.
// Reports whether the call was made.
bool ChangeScreenSaverPassword(int32_t ParentWindow);
bool ChangeScreenSaverPassword(
    int32_t ParentWindow, const std::vector<std::filesystem::path>& SearchDirs);
