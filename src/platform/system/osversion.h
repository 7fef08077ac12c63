// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The platform version record. Linux reports the NT family: the desktop's own locker owns the
// screen-saver password, so the older family's password steps do not run.
#pragma once

#include <cstdint>

constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

struct TOSVersionInfo {
    uint32_t dwOSVersionInfoSize;
    uint32_t dwMajorVersion;
    uint32_t dwMinorVersion;
    uint32_t dwBuildNumber;
    uint32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(TOSVersionInfo) == 148, "the record the game sizes with 148");

// Fills Info; false (and Info untouched) when its size field is not that of the record.
bool GetVersionEx(TOSVersionInfo& Info);

// The platform id GetVersionEx reports from now on; 0 goes back to the NT family. Tests take the
// older family's paths with VER_PLATFORM_WIN32_WINDOWS. Returns the one set before.
uint32_t SetReportedPlatformId(uint32_t PlatformId);
