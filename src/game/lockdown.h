// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The keyboard lock-down's hook library and the screen-saver password check: libraries that may
// be missing, loaded by name from the program's own library folders (never the current
// directory) and their entry points looked up by name.
#pragma once

#include "platform/system/dynamiclibrary.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

// The hook library's file, built by this project beside the program's libraries.
inline constexpr char HookLibraryName[] = "Tapsy.dll";
inline constexpr char PasswordLibraryName[] = "password.cpl";

// _DisableTaskKeys(On, Reserved): On 1 locks the keyboard for the game window, 0 gives it back;
// the game always passes Reserved 0 and does not use the result.
using TDisableTaskKeys = int32_t (*)(int32_t On, int32_t Reserved);
// VerifyScreenSavePwd(Window): non-zero when the right password was entered or none is set.
using TVerifyScreenSavePwd = int32_t (*)(intptr_t Window);

// Where the game looks for those libraries: the program's own library folders, unless a test
// set others. Setting std::nullopt goes back to the program's own.
std::vector<std::filesystem::path> GameLibraryDirs();
void SetGameLibraryDirs(std::optional<std::vector<std::filesystem::path>> Dirs);

struct TTaskKeysHook {
    std::unique_ptr<TDynamicLibrary> Library;
    TDisableTaskKeys DisableTaskKeys = nullptr;
};

// Loads the hook library from Dirs and looks its entry point up; either may come back empty.
TTaskKeysHook LoadTaskKeysHook(const std::vector<std::filesystem::path>& Dirs);

// The program-wide entry point: loaded at the game window's construction and kept until the
// program ends (the library is never unloaded: it leaves handlers in the process). null when the
// library or its entry point is missing.
TDisableTaskKeys KeepTaskKeysHook(const std::vector<std::filesystem::path>& Dirs);

// The password check of the older platform family: loads "password.cpl" from Dirs for this one
// call, asks VerifyScreenSavePwd with Window and frees the library. True only when the call was
// made and said yes: a missing library or entry point refuses, so the game stays locked.
bool VerifyScreenSavePassword(intptr_t Window, const std::vector<std::filesystem::path>& Dirs);
