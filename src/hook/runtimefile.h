// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Where the lock-down keeps what a later run or the guardian must find to undo it: the user's
// runtime folder (/tmp without one), one file per thing and user.
#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

// "<runtime folder>/tapsy-<Name>-<uid><Suffix>".
inline std::string RuntimeStateFile(const std::string& Name, const std::string& Suffix = "")
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    return folder + "/tapsy-" + Name + "-" + std::to_string(getuid()) + Suffix;
}
