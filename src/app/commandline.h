// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The screen-saver command line: "/s" plays, "/c" (or nothing) shows the About window, "/p"
// (the preview in the display settings) shows nothing, "/a <parent window>" changes the
// screen-saver password. Only the first two characters choose; anything else does nothing.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

enum class TRunMode { About, Game, Preview, ChangePassword, Nothing };

// The text of --help in the program's language, lines ending in '\n': the options as typed, each
// with its description broken between words to fit a terminal of 80 columns.
QString UsageText();

// The arguments after the program name, joined with blanks.
QString JoinCommandLine(int Argc, const char* const* Argv);

// Blanks and control characters taken off both ends, then lower case.
QString NormaliseCommandLine(const QString& CommandLine);

// The mode of a normalised command line: "/c" when it is empty, else its first two characters.
TRunMode SelectRunMode(const QString& Normalised);

// The parent window of "/a": the normalised command line from its third character on, as an
// integer (leading blanks allowed). EConvertError when it is missing or not a number.
int32_t PasswordParentWindow(const QString& Normalised);

struct TRunModeActions {
    std::function<void()> ShowAbout;
    std::function<void()> RunGame;
    std::function<void(int32_t ParentWindow)> ChangePassword;
};

// Normalises CommandLine and calls the action of its mode, if it has one. Exceptions (the
// conversion error of "/a", or any from an action) go to the caller.
TRunMode DispatchRunMode(const QString& CommandLine, const TRunModeActions& Actions);
