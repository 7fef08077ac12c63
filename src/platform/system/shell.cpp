// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

TShellOpenHandler& CurrentHandler()
{
    static TShellOpenHandler handler;
    return handler;
}

bool DesktopOpen(const QString& Target)
{
    if (Target.startsWith(u'/')) {
        const QFileInfo file(Target);
        if (file.isFile() && file.isExecutable())
            return QProcess::startDetached(Target, {});
        return QDesktopServices::openUrl(QUrl::fromLocalFile(Target));
    }
    const QUrl url(Target, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace

bool ShellOpen(const QString& Target)
{
    if (CurrentHandler())
        return CurrentHandler()(Target);
    return DesktopOpen(Target);
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler)
{
    TShellOpenHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(Handler);
    return previous;
}
