// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/serverkeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <cstring>
#include <vector>

struct TServerKeys::TSaved {
    int Key;
    int Index;
    KeySym Symbol;
    XkbAction Action;
};

struct TServerKeys::TSavedList {
    std::vector<TSaved> Entries;
};

namespace {

constexpr unsigned MapParts = XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask;

bool IsServerAction(const XkbAction& Action)
{
    // Terminal switching, ending the server, and the private actions that break grabs or dump
    // the server's windows.
    return Action.type == XkbSA_SwitchScreen || Action.type == XkbSA_Terminate
        || Action.type == XkbSA_XFree86Private;
}

Display* AsDisplay(void* Handle) { return static_cast<Display*>(Handle); }

// Sends the actions of keys First..Last. (The server refuses the whole map sent by XkbSetMap.)
void SendActions(Display* Display, XkbDescPtr Xkb, int First, int Last)
{
    if (First > Last)
        return;
    XkbMapChangesRec changes {};
    changes.changed = XkbKeyActionsMask;
    changes.first_key_act = KeyCode(First);
    changes.num_key_acts = unsigned(Last - First + 1);
    XkbChangeMap(Display, Xkb, &changes);
}

// Xlib's own handler ends the program on any error; a refused change must only be reported.
int LastError = 0;
extern "C" int NoteError(Display*, XErrorEvent* Event)
{
    LastError = Event->error_code;
    return 0;
}

class TErrorTrap {
public:
    TErrorTrap()
        : m_before(XSetErrorHandler(NoteError))
    {
        LastError = 0;
    }
    ~TErrorTrap() { XSetErrorHandler(m_before); }
    TErrorTrap(const TErrorTrap&) = delete;
    TErrorTrap& operator=(const TErrorTrap&) = delete;

private:
    XErrorHandler m_before;
};

} // namespace

int TServerKeys::DisabledCount() const { return m_saved ? int(m_saved->Entries.size()) : 0; }

bool TServerKeys::Disable(const std::string& DisplayName)
{
    Restore();
    TErrorTrap trap;
    int event = 0, error = 0, reason = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    Display* display = XkbOpenDisplay(DisplayName.c_str(), &event, &error, &major, &minor, &reason);
    if (!display) {
        Message = "The X server's keyboard map cannot be changed (no XKB on \"" + DisplayName
            + "\"): Ctrl+Alt+F-keys and Ctrl+Alt+Backspace stay as the server has them.";
        return false;
    }
    XkbDescPtr xkb = XkbGetMap(display, MapParts, XkbUseCoreKbd);
    if (!xkb) {
        XCloseDisplay(display);
        Message = "The X server did not give its keyboard map.";
        return false;
    }
    auto* saved = new TSavedList;
    for (int key = xkb->min_key_code; key <= xkb->max_key_code; ++key) {
        if (!XkbKeyHasActions(xkb, key))
            continue;
        XkbAction* actions = XkbKeyActionsPtr(xkb, key);
        const KeySym* symbols = XkbKeySymsPtr(xkb, key);
        for (int i = 0; i < XkbKeyNumActions(xkb, key); ++i) {
            if (!IsServerAction(actions[i]))
                continue;
            saved->Entries.push_back({ key, i, symbols[i], actions[i] });
            std::memset(&actions[i], 0, sizeof actions[i]);
            actions[i].type = XkbSA_NoAction;
        }
    }
    if (!saved->Entries.empty())
        SendActions(display, xkb, saved->Entries.front().Key, saved->Entries.back().Key);
    XSync(display, False);
    XkbFreeKeyboard(xkb, 0, True);
    if (LastError != 0) {
        XCloseDisplay(display);
        delete saved;
        Message = "The X server refused the changed keyboard map (error " + std::to_string(LastError) + ").";
        return false;
    }
    m_display = display;
    m_saved = saved;
    Message = "The X server's own keys are off: " + std::to_string(saved->Entries.size())
        + " actions taken out of the keyboard map.";
    return true;
}

void TServerKeys::Restore()
{
    if (!m_display)
        return;
    Display* display = AsDisplay(m_display);
    TErrorTrap trap;
    if (!m_saved->Entries.empty()) {
        if (XkbDescPtr xkb = XkbGetMap(display, MapParts, XkbUseCoreKbd)) {
            for (const TSaved& entry : m_saved->Entries) {
                if (entry.Key < xkb->min_key_code || entry.Key > xkb->max_key_code
                    || !XkbKeyHasActions(xkb, entry.Key) || entry.Index >= XkbKeyNumActions(xkb, entry.Key))
                    continue;
                // A map loaded meanwhile is left as it came.
                if (XkbKeySymsPtr(xkb, entry.Key)[entry.Index] != entry.Symbol)
                    continue;
                XkbAction& action = XkbKeyActionsPtr(xkb, entry.Key)[entry.Index];
                if (action.type == XkbSA_NoAction)
                    action = entry.Action;
            }
            SendActions(display, xkb, m_saved->Entries.front().Key, m_saved->Entries.back().Key);
            XkbFreeKeyboard(xkb, 0, True);
        }
    }
    XSync(display, False);
    XCloseDisplay(display);
    m_display = nullptr;
    delete m_saved;
    m_saved = nullptr;
    Message = LastError == 0 ? std::string("The X server's own keys are back.")
                             : "The X server refused the restored keyboard map (error " + std::to_string(LastError) + ").";
}
