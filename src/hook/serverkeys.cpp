// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/serverkeys.h"
#include "hook/runtimefile.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>
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

Display* OpenXkbDisplay(const std::string& DisplayName)
{
    int event = 0, error = 0, reason = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    return XkbOpenDisplay(DisplayName.c_str(), &event, &error, &major, &minor, &reason);
}

// One line per action: key, index, symbol, and the action's bytes in hexadecimal.
bool WriteState(const std::string& Path, const std::vector<TServerKeys::TSaved>& Entries);
std::vector<TServerKeys::TSaved> ReadState(const std::string& Path, bool& Found);

} // namespace

namespace {

bool WriteState(const std::string& Path, const std::vector<TServerKeys::TSaved>& Entries)
{
    // Written whole under another name, then renamed: a crash never leaves half a list.
    const std::string temporary = Path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const TServerKeys::TSaved& entry : Entries) {
            unsigned char bytes[sizeof(XkbAction)];
            std::memcpy(bytes, &entry.Action, sizeof bytes);
            out << entry.Key << ' ' << entry.Index << ' ' << entry.Symbol << ' ';
            char hex[3];
            for (const unsigned char byte : bytes) {
                std::snprintf(hex, sizeof hex, "%02x", byte);
                out << hex;
            }
            out << '\n';
        }
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), Path.c_str()) == 0;
}

std::vector<TServerKeys::TSaved> ReadState(const std::string& Path, bool& Found)
{
    std::vector<TServerKeys::TSaved> entries;
    std::ifstream in(Path);
    Found = bool(in);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        TServerKeys::TSaved entry {};
        std::string hex;
        if (!(fields >> entry.Key >> entry.Index >> entry.Symbol >> hex) || hex.size() != 2 * sizeof(XkbAction))
            continue;
        unsigned char bytes[sizeof(XkbAction)];
        for (size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(std::strtoul(hex.substr(2 * i, 2).c_str(), nullptr, 16));
        std::memcpy(&entry.Action, bytes, sizeof bytes);
        entries.push_back(entry);
    }
    return entries;
}

// Puts the saved actions back where the map still has the same symbols and no action.
void PutBack(Display* Display, const std::vector<TServerKeys::TSaved>& Entries)
{
    if (Entries.empty())
        return;
    XkbDescPtr xkb = XkbGetMap(Display, MapParts, XkbUseCoreKbd);
    if (!xkb)
        return;
    int first = xkb->max_key_code, last = xkb->min_key_code;
    for (const TServerKeys::TSaved& entry : Entries) {
        if (entry.Key < xkb->min_key_code || entry.Key > xkb->max_key_code || !XkbKeyHasActions(xkb, entry.Key)
            || entry.Index < 0 || entry.Index >= XkbKeyNumActions(xkb, entry.Key))
            continue;
        // A map loaded meanwhile is left as it came.
        if (XkbKeySymsPtr(xkb, entry.Key)[entry.Index] != entry.Symbol)
            continue;
        XkbAction& action = XkbKeyActionsPtr(xkb, entry.Key)[entry.Index];
        if (action.type == XkbSA_NoAction)
            action = entry.Action;
        first = std::min(first, entry.Key);
        last = std::max(last, entry.Key);
    }
    SendActions(Display, xkb, first, last);
    XkbFreeKeyboard(xkb, 0, True);
}

} // namespace

std::string TServerKeys::StateFile(const std::string& DisplayName)
{
    std::string display = DisplayName;
    for (char& c : display)
        if (c == '/' || c == ':')
            c = '_';
    return RuntimeStateFile("serverkeys", "-" + display);
}

bool TServerKeys::RestoreFromStateFile(const std::string& DisplayName)
{
    const std::string path = StateFile(DisplayName);
    bool found = false;
    const std::vector<TSaved> entries = ReadState(path, found);
    if (!found) {
        Message = "No keys of an earlier run are left out.";
        return false;
    }
    TErrorTrap trap;
    Display* display = OpenXkbDisplay(DisplayName);
    if (!display) {
        Message = "The X server \"" + DisplayName + "\" is gone; its keys need nothing.";
        std::remove(path.c_str());
        return false;
    }
    PutBack(display, entries);
    XSync(display, False);
    XCloseDisplay(display);
    std::remove(path.c_str());
    Message = "The X server's own keys are back: " + std::to_string(entries.size())
        + " actions that a run which could not end well left out.";
    return LastError == 0;
}

int TServerKeys::DisabledCount() const { return m_saved ? int(m_saved->Entries.size()) : 0; }

bool TServerKeys::Disable(const std::string& DisplayName)
{
    Restore();
    // What an earlier run could not put back is the server's real set: back with it first.
    std::string earlier;
    if (RestoreFromStateFile(DisplayName))
        earlier = Message + " ";
    TErrorTrap trap;
    Display* display = OpenXkbDisplay(DisplayName);
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
    m_stateFile = StateFile(DisplayName);
    const bool stored = WriteState(m_stateFile, saved->Entries);
    Message = earlier + "The X server's own keys are off: " + std::to_string(saved->Entries.size())
        + " actions taken out of the keyboard map."
        + (stored ? "" : " (They could not be saved in " + m_stateFile + ".)");
    return true;
}

void TServerKeys::Restore()
{
    if (!m_display)
        return;
    Display* display = AsDisplay(m_display);
    TErrorTrap trap;
    PutBack(display, m_saved->Entries);
    XSync(display, False);
    XCloseDisplay(display);
    m_display = nullptr;
    delete m_saved;
    m_saved = nullptr;
    std::remove(m_stateFile.c_str());
    Message = LastError == 0 ? std::string("The X server's own keys are back.")
                             : "The X server refused the restored keyboard map (error " + std::to_string(LastError) + ").";
}
