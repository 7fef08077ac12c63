// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "hook/kwinscript.h"
#include "hook/runtimefile.h"

#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char KWinService[] = "org.kde.KWin";
constexpr char ScriptingPath[] = "/Scripting";
constexpr char ScriptingInterface[] = "org.kde.kwin.Scripting";
// KWin answers at once; a compositor that does not must not stall the game's start.
constexpr int CallTimeoutMs = 3000;

// The session bus, or null (with Why). Never one started on demand (GIO's autolaunch): a
// session without a bus has no KWin on it either.
GDBusConnection* SessionBus(std::string& Why)
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat socket { };
    const bool runtimeBus
        = runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &socket) == 0;
    if (!(address && *address) && !runtimeBus) {
        Why = "no session bus";
        return nullptr;
    }
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        Why = std::string("no session bus (") + error->message + ")";
        g_error_free(error);
    }
    return bus;
}

// Calls Method of KWin's scripting interface; the reply, or null (with Why).
GVariant* CallScripting(
    const char* Method, GVariant* Arguments, const char* ReplyType, std::string& Why)
{
    GDBusConnection* bus = SessionBus(Why);
    if (!bus) {
        if (Arguments)
            g_variant_unref(g_variant_ref_sink(Arguments));
        return nullptr;
    }
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(bus, KWinService, ScriptingPath,
        ScriptingInterface, Method, Arguments, ReplyType ? G_VARIANT_TYPE(ReplyType) : nullptr,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, CallTimeoutMs, nullptr, &error);
    if (!reply) {
        Why = std::string("KWin's ") + Method + " failed: " + error->message;
        g_error_free(error);
    }
    g_object_unref(bus);
    return reply;
}

// Asks KWin to unload the script of our name. True when one was loaded.
bool UnloadByName(std::string& Why)
{
    GVariant* reply
        = CallScripting("unloadScript", g_variant_new("(s)", TKWinScript::PluginName), "(b)", Why);
    if (!reply)
        return false;
    gboolean unloaded = FALSE;
    g_variant_get(reply, "(b)", &unloaded);
    g_variant_unref(reply);
    return unloaded;
}

bool WriteWhole(const std::string& Path, const std::string& Text)
{
    // Written under another name, then renamed: KWin never reads half a script.
    const std::string temporary = Path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << Text;
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), Path.c_str()) == 0;
}

} // namespace

bool TKWinScript::KWinOnSessionBus()
{
    std::string why;
    GDBusConnection* bus = SessionBus(why);
    if (!bus)
        return false;
    GVariant* reply
        = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus", "NameHasOwner", g_variant_new("(s)", KWinService),
            G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, CallTimeoutMs, nullptr, nullptr);
    g_object_unref(bus);
    if (!reply)
        return false;
    gboolean owned = FALSE;
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
    return owned;
}

std::string TKWinScript::KeepInFrontScript(pid_t GamePid)
{
    // Written for KWin 5.27's scripting interface (workspace.activeClient, clientActivated,
    // clientList, QTimer); KWin 6 says "window" where KWin 5 says "client", so both names are
    // tried, but only 5.27 is tested. The game's window is its full-screen one (its covers of
    // further monitors are not full screen); while it is not known yet, any normal window of the
    // game stands for it. A window of the game itself that becomes active is left active.
    return "// Tapsy: keeps the game (process " + std::to_string(GamePid)
        + ") active and above other windows while it runs.\n"
          "const gamePid = "
        + std::to_string(GamePid) + ";\n"
        + R"js(const kwin5 = typeof workspace.clientList === "function";
const allWindows = () => kwin5 ? workspace.clientList() : workspace.windowList();
const activeWindow = () => kwin5 ? workspace.activeClient : workspace.activeWindow;
function activate(window) {
    if (kwin5)
        workspace.activeClient = window;
    else
        workspace.activeWindow = window;
}
let game = null;
function isOfGame(window) { return !!window && window.pid === gamePid; }
function gameWindow() {
    if (game !== null)
        return game;
    const windows = allWindows().filter(w => isOfGame(w) && w.normalWindow);
    game = windows.find(w => w.fullScreen) || null;
    return game || windows[0] || null;
}
function keepInFront() {
    const window = gameWindow();
    if (window === null)
        return;
    // Activating also un-minimises it; the game itself takes full screen back.
    window.keepAbove = true;
    if (!isOfGame(activeWindow()))
        activate(window);
}
// Never from inside KWin's own activation: a window activated there is marked active without
// KWin taking it as its active window, and cannot be activated again.
const soon = new QTimer();
soon.singleShot = true;
soon.interval = 0;
soon.timeout.connect(keepInFront);
const keepInFrontSoon = () => soon.start();
(kwin5 ? workspace.clientActivated : workspace.windowActivated).connect(keepInFrontSoon);
(kwin5 ? workspace.clientAdded : workspace.windowAdded).connect(keepInFrontSoon);
(kwin5 ? workspace.clientRemoved : workspace.windowRemoved).connect(w => { if (w === game) game = null; });
keepInFront();
)js";
}

std::string TKWinScript::ScriptFile() { return RuntimeStateFile("kwin", ".js"); }

bool TKWinScript::Load(pid_t GamePid)
{
    Unload();
    std::string earlier;
    if (UnloadFromStateFile())
        earlier = Message + " ";
    std::string why;
    // One of our name without its file (removed with the runtime folder) would block the load.
    if (UnloadByName(why))
        earlier += "A KWin script of an earlier run was still loaded; it is gone. ";
    const std::string path = ScriptFile();
    if (!WriteWhole(path, KeepInFrontScript(GamePid))) {
        Message = earlier + "KWin cannot keep the game in front: its script cannot be written to "
            + path + ".";
        return false;
    }
    GVariant* reply
        = CallScripting("loadScript", g_variant_new("(ss)", path.c_str(), PluginName), "(i)", why);
    gint32 id = -1;
    if (reply) {
        g_variant_get(reply, "(i)", &id);
        g_variant_unref(reply);
        if (id < 0)
            why = "KWin refused to load it";
    }
    if (id < 0) {
        std::remove(path.c_str());
        Message = earlier + "KWin cannot keep the game in front (" + why
            + "): a window that opens later takes the focus from the game.";
        return false;
    }
    // From here the file says the script is loaded, even if starting it fails.
    m_loaded = true;
    if (GVariant* started = CallScripting("start", nullptr, nullptr, why)) {
        g_variant_unref(started);
        Message = earlier
            + "KWin keeps the game window active and above other windows while it runs (KWin "
              "script "
            + PluginName + ").";
        return true;
    }
    Unload();
    Message = earlier + "KWin cannot keep the game in front (" + why
        + "): a window that opens later takes the focus from the game.";
    return false;
}

void TKWinScript::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    std::string why;
    const bool unloaded = UnloadByName(why);
    std::remove(ScriptFile().c_str());
    Message = unloaded ? std::string("KWin's script ") + PluginName
            + " is unloaded: KWin lets other windows take the focus again."
                       : std::string("KWin's script ") + PluginName + " was not loaded any more"
            + (why.empty() ? "." : " (" + why + ").");
}

bool TKWinScript::UnloadFromStateFile()
{
    const std::string path = ScriptFile();
    if (access(path.c_str(), F_OK) != 0) {
        Message = "No KWin script of an earlier run is left.";
        return false;
    }
    std::string why;
    const bool unloaded = UnloadByName(why);
    std::remove(path.c_str());
    if (unloaded)
        Message = std::string("KWin's script ") + PluginName
            + " is unloaded (a run that could not end well had left it): KWin lets other windows "
              "take the focus again.";
    else
        Message = std::string("KWin's script ") + PluginName
            + " of an earlier run was not loaded any more"
            + (why.empty() ? "." : " (" + why + ").");
    return true;
}
