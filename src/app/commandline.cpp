// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/commandline.h"

#include "platform/system/sysutils.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// Options with a word in them are translated too ("<window>"); the others are as typed.
struct TOptionHelp {
    const char* Option;
    const char* Description;
};
constexpr TOptionHelp OptionHelp[] = {
    { "/s", QT_TRANSLATE_NOOP("CommandLine", "play: full screen; Ctrl+Alt+Q leaves the game") },
    { QT_TRANSLATE_NOOP("CommandLine", "/c, nothing"),
        QT_TRANSLATE_NOOP("CommandLine", "show the About window") },
    { QT_TRANSLATE_NOOP("CommandLine", "/p <window>"),
        QT_TRANSLATE_NOOP("CommandLine", "screen-saver preview: shows nothing") },
    { QT_TRANSLATE_NOOP("CommandLine", "/a <window>"),
        QT_TRANSLATE_NOOP(
            "CommandLine", "change the screen-saver password (not offered on Linux)") },
    { "--allow-lockdown",
        QT_TRANSLATE_NOOP("CommandLine",
            "on GNOME: let the game hold the desktop's shortcuts, so that GNOME does not ask (a "
            "grown-up's consent, given once)") },
    { "--help", QT_TRANSLATE_NOOP("CommandLine", "show this text") },
    { "--version", QT_TRANSLATE_NOOP("CommandLine", "show the version") },
};

// Where the descriptions begin, and the longest line: a terminal of 80 columns.
constexpr qsizetype DescriptionColumn = 16;
constexpr qsizetype LineWidth = 78;

QString Translated(const char* Text) { return QCoreApplication::translate("CommandLine", Text); }

bool IsBlankOrControl(QChar Ch)
{
    return Ch.unicode() <= u' ' || Ch.category() == QChar::Other_Control;
}

} // namespace

QString UsageText()
{
    QString text = QCoreApplication::translate(
                       "CommandLine", "Usage: tapsy [/s | /c | /p <window> | /a <window>]")
        + QStringLiteral("\n\n")
        + QCoreApplication::translate(
            "CommandLine", "Keyboard game for toddlers, and a screen saver.")
        + QStringLiteral("\n\n");
    for (const TOptionHelp& help : OptionHelp) {
        QString line = QStringLiteral("  ") + Translated(help.Option);
        // An option too long for its column has the description on the lines below it.
        if (line.size() + 1 >= DescriptionColumn) {
            text += line + u'\n';
            line.clear();
        }
        for (const QString& word : Translated(help.Description).split(u' ', Qt::SkipEmptyParts)) {
            if (line.size() > DescriptionColumn && line.size() + 1 + word.size() > LineWidth) {
                text += line + u'\n';
                line.clear();
            }
            line = line.size() < DescriptionColumn ? line.leftJustified(DescriptionColumn) + word
                                                   : line + u' ' + word;
        }
        text += line + u'\n';
    }
    return text;
}

QString JoinCommandLine(int Argc, const char* const* Argv)
{
    QStringList arguments;
    for (int i = 1; i < Argc; ++i)
        arguments << QString::fromLocal8Bit(Argv[i]);
    return arguments.join(u' ');
}

QString NormaliseCommandLine(const QString& CommandLine)
{
    qsizetype begin = 0;
    qsizetype end = CommandLine.size();
    while (begin < end && IsBlankOrControl(CommandLine[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(CommandLine[end - 1]))
        --end;
    return CommandLine.mid(begin, end - begin).toLower();
}

TRunMode SelectRunMode(const QString& Normalised)
{
    const QString mode = Normalised.isEmpty() ? QStringLiteral("/c") : Normalised.left(2);
    if (mode == u"/c")
        return TRunMode::About;
    if (mode == u"/s")
        return TRunMode::Game;
    if (mode == u"/p")
        return TRunMode::Preview;
    if (mode == u"/a")
        return TRunMode::ChangePassword;
    return TRunMode::Nothing;
}

int32_t PasswordParentWindow(const QString& Normalised) { return StrToInt(Normalised.mid(2)); }

TRunMode DispatchRunMode(const QString& CommandLine, const TRunModeActions& Actions)
{
    const QString normalised = NormaliseCommandLine(CommandLine);
    const TRunMode mode = SelectRunMode(normalised);
    switch (mode) {
    case TRunMode::About:
        // A window handle after "/c" (the display settings' form) is not used.
        Actions.ShowAbout();
        break;
    case TRunMode::Game:
        Actions.RunGame();
        break;
    case TRunMode::ChangePassword:
        Actions.ChangePassword(PasswordParentWindow(normalised));
        break;
    case TRunMode::Preview:
    case TRunMode::Nothing:
        break;
    }
    return mode;
}
