// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Program entry: product identity, the run mode from the command line, the one window of that
// mode, the event loop. Every way out ends with exit code 0, as the screen-saver host expects.
#include "about/formabout.h"
#include "app/application.h"
#include "app/commandline.h"
#include "game/formmain.h"
#include "game/passwordchange.h"
#include "platform/system/exception.h"
#include "platform/system/productidentity.h"

#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

void PrintUsage()
{
    std::printf("Usage: tapsy [/s | /c | /p <window> | /a <window>]\n"
                "\n"
                "Keyboard game for toddlers, and a screen saver.\n"
                "\n"
                "  /s            play: full screen; Ctrl+Alt+Q leaves the game\n"
                "  /c, nothing   show the About window\n"
                "  /p <window>   screen-saver preview: shows nothing\n"
                "  /a <window>   change the screen-saver password (not offered on Linux)\n"
                "  --help        show this text\n"
                "  --version     show the version\n");
}

// Whether Qt has somewhere to show a window; without one it would abort.
bool HaveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    InitProductIdentity();

    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", qUtf8Printable(ProductTitle), TAPSY_VERSION);
        return 0;
    }

    // The application object is made only when a window needs it, so the modes that show
    // nothing also end cleanly where there is no display.
    std::optional<TApplication> application;
    const auto needApplication = [&] {
        if (!HaveDisplay())
            throw Exception("There is no display to show the window on (DISPLAY is not set)");
        if (!application)
            application.emplace(argc, argv);
    };
    std::unique_ptr<QWidget> mainWindow;

    try {
        TRunModeActions actions;
        actions.ShowAbout = [&] {
            needApplication();
            mainWindow = std::make_unique<TfrmAbout>();
        };
        actions.RunGame = [&] {
            needApplication();
            mainWindow = std::make_unique<TfrmMain>();
        };
        actions.ChangePassword
            = [](int32_t ParentWindow) { ChangeScreenSaverPassword(ParentWindow); };
        DispatchRunMode(JoinCommandLine(argc, argv), actions);

        if (mainWindow) {
            mainWindow->show();
            application->exec();
        }
    } catch (const std::exception& e) {
        mainWindow.reset();
        if (HaveDisplay()) {
            if (!application)
                application.emplace(argc, argv);
            ShowException(e);
        } else {
            std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle()),
                qUtf8Printable(ExceptionMessageText(e)));
        }
    }
    mainWindow.reset();
    return 0;
}
