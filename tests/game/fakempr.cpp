// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A stand-in for the platform's "mpr.DLL": PwdChangePasswordA appends its arguments as one line
// to the file named by TAPSY_FAKE_MPR_LOG, so that a test can see the call.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) uint32_t PwdChangePasswordA(
    const char* RegKeyName, intptr_t ParentWindow, uint32_t Reserved1, uint32_t Reserved2)
{
    const char* path = std::getenv("TAPSY_FAKE_MPR_LOG");
    if (!path)
        return 0;
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s %ld %u %u\n", RegKeyName, long(ParentWindow), Reserved1, Reserved2);
        std::fclose(log);
    }
    return 0;
}
