// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/commandline.h"
#include "platform/system/exception.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CommandLine, NormalisingTrimsBlanksAndControlsAndLowersTheCase)
{
    const struct {
        const char* Raw;
        const char* Normalised;
    } cases[] = {
        { "", "" }, { "   ", "" }, { "\t\r\n", "" }, { "/S", "/s" }, { "  /C:1234  ", "/c:1234" },
        { "\x01/p 123\x7f", "/p 123" }, { "\t/A  42\r\n", "/a  42" },
        { "/a\t1 2", "/a\t1 2" }, // only the ends
        { "/S\xc3\x84\xc3\x9c", "/s\xc3\xa4\xc3\xbc" }, // lower case beyond ASCII
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseCommandLine(QString::fromUtf8(c.Raw)).toStdString(), c.Normalised)
            << c.Raw;
}

TEST(CommandLine, ArgumentsAfterTheProgramNameAreJoinedWithBlanks)
{
    const char* none[] = { "tapsy" };
    const char* two[] = { "tapsy", "/a", "1234" };
    const char* blank[] = { "tapsy", "", "/s" };
    EXPECT_EQ(JoinCommandLine(1, none).toStdString(), "");
    EXPECT_EQ(JoinCommandLine(3, two).toStdString(), "/a 1234");
    EXPECT_EQ(JoinCommandLine(3, blank).toStdString(), " /s");
}

// What the program does for a command line: which window or call it makes.
struct TDispatched {
    std::string Action;
    int32_t ParentWindow = 0;
};

TDispatched Dispatch(const char* CommandLine, TRunMode* Mode = nullptr)
{
    TDispatched result { "nothing" };
    TRunModeActions actions;
    actions.ShowAbout = [&] { result.Action = "about"; };
    actions.RunGame = [&] { result.Action = "game"; };
    actions.ChangePassword = [&](int32_t ParentWindow) {
        result.Action = "password";
        result.ParentWindow = ParentWindow;
    };
    const TRunMode mode = DispatchRunMode(QString::fromUtf8(CommandLine), actions);
    if (Mode)
        *Mode = mode;
    return result;
}

TEST(CommandLine, TheFirstTwoCharactersChooseTheMode)
{
    const struct {
        const char* CommandLine;
        TRunMode Mode;
        const char* Action;
        int32_t ParentWindow;
    } cases[] = {
        { "", TRunMode::About, "about", 0 },
        { "    ", TRunMode::About, "about", 0 },
        { "/c", TRunMode::About, "about", 0 },
        { "/C", TRunMode::About, "about", 0 },
        { "/c:1234", TRunMode::About, "about", 0 },
        { "/s", TRunMode::Game, "game", 0 },
        { "/S", TRunMode::Game, "game", 0 },
        { " /s anything", TRunMode::Game, "game", 0 },
        { "/scr", TRunMode::Game, "game", 0 },
        { "/p 123", TRunMode::Preview, "nothing", 0 },
        { "/P", TRunMode::Preview, "nothing", 0 },
        { "/a 1234", TRunMode::ChangePassword, "password", 1234 },
        { "/A   42", TRunMode::ChangePassword, "password", 42 },
        { "/a1234", TRunMode::ChangePassword, "password", 1234 },
        { "/a -7", TRunMode::ChangePassword, "password", -7 },
        { "/x", TRunMode::Nothing, "nothing", 0 },
        { "/", TRunMode::Nothing, "nothing", 0 },
        { "s", TRunMode::Nothing, "nothing", 0 },
        { "-s", TRunMode::Nothing, "nothing", 0 },
        { "c/", TRunMode::Nothing, "nothing", 0 },
    };
    for (const auto& c : cases) {
        TRunMode mode {};
        const TDispatched done = Dispatch(c.CommandLine, &mode);
        EXPECT_EQ(mode, c.Mode) << '"' << c.CommandLine << '"';
        EXPECT_EQ(done.Action, c.Action) << '"' << c.CommandLine << '"';
        EXPECT_EQ(done.ParentWindow, c.ParentWindow) << '"' << c.CommandLine << '"';
    }
}

TEST(CommandLine, PasswordChangeWithoutANumberIsAConversionErrorAndCallsNothing)
{
    const struct {
        const char* CommandLine;
        const char* Message;
    } cases[] = {
        { "/a", "'' is not a valid integer value" },
        { "/a   ", "'' is not a valid integer value" }, // trailing blanks go first
        { "/a xyz", "' xyz' is not a valid integer value" },
        { "/A XYZ", "' xyz' is not a valid integer value" },
        { "/a 12ab", "' 12ab' is not a valid integer value" },
        { "/a 99999999999", "' 99999999999' is not a valid integer value" },
    };
    for (const auto& c : cases) {
        std::string action = "nothing";
        TRunModeActions actions;
        actions.ShowAbout = [&] { action = "about"; };
        actions.RunGame = [&] { action = "game"; };
        actions.ChangePassword = [&](int32_t) { action = "password"; };
        try {
            DispatchRunMode(QString::fromUtf8(c.CommandLine), actions);
            ADD_FAILURE() << '"' << c.CommandLine << "\" raised nothing";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(action, "nothing") << c.CommandLine;
    }
}

} // namespace
