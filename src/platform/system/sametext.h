// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Comparing names without regard to letter case, as Windows compares file, section and key
// names.
#pragma once

#include <string_view>

// Whether two UTF-8 texts are equal when letter case is ignored (Unicode case folding; plain
// ASCII texts take a fast path).
bool SameText(std::string_view A, std::string_view B);
