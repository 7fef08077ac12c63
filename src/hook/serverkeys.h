// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The keys the X server acts on by itself, before any client sees them: Ctrl+Alt+F1..F12
// (switch the virtual terminal), Ctrl+Alt+Backspace (end the X session) and the grab-breaking
// keys some keyboard maps have. A keyboard grab cannot stop those, so while locked their actions
// are taken out of the server's keyboard map (XKB) and afterwards put back, key by key, where
// the map still has the same symbols. The work goes over a connection of its own, so the map
// can also be put back when the program ends after its toolkit closed its connection.
//
// What was taken out is also written to a state file (StateFile), which outlives the program:
// the guardian puts the map back from it when the game dies without doing so, and the next
// Disable puts back what a run that could not clean up left out, before it saves anything of
// its own. So the saved set is always the server's real one.
#pragma once

#include <string>

class TServerKeys {
public:
    // Takes the actions out, on the X display DisplayName. False when there is no such display
    // or it has no XKB; what happened is in Message.
    bool Disable(const std::string& DisplayName);
    // Puts back what Disable took out (and removes its state file); nothing when it took out
    // nothing.
    void Restore();
    bool Disabled() const { return m_display != nullptr; }
    // How many actions the last Disable took out.
    int DisabledCount() const;

    std::string Message;

    // One action taken out: where it was and what it did.
    struct TSaved;

    // The state file of display DisplayName: in $XDG_RUNTIME_DIR (else the temporary folder),
    // one per user and display.
    static std::string StateFile(const std::string& DisplayName);
    // Puts back the actions a state file lists, on display DisplayName, and removes the file.
    // False (with Message) when there is no such file or no display; true when the map was
    // given what the file lists.
    bool RestoreFromStateFile(const std::string& DisplayName);

private:
    struct TSavedList;
    void* m_display = nullptr;
    std::string m_stateFile;
    TSavedList* m_saved = nullptr;
};
