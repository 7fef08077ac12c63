// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/programpath.h"
#include "platform/system/systemdirectory.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(SystemDirectory, IsTheVariableWhenSetElseShareTapsyBesideTheProgram)
{
    setenv("TAPSY_SYSTEM_DIR", "/srv/content", 1);
    EXPECT_EQ(SystemDirectory(), fs::path("/srv/content"));
    setenv("TAPSY_SYSTEM_DIR", "", 1); // empty counts as unset
    const fs::path expected = ProgramDirectory().parent_path() / "share" / "tapsy";
    EXPECT_EQ(SystemDirectory(), expected);
    unsetenv("TAPSY_SYSTEM_DIR");
    EXPECT_EQ(SystemDirectory(), expected);
}

TEST(FindPathIgnoringCase, PrefersTheExactSpellingThenTheFirstInNameOrder)
{
    QTemporaryDir dir;
    const fs::path base(dir.path().toStdString());
    fs::create_directories(base / "Pics");
    for (const char* name : { "Pics/cat.JPG", "Pics/Cat.jpg", "Pics/dog.jpg" })
        std::ofstream(base / name) << name;
    const struct {
        const char* Relative;
        fs::path Expected;
    } cases[] = {
        { "Pics/cat.JPG", base / "Pics" / "cat.JPG" }, // as written
        { "pics\\Cat.jpg", base / "Pics" / "Cat.jpg" },
        { "PICS/CAT.JPG", base / "Pics" / "Cat.jpg" }, // "Cat.jpg" sorts before "cat.JPG"
        { "pics//DOG.jpg", base / "Pics" / "dog.jpg" },
        { "pics/../Pics/dog.JPG", base / "Pics" / ".." / "Pics" / "dog.jpg" },
        { "pics/bird.jpg", base / "pics" / "bird.jpg" }, // missing: as written
        { "", base },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindPathIgnoringCase(base, c.Relative), c.Expected) << c.Relative;
}

} // namespace
