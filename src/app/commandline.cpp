// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/commandline.h"

#include "platform/system/sysutils.h"

#include <QStringList>

namespace {

bool IsBlankOrControl(QChar Ch)
{
    return Ch.unicode() <= u' ' || Ch.category() == QChar::Other_Control;
}

} // namespace

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
