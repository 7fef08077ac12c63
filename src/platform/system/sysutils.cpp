// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/sysutils.h"

#include "platform/system/exception.h"

int32_t StrToInt(const QString& S)
{
    const auto fail = [&S]() -> int32_t {
        throw EConvertError("'" + S.toStdString() + "' is not a valid integer value");
    };
    qsizetype i = 0;
    while (i < S.size() && S[i] == u' ')
        ++i;
    bool negative = false;
    if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) {
        negative = S[i] == u'-';
        ++i;
    }
    if (i == S.size())
        return fail();
    int64_t value = 0;
    for (; i < S.size(); ++i) {
        const char16_t ch = S[i].unicode();
        if (ch < u'0' || ch > u'9')
            return fail();
        value = value * 10 + (ch - u'0');
        if (value > int64_t(INT32_MAX) + 1)
            return fail();
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return fail();
    return int32_t(value);
}
