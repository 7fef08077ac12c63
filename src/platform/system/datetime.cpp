// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/datetime.h"

TDateTime DateTimeFromQt(const QDateTime& Value)
{
    static const QDate epoch(1899, 12, 30);
    const QDateTime local = Value.toLocalTime();
    const QTime time = local.time();
    return double(epoch.daysTo(local.date())) + time.msecsSinceStartOfDay() / 86400000.0;
}

TDateTime Now() { return DateTimeFromQt(QDateTime::currentDateTime()); }
