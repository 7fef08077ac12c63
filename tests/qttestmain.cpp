// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// gtest_discover_tests runs the binary without the test's environment, so default the platform here.
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
