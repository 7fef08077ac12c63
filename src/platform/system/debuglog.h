// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The program's one trace: a line per call on standard error, "<date> <time>  <message>",
// date and time in the user's locale. Nothing is shown to the user and no file is written.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <string_view>

void DebugLog(const QString& Message);
void DebugLog(std::string_view Message); // UTF-8
void DebugLog(const char* Message); // UTF-8; keeps literals from being ambiguous

// The line DebugLog writes for Message at the given moment, without the line end: the short
// date, a blank, the long time without a time-zone name, two blanks, the message.
QString DebugLogLine(const QDateTime& When, const QLocale& Locale, const QString& Message);

// The locale's long time format with its time-zone fields taken out.
QString LongTimeFormat(const QLocale& Locale);
