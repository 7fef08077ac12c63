// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/profile.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class Profile : public testing::Test {
protected:
    fs::path File() const { return fs::path(m_dir.path().toStdString()) / "test.ini"; }
    void Write(const std::string& bytes) const
    {
        std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read(const char* section, const char* key, const char* fallback = "", int size = 255) const
    {
        return GetPrivateProfileString(section, key, fallback, size, File());
    }

private:
    QTemporaryDir m_dir;
};

// How Windows answers GetPrivateProfileString for each file, section and key.
TEST_F(Profile, FollowsTheWindowsRules)
{
    const struct {
        const char* What;
        std::string Text;
        const char *Section, *Key, *Default;
        const char* Expected;
    } cases[] = {
        { "plain", "[S]\nK=v\n", "S", "K", "", "v" },
        { "section case", "[vk_a]\nDesc=Apple\n", "VK_A", "Desc", "", "Apple" },
        { "key case", "[VK_A]\nDESC=Apple\n", "vk_a", "desc", "", "Apple" },
        { "blanks around names", "[  VK_A \t]\n  Desc  =Apple\n", "VK_A", "Desc", "", "Apple" },
        { "blanks around the value", "[S]\nK=  \t two words \t \n", "S", "K", "", "two words" },
        { "first key of duplicates", "[S]\nK=first\nK=second\n", "S", "K", "", "first" },
        { "first section of duplicates", "[S]\nA=1\n[T]\nK=t\n[S]\nK=second\n", "S", "K", "d",
            "d" },
        { "key in a later section of another name", "[S]\nA=1\n[T]\nK=t\n", "S", "K", "", "" },
        { "double quotes", "[S]\nK=\"quoted value \"\n", "S", "K", "", "quoted value " },
        { "single quotes", "[S]\nK='x'\n", "S", "K", "", "x" },
        { "only one pair of quotes", "[S]\nK=\"\"x\"\"\n", "S", "K", "", "\"x\"" },
        { "unmatched quote stays", "[S]\nK=\"x\n", "S", "K", "", "\"x" },
        { "mixed quotes stay", "[S]\nK=\"x'\n", "S", "K", "", "\"x'" },
        { "a lone quote stays", "[S]\nK=\"\n", "S", "K", "", "\"" },
        { "semicolon inside the value", "[S]\nK=a ; b\n", "S", "K", "", "a ; b" },
        { "comment line", "[S]\n;K=comment\nK=v\n", "S", "K", "", "v" },
        { "equals sign inside the value", "[S]\nK=a=b\n", "S", "K", "", "a=b" },
        { "CR LF", "[S]\r\nK=v\r\nL=w\r\n", "S", "L", "", "w" },
        { "CR LF value has no CR", "[S]\r\nK=v\r\n", "S", "K", "", "v" },
        { "lone CR", "[S]\rK=v\r", "S", "K", "", "v" },
        { "no line end at the end", "[S]\nK=v", "S", "K", "", "v" },
        { "UTF-8 byte-order mark", "\xEF\xBB\xBF[S]\nK=v\n", "S", "K", "", "v" },
        { "UTF-8 text", "[Ä]\nK=Größe\n", "ä", "k", "", "Größe" },
        { "UTF-16 LE with its mark", std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE4\0\n\0", 18),
            "S", "K", "", "ä" },
        { "UTF-16 BE with its mark", std::string("\xFE\xFF\0[\0S\0]\0\n\0K\0=\0v", 16), "S", "K",
            "", "v" },
        { "missing section", "[S]\nK=v\n", "T", "K", "fallback", "fallback" },
        { "missing key", "[S]\nK=v\n", "S", "L", "fallback", "fallback" },
        { "default loses trailing blanks", "", "S", "K", "fallback  ", "fallback" },
        { "empty value is found", "[S]\nK=\nK=later\n", "S", "K", "d", "" },
        { "keys before any section", "K=v\n[S]\n", "S", "K", "d", "d" },
        { "header without closing bracket", "[S\nK=v\n", "S", "K", "", "v" },
        { "text after the closing bracket", "[S] ; note\nK=v\n", "S", "K", "", "v" },
        { "zero byte ends the value", std::string("[S]\nK=ab\0cd\n", 12), "S", "K", "", "ab" },
    };
    for (const auto& c : cases) {
        Write(c.Text);
        EXPECT_EQ(Read(c.Section, c.Key, c.Default), c.Expected) << c.What;
    }
}

TEST_F(Profile, ValuesAndDefaultsAreCutToTheBuffer)
{
    const std::string line(100000, 'v');
    Write("[S]\nK=" + line + "\nE=äöü\n");
    EXPECT_EQ(Read("S", "K", "", 255), std::string(254, 'v'));
    EXPECT_EQ(Read("S", "K", "", 1), "");
    EXPECT_EQ(Read("S", "K", "", 0), "");
    EXPECT_EQ(Read("S", "Missing", "abcdef", 4), "abc");
    // Characters, not bytes: a letter of two bytes is never split.
    EXPECT_EQ(Read("S", "E", "", 3), "äö");
}

TEST_F(Profile, LongLinesDoNotHideLaterKeys)
{
    Write("[S]\nJunk=" + std::string(3'000'000, 'j') + "\n" + std::string(100000, ';')
        + "\n[T]\nK=found\n");
    EXPECT_EQ(Read("T", "K"), "found");
}

TEST_F(Profile, MissingFileOrFolderGivesTheDefault)
{
    EXPECT_EQ(Read("S", "K", "d"), "d");
    fs::create_directory(File()); // a folder where the file should be
    EXPECT_EQ(Read("S", "K", "d"), "d");
}

TEST_F(Profile, TheFileIsReadAnewAtEveryCall)
{
    Write("[S]\nK=old\n");
    EXPECT_EQ(Read("S", "K"), "old");
    Write("[S]\nK=new\n");
    EXPECT_EQ(Read("S", "K"), "new");
}

TEST(ProfileText, CutKeepsWholeCharactersAndCountsStrayBytesAsOne)
{
    EXPECT_EQ(CutToCharacters("a\xC3\xA4" "b", 2), "a\xC3\xA4");
    EXPECT_EQ(CutToCharacters("\xFF\xFE" "abc", 3), "\xFF\xFE" "a");
    EXPECT_EQ(CutToCharacters("\xE2\x82", 5), "\xE2\x82"); // a truncated sequence: two bytes
    EXPECT_EQ(CutToCharacters("\xF0\x9F\x98\x80x", 1), "\xF0\x9F\x98\x80");
}

} // namespace
