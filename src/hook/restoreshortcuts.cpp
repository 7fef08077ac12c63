// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/restoreshortcuts.h"
#include "hook/runtimefile.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace {

constexpr char Schema[] = "org.gnome.mutter.wayland.keybindings";
constexpr char Key[] = "restore-shortcuts";

// The settings of the schema, or null (with Why) when this system has no such key to change.
GSettings* OpenSettings(std::string& Why)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, Schema, TRUE) : nullptr;
    if (!schema || !g_settings_schema_has_key(schema, Key)) {
        if (schema)
            g_settings_schema_unref(schema);
        Why = std::string("No GNOME key binding ") + Key + " here (schema " + Schema + ").";
        return nullptr;
    }
    // Without dconf, GIO keeps values in memory only: emptying there would change nothing.
    GSettingsBackend* backend = g_settings_backend_get_default();
    const bool volatileBackend = std::strcmp(G_OBJECT_TYPE_NAME(backend), "GMemorySettingsBackend") == 0;
    g_object_unref(backend);
    if (volatileBackend) {
        g_settings_schema_unref(schema);
        Why = std::string("GNOME's settings are not kept here (no dconf): ") + Key + " is left alone.";
        return nullptr;
    }
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    return settings;
}

std::string Printed(GVariant* Value)
{
    gchar* text = g_variant_print(Value, TRUE);
    std::string printed = text;
    g_free(text);
    return printed;
}

bool IsEmptyList(GVariant* Value) { return g_variant_n_children(Value) == 0; }

// Sets the key to Text (GVariant text of type as) if it is still empty. True when it was set or
// had been changed meanwhile.
bool PutBack(GSettings* Settings, const std::string& Text, std::string& Message)
{
    GError* error = nullptr;
    GVariant* value = g_variant_parse(G_VARIANT_TYPE_STRING_ARRAY, Text.c_str(), nullptr, nullptr, &error);
    if (!value) {
        Message = std::string("The saved value of ") + Key + " cannot be read (" + error->message + ").";
        g_error_free(error);
        return false;
    }
    g_variant_ref_sink(value);
    GVariant* now = g_settings_get_value(Settings, Key);
    bool done = true;
    if (!IsEmptyList(now)) {
        Message = std::string("GNOME's ") + Key + " was changed meanwhile to " + Printed(now) + "; it is left so.";
    } else if (g_settings_set_value(Settings, Key, value)) {
        g_settings_sync();
        Message = std::string("GNOME's ") + Key + " is back: " + Text + ".";
    } else {
        Message = std::string("GNOME's ") + Key + " could not be put back to " + Text + " (not writable).";
        done = false;
    }
    g_variant_unref(now);
    g_variant_unref(value);
    return done;
}

bool WriteState(const std::string& Path, const std::string& Text)
{
    // Written whole under another name, then renamed: a crash never leaves half a value.
    const std::string temporary = Path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << Text << '\n';
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), Path.c_str()) == 0;
}

} // namespace

std::string TRestoreShortcutsKey::StateFile() { return RuntimeStateFile("restoreshortcuts"); }

bool TRestoreShortcutsKey::RestoreFromStateFile()
{
    const std::string path = StateFile();
    std::ifstream in(path);
    if (!in) {
        Message = "No key binding of an earlier run is left empty.";
        return false;
    }
    std::string text;
    std::getline(in, text);
    in.close();
    std::string why;
    GSettings* settings = OpenSettings(why);
    if (!settings) {
        Message = why;
        std::remove(path.c_str());
        return false;
    }
    const bool done = PutBack(settings, text, Message);
    g_object_unref(settings);
    if (done) {
        std::remove(path.c_str());
        Message += " (A run that could not end well had left it empty.)";
    }
    return done;
}

bool TRestoreShortcutsKey::Disable()
{
    Restore();
    // What an earlier run could not put back is the user's real value: back with it first.
    std::string earlier;
    if (RestoreFromStateFile())
        earlier = Message + " ";
    std::string why;
    GSettings* settings = OpenSettings(why);
    if (!settings) {
        Message = why;
        return false;
    }
    GVariant* before = g_settings_get_value(settings, Key);
    const std::string text = Printed(before);
    g_variant_unref(before);
    // Saved before the change, so that no moment has the key empty without a way back.
    const bool stored = WriteState(StateFile(), text);
    if (!g_settings_set_strv(settings, Key, nullptr)) {
        g_object_unref(settings);
        std::remove(StateFile().c_str());
        Message = earlier + "GNOME's " + Key + " (" + text + ") is not writable: it stays on.";
        return false;
    }
    g_settings_sync();
    g_object_unref(settings);
    m_disabled = true;
    m_saved = text;
    Message = earlier + "GNOME's " + Key + " (" + text + ", which turns the shortcuts on again) is empty while the game runs."
        + (stored ? "" : " (Its value could not be saved in " + StateFile() + ".)");
    return true;
}

void TRestoreShortcutsKey::Restore()
{
    if (!m_disabled)
        return;
    m_disabled = false;
    std::string why;
    GSettings* settings = OpenSettings(why);
    if (!settings) {
        Message = why;
        return;
    }
    if (PutBack(settings, m_saved, Message))
        std::remove(StateFile().c_str());
    g_object_unref(settings);
}
