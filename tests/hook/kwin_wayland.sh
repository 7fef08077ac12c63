#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The game on KWin itself (kwin_wayland --virtual), with a session bus, runtime folder and KWin
# settings private to the test. Which window KWin holds active is heard from a watching KWin
# script of the test's own, which prints every activation into KWin's log.
#   kwin_wayland.sh <tapsy executable> <fakekeys, or "none" where it could not be built>
# - The game loads its keep-in-front script; KWin inhibits its shortcuts for the game.
# - A window that opens later (weston-flower, which stays open when covered, unlike
#   weston-simple-shm) is activated by KWin, and within a few seconds
#   the game's window is the active one again, full screen and kept above.
# - KWin's own shortcuts (Alt+Tab, Alt+F4, Alt+F3, Meta, Meta+D, Ctrl+Alt+Escape), pressed
#   through KWin's fake-input protocol, reach the game, which keeps the keyboard and runs.
# - After the game ends its script is unloaded, a window that opens then keeps the focus, and
#   Alt+F4 closes it (so the keys above do reach KWin's shortcuts).
# - After SIGKILL of the game the guardian unloads the script; after SIGKILL of both, the next
#   run does.
# Exit code 77 (skipped) when kwin_wayland is not installed or does not start here.
set -u
tapsy=$(realpath "$1")
fakekeys=$2
work=$(mktemp -d)
chmod 755 "$work"
game_pid=
kwin_pid=
bus_pid=
other_pids=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  # Guardians left by a test that failed half way: by the process ids the traces name.
  for guardian in $(cat "$work"/*.trace 2>/dev/null | grep -o "A guardian (process [0-9]*)" | grep -o "[0-9]*"); do
    kill -9 "$guardian" 2>/dev/null
  done
  for pid in $other_pids; do kill "$pid" 2>/dev/null; done
  [ -n "$kwin_pid" ] && kill "$kwin_pid" 2>/dev/null && wait "$kwin_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wayland.sh"
on_failure() {
  for trace in "$work"/*.trace; do [ -f "$trace" ] && { echo "--- $trace"; tail -12 "$trace"; }; done
  echo "--- KWin's activations"
  grep -a "tapsy-test:" "$work/kwin.log" | tail -8
}

if ! command -v kwin_wayland >/dev/null; then
  echo "skip - kwin_wayland is not installed (package kwin-wayland)"
  exit 77
fi
for tool in dbus-daemon gdbus weston-flower; do
  command -v $tool >/dev/null || { echo "not ok - $tool is not installed (scripts/install-packages.sh)"; exit 1; }
done
if [ ! -x "$fakekeys" ]; then
  echo "not ok - fakekeys was not built: plasma-wayland-protocols is not installed (scripts/install-packages.sh)"
  exit 1
fi

use_test_content
mkdir -p "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work" GSETTINGS_BACKEND=memory
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS

# kwin_wayland carries a file capability that a container's root may not use; a copy has none.
# KWin offers its fake-input protocol only to programs whose desktop file asks for it, or to any
# without that check.
cp "$(command -v kwin_wayland)" "$work/bin/kwin_wayland"
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES="kwin_scripting.debug=true" "$work/bin/kwin_wayland" --virtual --width 1024 --height 768 \
  --socket tapsy-kwin >"$work/kwin.log" 2>&1 &
kwin_pid=$!
scripting() { # scripting <method> <arguments...>: a call to KWin's scripting interface
  gdbus call --session --dest org.kde.KWin --object-path /Scripting --method "org.kde.kwin.Scripting.$1" "${@:2}" 2>&1
}
kwin_ready() { [ -S "$XDG_RUNTIME_DIR/tapsy-kwin" ] && scripting isScriptLoaded none >/dev/null; }
if ! eventually 30 kwin_ready || ! kill -0 "$kwin_pid" 2>/dev/null; then
  echo "skip - kwin_wayland does not start here:"
  tail -5 "$work/kwin.log"
  exit 77
fi
export WAYLAND_DISPLAY=tapsy-kwin QT_QPA_PLATFORM=wayland

# The test's own watcher: one line in KWin's log per activation.
cat >"$work/watch.js" <<'EOF'
workspace.clientActivated.connect(w => print("tapsy-test: active " + (w ? w.pid + " fullScreen=" + w.fullScreen + " keepAbove=" + w.keepAbove : "none")));
print("tapsy-test: watching");
EOF
scripting loadScript "$work/watch.js" tapsy-test-watch >/dev/null
scripting start >/dev/null
if ! eventually 5 grep -q "tapsy-test: watching" "$work/kwin.log"; then
  echo "not ok - KWin does not run the test's watching script"
  tail -5 "$work/kwin.log"
  exit 1
fi
activations() { grep -a -o "tapsy-test: active .*" "$work/kwin.log"; }
# The last activation KWin made, e.g. "1234 fullScreen=true keepAbove=true" or "none".
last_active() { activations | tail -1 | cut -d' ' -f3-; }
is_active() { [ "$(last_active | cut -d' ' -f1)" = "$1" ]; }
# Whether process $1 was activated among the activations after the first $2.
was_activated() { activations | tail -n +$(($2 + 1)) | grep -q "^tapsy-test: active $1 "; }
probe() { # probe <JavaScript expression>: its value, as KWin's script engine gives it now
  local id
  id=$(date +%s%N) # unique also in a subshell
  printf 'print("tapsy-test: probe %s " + (%s));\n' "$id" "$1" >"$work/probe-$id.js"
  scripting loadScript "$work/probe-$id.js" "tapsy-test-probe-$id" >/dev/null
  scripting start >/dev/null
  eventually 5 grep -q "tapsy-test: probe $id " "$work/kwin.log"
  scripting unloadScript "tapsy-test-probe-$id" >/dev/null
  grep -a -o "tapsy-test: probe $id .*" "$work/kwin.log" | cut -d' ' -f4-
}
# KWin's window of process $1 as "<active> <fullScreen> <keepAbove> <minimized>".
window_state() {
  probe "(function () { const w = workspace.clientList().find(w => w.pid === $1 && w.normalWindow);
    return w ? [w.active, w.fullScreen, w.keepAbove, w.minimized].join(' ') : 'none'; })()"
}
game_in_front() { [ "$(window_state "$game_pid")" = "true true true false" ]; }
is_loaded() { scripting isScriptLoaded tapsy-keep-game-in-front; }
loaded() { [ "$(is_loaded)" = "(true,)" ]; }
unloaded() { [ "$(is_loaded)" = "(false,)" ]; }
script_file="$XDG_RUNTIME_DIR/tapsy-kwin-$(id -u).js"

start_game() {
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$tapsy" /s >"$work/$1.trace" 2>&1 &
  game_pid=$!
  wait_for_text "$work/$1.trace" "KWin keeps the game window active" 20
}
open_other() {
  weston-flower >/dev/null 2>&1 &
  other_pid=$!
  other_pids="$other_pids $other_pid"
}
guardian_of() { grep -o "A guardian (process [0-9]*)" "$work/$1.trace" | grep -o "[0-9]*"; }

start_key_presser "$fakekeys" "KWin gives no fake-input device"
# Linux key codes.
ALT=56 TAB=15 F3=61 F4=62 META=125 D=32 CTRL=29 ESC=1 ONE=2
keys_seen() { grep -c "Virtual CODE=" "$work/$1.trace"; }
# Whether the game saw the key of code $3 after the first $2 keys of its trace $1 (the idle demo
# presses letters of its own in between).
saw_key() { grep "Virtual CODE=" "$work/$1.trace" | tail -n +$(($2 + 1)) | grep -q "CODE=$3,"; }

# A game, and a window that opens after it.
start_game front
check "the game says KWin keeps it in front" grep -q "KWin keeps the game window active" "$work/front.trace"
check "KWin inhibits its shortcuts for the game" eventually 10 grep -q "compositor inhibits its keyboard shortcuts" "$work/front.trace"
check "KWin has the game's script loaded ($(is_loaded))" loaded
check "the game's window is active" eventually 10 is_active "$game_pid"
before=$(activations | wc -l)
open_other
check "KWin activates the window that opened later" eventually 10 was_activated "$other_pid" "$before"
check "within 5 s the game's window is active again ($(last_active))" eventually 5 is_active "$game_pid"
sleep 1 # a fight between the two would show in the next activations
check "... and stays active ($(last_active))" is_active "$game_pid"
check "... full screen and kept above ($(last_active))" [ "$(last_active)" = "$game_pid fullScreen=true keepAbove=true" ]
# Else KWin would have given the focus back by itself, as it does when the active window closes.
check "the other window is still open" kill -0 "$other_pid"
# As if a shortcut got through: the game's window leaves full screen and is minimised.
poked=$(probe "(function () { const w = workspace.clientList().find(w => w.pid === $game_pid && w.fullScreen);
  if (!w) return 'nothing'; w.fullScreen = false; w.minimized = true; return 'done'; })()")
check "the test takes the game out of full screen and minimises it ($poked)" [ "$poked" = "done" ]
check "within 5 s the game's window is back: active, full screen, above ($(window_state "$game_pid"))" eventually 5 game_in_front
check "the game still runs" kill -0 "$game_pid"

# KWin's own shortcuts: after each, the digit 1 still reaches the game.
# Each row: the chord's name, the virtual key code the game sees last, the Linux key codes.
for chord in "Alt+Tab 0X09 $ALT $TAB" "Alt+F4 0X73 $ALT $F4" "Alt+F3 0X72 $ALT $F3" "Meta 0X5B $META" \
  "Meta+D 0X44 $META $D" "Ctrl+Alt+Escape 0X1B $CTRL $ALT $ESC"; do
  read -r name seen codes <<<"$chord"
  before=$(keys_seen front)
  # shellcheck disable=SC2086
  press $codes
  check "$name reached the game" eventually 5 saw_key front "$before" "$seen"
  press $ONE
  check "after $name the game still has the keyboard" eventually 5 saw_key front "$before" 0X31
done
check "the game still runs, active ($(last_active))" is_active "$game_pid"

# The game ends: its script goes, and KWin lets a new window keep the focus.
kill -TERM "$game_pid"
exit_code_of "$game_pid" 20 KILL
game_pid=
check "SIGTERM ends the game with code 0 (got $code)" [ "$code" = 0 ]
check "after the game the script is unloaded ($(is_loaded))" unloaded
check "... and the game says so" grep -q "KWin's script tapsy-keep-game-in-front is unloaded" "$work/front.trace"
check "... and its file is gone" [ ! -e "$script_file" ]
before=$(activations | wc -l)
open_other
check "without the game a new window is activated" eventually 10 was_activated "$other_pid" "$before"
sleep 1
check "... and keeps the focus ($(last_active))" is_active "$other_pid"
press $ALT $F4
check "without the game Alt+F4 closes that window" eventually 5 bash -c "! kill -0 $other_pid 2>/dev/null"

# SIGKILL of the game: the guardian unloads the script.
start_game killed
check "the second game has its script loaded" loaded
guardian=$(guardian_of killed)
check "the game has a guardian (${guardian:-none})" [ -n "$guardian" ]
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=
check "after SIGKILL of the game the guardian unloads the script" eventually 10 unloaded
check "... says so" eventually 5 grep -q "is unloaded (a run that could not end well had left it)" "$work/killed.trace"
check "... and removes its file" [ ! -e "$script_file" ]

# SIGKILL of both: the next run unloads what was left before it loads its own.
start_game both
guardian=$(guardian_of both)
kill -KILL "$guardian" "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=
check "after SIGKILL of the game and its guardian the script is still loaded" loaded
start_game next
check "the next run unloads the script that was left" grep -q "is unloaded (a run that could not end well had left it)" "$work/next.trace"
check "... and loads its own" loaded
kill -TERM "$game_pid"
exit_code_of "$game_pid" 20 KILL
game_pid=
check "after the next run the script is unloaded" unloaded

summary
