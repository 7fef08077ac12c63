// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/datetime.h"
#include "platform/system/exception.h"
#include "platform/system/osversion.h"
#include "platform/system/sysutils.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(StrToInt, AcceptsLeadingBlanksSignAndDigits)
{
    const struct {
        const char* Text;
        int32_t Value;
    } cases[] = {
        { "0", 0 },
        { "1234", 1234 },
        { "   1234", 1234 },
        { "+7", 7 },
        { "-42", -42 },
        { "  -0", 0 },
        { "007", 7 },
        { "2147483647", INT32_MAX },
        { "-2147483648", INT32_MIN },
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToInt(QString::fromUtf8(c.Text)), c.Value) << c.Text;
}

TEST(StrToInt, RejectsEverythingElseWithTheConversionError)
{
    const char* cases[] = {
        "", "   ", "xyz", "12x", "1234 ", "1 2", "+", "-", "--1", "0x10", "\t12", "2147483648",
        "-2147483649", "99999999999999999999", "\xef\xbc\x91", // a full-width digit one
    };
    for (const char* text : cases) {
        try {
            StrToInt(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(DateTime, CountsDaysFromTheEndOf1899)
{
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(2000, 1, 1), QTime(6, 0))), 36526.25);
    EXPECT_DOUBLE_EQ(EncodeTime(0, 0, 0, 400), 400.0 / 86400000.0);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(OSVersion, ReportsTheNTFamilyToARecordOfTheRightSize)
{
    TOSVersionInfo info {};
    info.dwOSVersionInfoSize = 148;
    ASSERT_TRUE(GetVersionEx(info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_LT(std::strlen(info.szCSDVersion), sizeof info.szCSDVersion);

    TOSVersionInfo wrongSize {};
    wrongSize.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionEx(wrongSize));
    EXPECT_EQ(wrongSize.dwPlatformId, 0u);
}

} // namespace
