// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/sametext.h"

#include <QString>

namespace {

bool IsAscii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

} // namespace

bool SameText(std::string_view A, std::string_view B)
{
    if (IsAscii(A) && IsAscii(B)) {
        if (A.size() != B.size())
            return false;
        for (size_t i = 0; i < A.size(); ++i)
            if (AsciiLower(A[i]) != AsciiLower(B[i]))
                return false;
        return true;
    }
    return QString::fromUtf8(A.data(), qsizetype(A.size()))
               .compare(QString::fromUtf8(B.data(), qsizetype(B.size())), Qt::CaseInsensitive)
        == 0;
}
