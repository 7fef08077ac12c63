// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/debuglog.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const QDateTime Moment(QDate(2026, 3, 7), QTime(14, 5, 9));

TEST(DebugLog, LineIsShortDateLongTimeTwoBlanksMessage)
{
    const struct {
        QLocale Locale;
        const char* Expected;
    } cases[] = {
        { QLocale(QLocale::German, QLocale::Germany), "07.03.26 14:05:09  hello" },
        { QLocale(QLocale::English, QLocale::UnitedStates), "3/7/26 2:05:09 PM  hello" },
        { QLocale(QLocale::English, QLocale::UnitedKingdom), "07/03/2026 14:05:09  hello" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DebugLogLine(Moment, c.Locale, QStringLiteral("hello")).toStdString(), c.Expected)
            << c.Locale.name().toStdString();
}

TEST(DebugLog, LongTimeLeavesTheTimeZoneOut)
{
    for (const QLocale& locale :
        { QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English),
            QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c() }) {
        const QString format = LongTimeFormat(locale);
        EXPECT_FALSE(format.contains(u't')) << format.toStdString();
        EXPECT_TRUE(format.contains(u's')) << format.toStdString();
        EXPECT_EQ(format, format.trimmed());
    }
}

TEST(DebugLog, MessageIsKeptAsGivenTrailingBlankIncluded)
{
    const QString message = QStringLiteral("按键过快，抑制。。。 ");
    const QString line = DebugLogLine(Moment, QLocale::c(), message);
    EXPECT_TRUE(line.endsWith(QStringLiteral("  ") + message)) << line.toStdString();
}

TEST(DebugLog, WritesOneUtf8LineToStandardError)
{
    testing::internal::CaptureStderr();
    DebugLog("WM_CONTEXTMENU captured...");
    DebugLog(std::string("Virtual CODE=0X41,Display=A"));
    DebugLog(QStringLiteral("按键过快"));
    const std::string written = testing::internal::GetCapturedStderr();

    const std::string expectedEnds[] = { "  WM_CONTEXTMENU captured...",
        "  Virtual CODE=0X41,Display=A", "  \xe6\x8c\x89\xe9\x94\xae\xe8\xbf\x87\xe5\xbf\xab" };
    size_t start = 0;
    for (const std::string& end : expectedEnds) {
        const size_t newline = written.find('\n', start);
        ASSERT_NE(newline, std::string::npos) << written;
        const std::string line = written.substr(start, newline - start);
        ASSERT_GE(line.size(), end.size() + 8) << line;
        EXPECT_EQ(line.substr(line.size() - end.size()), end);
        start = newline + 1;
    }
    EXPECT_EQ(start, written.size()) << "more than one line per call: " << written;
}

} // namespace
