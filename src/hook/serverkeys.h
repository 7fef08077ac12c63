// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The keys the X server acts on by itself, before any client sees them: Ctrl+Alt+F1..F12
// (switch the virtual terminal), Ctrl+Alt+Backspace (end the X session) and the grab-breaking
// keys some keyboard maps have. A keyboard grab cannot stop those, so while locked their actions
// are taken out of the server's keyboard map (XKB) and afterwards put back, key by key, where
// the map still has the same symbols. The work goes over a connection of its own, so the map
// can also be put back when the program ends after its toolkit closed its connection.
#pragma once

#include <string>

class TServerKeys {
public:
    // Takes the actions out, on the X display DisplayName. False when there is no such display
    // or it has no XKB; what happened is in Message.
    bool Disable(const std::string& DisplayName);
    // Puts back what Disable took out; nothing when it took out nothing.
    void Restore();
    bool Disabled() const { return m_display != nullptr; }
    // How many actions the last Disable took out.
    int DisabledCount() const;

    std::string Message;

private:
    struct TSaved;
    struct TSavedList;
    void* m_display = nullptr;
    TSavedList* m_saved = nullptr;
};
