// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// String conversions of the class library.
#pragma once

#include <QString>
#include <cstdint>

// The decimal integer in S: leading blanks, an optional sign and digits, nothing after them,
// within 32 bits. Anything else raises EConvertError "'S' is not a valid integer value".
int32_t StrToInt(const QString& S);
