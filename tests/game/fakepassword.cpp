// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A stand-in for the platform's "password.cpl": VerifyScreenSavePwd appends "VerifyScreenSavePwd"
// and whether it got a window to the file named by TAPSY_FAKE_LOG, and answers as
// TAPSY_FAKE_PASSWORD says ("1": the right password, anything else: a wrong one).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" __attribute__((visibility("default"))) int32_t VerifyScreenSavePwd(intptr_t Window)
{
    if (const char* path = std::getenv("TAPSY_FAKE_LOG")) {
        if (FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "VerifyScreenSavePwd %s\n", Window != 0 ? "window" : "no window");
            std::fclose(log);
        }
    }
    const char* answer = std::getenv("TAPSY_FAKE_PASSWORD");
    return answer && std::strcmp(answer, "1") == 0 ? 1 : 0;
}
