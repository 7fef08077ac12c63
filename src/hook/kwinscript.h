// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// KWin on Wayland holds its shortcuts for the game, but any window that opens later takes the
// focus, and no Wayland client may take it back by itself. KWin lets a script of the session do
// it: while locked, a small KWin script (KeepInFrontScript) re-activates the game's window
// whenever another one becomes active, and keeps it above the others. It is loaded through
// KWin's D-Bus interface (org.kde.KWin, /Scripting) and unloaded at the end.
//
// The script's file in $XDG_RUNTIME_DIR (ScriptFile) is also the sign that it is loaded: the
// guardian unloads it when the game dies without doing so, and the next run unloads what a run
// that could not clean up left, so that no script is left fighting the windows of a grown-up.
// GIO's D-Bus client, so that the guardian, which has no Qt, shares it.
#pragma once

#include <string>
#include <sys/types.h>

class TKWinScript {
public:
    // The name the script is loaded under; one per session bus.
    static constexpr char PluginName[] = "tapsy-keep-game-in-front";

    // True when KWin serves its scripting interface on the session bus.
    static bool KWinOnSessionBus();
    // The script's text for the game of process GamePid.
    static std::string KeepInFrontScript(pid_t GamePid);
    // In $XDG_RUNTIME_DIR (else the temporary folder), one per user.
    static std::string ScriptFile();

    // Loads and starts the script for the game of process GamePid (after unloading one that an
    // earlier run left). False, with Message, when KWin refused or could not be reached.
    bool Load(pid_t GamePid);
    // Unloads what Load loaded and removes its file; nothing when it loaded nothing.
    void Unload();
    bool Loaded() const { return m_loaded; }
    // Unloads the script when its file is still there (a game that could not), and removes the
    // file. False (with Message) when there is no such file.
    bool UnloadFromStateFile();

    std::string Message;

private:
    bool m_loaded = false;
};
