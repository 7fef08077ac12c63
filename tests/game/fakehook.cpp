// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A stand-in for the hook library "Tapsy.dll": _DisableTaskKeys appends "_DisableTaskKeys On
// Reserved" as one line to the file named by TAPSY_FAKE_LOG, so that a test sees the calls in
// their order among the others.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) int32_t DisableTaskKeys(int32_t On, int32_t Reserved) __asm__("_DisableTaskKeys");

int32_t DisableTaskKeys(int32_t On, int32_t Reserved)
{
    if (const char* path = std::getenv("TAPSY_FAKE_LOG")) {
        if (FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "_DisableTaskKeys %d %d\n", int(On), int(Reserved));
            std::fclose(log);
        }
    }
    return 1;
}
