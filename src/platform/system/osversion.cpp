// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/osversion.h"

#include <cstdio>
#include <cstring>
#include <sys/utsname.h>

namespace {

uint32_t ReportedPlatformId = 0;

} // namespace

uint32_t SetReportedPlatformId(uint32_t PlatformId)
{
    const uint32_t before = ReportedPlatformId;
    ReportedPlatformId = PlatformId;
    return before;
}

bool GetVersionEx(TOSVersionInfo& Info)
{
    if (Info.dwOSVersionInfoSize != sizeof(TOSVersionInfo))
        return false;
    Info.dwMajorVersion = 0;
    Info.dwMinorVersion = 0;
    Info.dwBuildNumber = 0;
    Info.dwPlatformId = ReportedPlatformId != 0 ? ReportedPlatformId : VER_PLATFORM_WIN32_NT;
    std::memset(Info.szCSDVersion, 0, sizeof Info.szCSDVersion);
    utsname name {};
    if (uname(&name) == 0) {
        unsigned major = 0, minor = 0, patch = 0;
        if (std::sscanf(name.release, "%u.%u.%u", &major, &minor, &patch) >= 2) {
            Info.dwMajorVersion = major;
            Info.dwMinorVersion = minor;
            Info.dwBuildNumber = patch;
        }
        std::strncpy(Info.szCSDVersion, name.release, sizeof Info.szCSDVersion - 1);
    }
    return true;
}
