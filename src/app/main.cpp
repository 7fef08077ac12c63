// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Program entry: product identity, the run mode from the command line, the one window of that
// mode, the event loop. Every way out ends with exit code 0, as the screen-saver host expects.
#include "about/formabout.h"
#include "app/application.h"
#include "app/commandline.h"
#include "app/translation.h"
#include "game/formmain.h"
#include "game/passwordchange.h"
#include "platform/system/exception.h"
#include "platform/system/productidentity.h"
#include "platform/system/shortcutspermission.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Text for a terminal: paragraphs kept, lines broken between words.
void PrintWrapped(const QString& Text)
{
    constexpr qsizetype Width = 78;
    for (const QString& paragraph : Text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > Width) {
                std::printf("%s\n", qUtf8Printable(line));
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        std::printf("%s\n", qUtf8Printable(line));
    }
}

// --allow-lockdown: says what it does, then does it. Exit code 1 when nothing was stored.
int AllowLockdown(int& Argc, char** Argv)
{
    QCoreApplication application(Argc, Argv); // the bus connection needs one
    QTranslator translator;
    InstallDesktopTranslation(translator);
    PrintWrapped(LockdownConsentText());
    std::printf("\n");
    const QString error = GrantShortcutsPermission();
    PrintWrapped(LockdownConsentResult(error));
    return error.isEmpty() ? 0 : 1;
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
    // The compositor (and so GNOME's permission store) knows the window by its desktop file,
    // whatever the program's file is called and wherever it lies.
    QGuiApplication::setDesktopFileName(QLatin1String(GameDesktopFileName));

    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        QCoreApplication application(argc, argv); // a translator needs one
        QTranslator translator;
        InstallDesktopTranslation(translator);
        std::printf("%s", qUtf8Printable(UsageText()));
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", qUtf8Printable(ProductTitle), TAPSY_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--allow-lockdown") == 0)
        return AllowLockdown(argc, argv);

    // Made before the application, so that it outlives it.
    QTranslator translator;
    // The application object is made only when a window needs it, so the modes that show
    // nothing also end cleanly where there is no display.
    std::optional<TApplication> application;
    const auto makeApplication = [&] {
        application.emplace(argc, argv);
        InstallDesktopTranslation(translator);
    };
    const auto needApplication = [&] {
        if (!HaveDisplay())
            throw Exception("There is no display to show the window on (DISPLAY is not set)");
        if (!application)
            makeApplication();
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
                makeApplication();
            ShowException(e);
        } else {
            std::fprintf(stderr, "%s: %s\n", qUtf8Printable(ApplicationTitle()),
                qUtf8Printable(ExceptionMessageText(e)));
        }
    }
    mainWindow.reset();
    return 0;
}
