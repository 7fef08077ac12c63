#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The game on GNOME Shell itself, headless on Wayland, with keys pressed through mutter's
# remote-desktop interface. Everything is private to the test: a session bus and a system bus of
# its own, the permission store's data, GSettings in a keyfile, the menu entry in $work.
#   gnome_shell.sh <tapsy executable> <remotekeys>
# - With consent (GRANTED, written by --allow-lockdown) GNOME inhibits its shortcuts at once;
#   after Super+Escape, Super, Super+D, Alt+Tab, Alt+F4, Alt+F2, Print and Ctrl+Alt+F2 the game
#   still has the keyboard, the focus and full screen, and runs, and GNOME never turns its shortcuts on again; when it does
#   (Super+Escape with the binding put back), the game asks again and has them again.
# - With GNOME's stored Deny nothing is inhibited and the trace says the lock-down is denied.
# Exit code 77 (skipped) when GNOME Shell is not installed or does not start here.
set -u
tapsy=$(realpath "$1")
remotekeys=$(realpath "$2")
work=$(mktemp -d)
chmod 755 "$work"
game_pid=
shell_pid=
bus_pids=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "${keys_PID:-}" ] && kill "$keys_PID" 2>/dev/null
  [ -n "$shell_pid" ] && kill -9 "$shell_pid" 2>/dev/null
  # $bus_pids, and what GNOME Shell started on them (the accessibility bus names $work).
  local pid
  for pid in $bus_pids $(pgrep -f "$work" 2>/dev/null); do
    [ "$pid" != $$ ] && kill "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wayland.sh"
on_failure() { for trace in "$work"/*.trace; do [ -f "$trace" ] && { echo "--- $trace"; tail -12 "$trace"; }; done; }

if ! command -v gnome-shell >/dev/null; then
  echo "skip - gnome-shell is not installed"
  exit 77
fi

use_test_content
mkdir -p "$work/runtime" "$work/data/applications" "$work/bin"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data" HOME="$work" GSETTINGS_BACKEND=keyfile
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET
# GNOME Shell matches the window to the menu entry only when the entry's program is on its PATH.
ln -s "$tapsy" "$work/bin/tapsy"
export PATH="$work/bin:$PATH"
cp "$(dirname "${BASH_SOURCE[0]}")/../../data/tapsy.desktop" "$work/data/applications/"

start_bus() { dbus-daemon --session --fork --print-address=1 --print-pid=1; }
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r pid; } < <(start_bus)
bus_pids="$pid"
{ read -r DBUS_SYSTEM_BUS_ADDRESS; read -r pid; } < <(start_bus)
bus_pids="$bus_pids $pid"
export DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS

gnome-shell --headless --wayland --no-x11 --virtual-monitor 1024x768 >"$work/shell.log" 2>&1 &
shell_pid=$!
shell_ready() { [ -S "$XDG_RUNTIME_DIR/wayland-0" ] && gdbus introspect --session --dest org.gnome.Mutter.RemoteDesktop --object-path /org/gnome/Mutter/RemoteDesktop >/dev/null 2>&1; }
if ! eventually 30 shell_ready || ! kill -0 "$shell_pid" 2>/dev/null; then
  echo "skip - GNOME Shell does not start headless here:"
  tail -5 "$work/shell.log"
  exit 77
fi
export WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland

start_key_presser "$remotekeys" "no remote-desktop session on GNOME Shell"
# Linux key codes.
SUPER=125 ESC=1 ALT=56 TAB=15 F4=62 F2=60 CTRL=29 Q=16 D=32 ONE=2 PRINT=99
store() {
  gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
    --object-path /org/freedesktop/impl/portal/PermissionStore \
    --method "org.freedesktop.impl.portal.PermissionStore.$1" "${@:2}" 2>&1
}
binding() { gsettings get org.gnome.mutter.wayland.keybindings restore-shortcuts; }

start_game() {
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$tapsy" /s >"$work/$1.trace" 2>&1 &
  game_pid=$!
  wait_for_text "$work/$1.trace" "is asked to inhibit its keyboard shortcuts" 20
}
end_game() {
  kill -TERM "$game_pid" 2>/dev/null
  exit_code_of "$game_pid" 20 KILL
  game_pid=
}
keys_seen() { grep -c "Virtual CODE=" "$work/$1.trace"; }
# Whether the game saw the key of code $3 after the first $2 keys of its trace $1 (the idle demo
# presses letters of its own in between).
saw_key() { grep "Virtual CODE=" "$work/$1.trace" | tail -n +$(($2 + 1)) | grep -q "CODE=$3,"; }
absent_text() { ! grep -q "$1" "$2"; }

# With consent.
# GNOME Shell starts in its overview, which keeps the keyboard until it is left (Escape); a new
# remote-desktop session loses its first keys too, so Escape goes twice.
press $ESC
press $ESC
"$tapsy" --allow-lockdown >/dev/null
start_game granted
check "GRANTED: GNOME inhibits its shortcuts for the game" eventually 10 grep -q "compositor inhibits its keyboard shortcuts" "$work/granted.trace"
check "GRANTED: restore-shortcuts is empty ($(binding))" [ "$(binding)" = "@as []" ]
# The digit 1 until the game sees one.
for try in 1 2 3 4 5; do
  press $ONE
  eventually 2 saw_key granted 0 0X31 && break
done
check "the game sees keys pressed through the remote-desktop session" saw_key granted 0 0X31
# After each chord the digit 1 still reaches the game: GNOME did not take the keyboard (no
# overview, switcher, run dialog or closed window). Nor did it take full screen or the focus
# from the game, which would say so in its trace.
count_text() { grep -c "$1" "$work/granted.trace"; }
screen_taken=$(count_text "takes the whole screen back")
focus_taken=$(count_text "Another window has the focus")
for chord in "$SUPER $ESC" "$SUPER" "$SUPER $D" "$ALT $TAB" "$ALT $F4" "$ALT $F2" "$PRINT" "$CTRL $ALT $F2"; do
  before=$(keys_seen granted)
  # shellcheck disable=SC2086
  press $chord
  press $ONE
  check "after the keys $chord the game still has the keyboard" eventually 5 saw_key granted "$before" 0X31
done
for chord in "0X09:Alt+Tab" "0X73:Alt+F4" "0X71:Alt+F2"; do
  check "${chord#*:} reached the game" grep -q "CODE=${chord%%:*}," "$work/granted.trace"
done
check "the game stayed full screen through every chord" [ "$(count_text "takes the whole screen back")" = "$screen_taken" ]
check "the game kept the focus through every chord" [ "$(count_text "Another window has the focus")" = "$focus_taken" ]
check "GNOME never turned the shortcuts on again" absent_text "turned its keyboard shortcuts on again" "$work/granted.trace"
check "the game still runs" kill -0 "$game_pid"
# With the binding back (as if the game could not empty it), Super+Escape turns GNOME's shortcuts
# on again; the game asks again at once and GNOME, with consent, inhibits them again.
gsettings set org.gnome.mutter.wayland.keybindings restore-shortcuts "['<Super>Escape']"
press $SUPER $ESC
check "Super+Escape with the binding: GNOME turns its shortcuts on again" eventually 5 grep -q "turned its keyboard shortcuts on again; the game asks again at once" "$work/granted.trace"
twice() { [ "$(grep -c "compositor inhibits its keyboard shortcuts" "$work/granted.trace")" = 2 ]; }
check "... the game asks again and GNOME inhibits them again" eventually 5 twice
gsettings set org.gnome.mutter.wayland.keybindings restore-shortcuts "@as []"
before=$(keys_seen granted)
press $CTRL $ALT $Q
exit_code_of "$game_pid" 10 KILL
game_pid=
check "Ctrl+Alt+Q ends the game with code 0 (got $code)" [ "$code" = 0 ]
check "restore-shortcuts is back ($(binding))" [ "$(binding)" = "['<Super>Escape']" ]

# GNOME's own Deny.
store Set gnome true shortcuts-inhibitor "{'tapsy.desktop': ['DENIED']}" "<@av []>" >/dev/null
start_game denied
check "DENIED: the trace says the lock-down is denied" eventually 10 grep -q "The lock-down is denied" "$work/denied.trace"
sleep 2 # what must not come gets a moment to show itself
check "DENIED: GNOME inhibits nothing" absent_text "compositor inhibits its keyboard shortcuts" "$work/denied.trace"
end_game

summary
