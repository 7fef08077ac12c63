// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// GNOME Shell's remembered answer to its dialog "Allow inhibiting shortcuts". Before GNOME lets a
// window hold the desktop's shortcuts it looks the application up in the desktop's permission
// store (the session bus service org.freedesktop.impl.portal.PermissionStore, table "gnome", id
// "shortcuts-inhibitor", one entry per desktop file id, the value ["GRANTED"] or ["DENIED"]);
// only without an entry does it ask. The game reads the entry at start; a grown-up writes
// GRANTED once, from the command line (--allow-lockdown) or the About window.
#pragma once

#include <QString>
#include <functional>

class QObject;

// The game's desktop file id as GNOME Shell names the application (data/tapsy.desktop).
inline constexpr char GameDesktopFileId[] = "tapsy.desktop";
// The desktop file name the program gives the toolkit, which passes it to the compositor.
inline constexpr char GameDesktopFileName[] = "tapsy";

enum class TShortcutsPermission {
    NotStored, // GNOME will ask
    Granted,
    Denied,
    Other, // an entry GNOME does not read as GRANTED: it counts as a denial
    NoStore, // no session bus, or no permission store on it
};

struct TPermissionAnswer {
    TShortcutsPermission Permission = TShortcutsPermission::NoStore;
    QString Error; // why there is no answer, for NoStore
};

// Looks the game's entry up, waiting at most a few seconds for the store.
TPermissionAnswer LookupShortcutsPermission();
// The same without waiting: Done is called on Context's thread when the store has answered.
void LookupShortcutsPermissionLater(QObject* Context, std::function<void(const TPermissionAnswer&)> Done);

// Stores GRANTED for the game, leaving every other application's entry as it is, and reads the
// entry back. Empty on success, else what went wrong.
QString GrantShortcutsPermission();

// What giving consent does, in plain words for a parent, before it is given.
QString LockdownConsentText();
// What the parent learns after GrantShortcutsPermission: Error empty or not.
QString LockdownConsentResult(const QString& Error);
// The command that gives consent: the running program with --allow-lockdown.
QString AllowLockdownCommand();
