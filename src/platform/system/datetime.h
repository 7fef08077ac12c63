// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The class library's date-time: days since 30 December 1899, the time of day as the fraction.
#pragma once

#include <QDateTime>

using TDateTime = double;

// The current local date and time.
TDateTime Now();

TDateTime DateTimeFromQt(const QDateTime& Value);

// A span of hours, minutes, seconds and milliseconds as a date-time value.
constexpr TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
}
