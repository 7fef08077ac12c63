// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// GNOME's own way out of an inhibition: the key binding restore-shortcuts of the settings schema
// org.gnome.mutter.wayland.keybindings (Super+Escape) turns the desktop's shortcuts on again for
// any window. While locked it is emptied, and afterwards put back, through GSettings (GIO, the
// same library and backend GNOME Shell reads them with).
//
// The value from before is also written to a state file (StateFile), which outlives the program:
// the guardian puts it back from there when the game dies without doing so, and the next Disable
// puts back what a run that could not clean up left empty, before it saves anything of its own.
// A value that someone changed meanwhile (no longer empty) is left as it is.
#pragma once

#include <string>

class TRestoreShortcutsKey {
public:
    // Empties the binding. False when there is nothing to empty (no such schema or key here, no
    // settings backend that keeps values, or it is not writable); what happened is in Message.
    bool Disable();
    // Puts back what Disable emptied (and removes the state file); nothing when it emptied
    // nothing.
    void Restore();
    bool Disabled() const { return m_disabled; }

    std::string Message;

    // In $XDG_RUNTIME_DIR (else the temporary folder), one per user.
    static std::string StateFile();
    // Puts back the value a state file holds, and removes the file. False (with Message) when
    // there is no such file; true when the value is back or had been changed meanwhile.
    bool RestoreFromStateFile();

private:
    bool m_disabled = false;
    std::string m_saved; // the value from before, in GVariant text form
};
