// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The shell's "open": a web or mail address goes to the desktop's browser or mail program, a
// program file is started on its own (detached, no arguments), any other file goes to the
// desktop's viewer for it.
#pragma once

#include <QString>
#include <functional>

// Whether the open could be started; what the started program then does is not reported.
bool ShellOpen(const QString& Target);

using TShellOpenHandler = std::function<bool(const QString& Target)>;

// Puts Handler in place of the desktop for every later ShellOpen and returns the one it
// replaces; an empty handler brings the desktop back. Tests use it so that nothing is started.
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler);
