// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/debuglog.h"

#include <cstdio>

QString LongTimeFormat(const QLocale& Locale)
{
    // Qt's long time format ends in the time-zone name ("t"); the trace wants hours, minutes
    // and seconds only, as a desktop clock shows them.
    const QString format = Locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        if (!quoted && ch == u't') {
            if (result.endsWith(u' '))
                result.chop(1);
            continue;
        }
        if (ch == u' ' && !quoted && (result.isEmpty() || result.endsWith(u' ')))
            continue;
        result += ch;
    }
    return result.trimmed();
}

QString DebugLogLine(const QDateTime& When, const QLocale& Locale, const QString& Message)
{
    return Locale.toString(When.date(), QLocale::ShortFormat) + u' '
        + Locale.toString(When.time(), LongTimeFormat(Locale)) + QStringLiteral("  ") + Message;
}

void DebugLog(const QString& Message)
{
    QByteArray line
        = DebugLogLine(QDateTime::currentDateTime(), QLocale::system(), Message).toUtf8();
    line += '\n';
    // One write per line, so lines from the timer thread and the user-interface thread never mix.
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void DebugLog(std::string_view Message)
{
    DebugLog(QString::fromUtf8(Message.data(), qsizetype(Message.size())));
}

void DebugLog(const char* Message) { DebugLog(QString::fromUtf8(Message)); }
