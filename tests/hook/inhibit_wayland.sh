#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The game on real Wayland compositors, headless: sway offers keyboard-shortcuts inhibition, so
# the game must ask for it, hear that it is active, and give it back when it ends; weston offers
# none, so the game must say so once and play on.
#   inhibit_wayland.sh <tapsy executable>
# Exit code 77 (skipped) only when neither compositor can start here.
set -u
tapsy=$(realpath "$1")
work=$(mktemp -d)
chmod 755 "$work"
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null && wait "$compositor_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wayland.sh"
ran=0

use_test_content
export QT_QPA_PLATFORM=wayland
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_SOCKET
# GNOME's key binding, which the game empties where the schema is installed, in $work only.
export GSETTINGS_BACKEND=keyfile

# Runs the game as a screen saver until its trace shows text $2 (or 20 s), then ends it with
# SIGTERM; the trace is in $work/$1.trace and the exit code in game_code.
run_game() {
  # Under the asan preset: Qt's Wayland platform leaves its protocol objects to the end of the
  # process, where LeakSanitizer would count them (our own leaks are checked by the other tests).
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$tapsy" /s >"$work/$1.trace" 2>&1 &
  game_pid=$!
  wait_for_text "$work/$1.trace" "$2" 20
  # What must not come (a second request, a second notice) gets a moment to show itself.
  sleep 1
  kill -TERM "$game_pid" 2>/dev/null
  timeout 20 tail -s 0.1 --pid="$game_pid" -f /dev/null
  if kill -0 "$game_pid" 2>/dev/null; then
    kill -9 "$game_pid"
    wait "$game_pid" 2>/dev/null
    game_code=running
  else
    wait "$game_pid"
    game_code=$?
  fi
  game_pid=
}

count_of() { grep -c "$2" "$work/$1.trace"; }
absent() { ! grep -q "$1" "$2"; }

# sway offers the inhibition.
if ! command -v sway >/dev/null; then
  echo "skip - sway is not installed"
else
  if ! start_sway >"$work/sway.start"; then
    echo "skip - sway does not start headless here:"
    cat "$work/sway.start"
  else
    ran=$((ran + 1))
    run_game sway "compositor inhibits its keyboard shortcuts for the game window"
    check "sway: the game asks once for the inhibition" [ "$(count_of sway 'is asked to inhibit its keyboard shortcuts')" = 1 ]
    check "sway: the compositor answers that it inhibits its shortcuts" grep -q "compositor inhibits its keyboard shortcuts for the game window" "$work/sway.trace"
    check "sway: SIGTERM gives the shortcuts back" grep -q "keyboard shortcuts are given back" "$work/sway.trace"
    check "sway: no word of a missing inhibition" absent "offers no keyboard-shortcuts inhibition" "$work/sway.trace"
    check "sway: the game ends with code 0 (got $game_code)" [ "$game_code" = 0 ]
    stop_compositor
  fi
fi

# weston offers none.
if ! command -v weston >/dev/null; then
  echo "skip - weston is not installed"
else
  if ! start_compositor weston weston --backend=headless-backend.so --socket=tapsy-test --idle-time=0; then
    echo "skip - weston does not start headless here:"
    tail -5 "$work/weston.log"
  else
    ran=$((ran + 1))
    run_game weston "offers no keyboard-shortcuts inhibition"
    check "weston: the game says once that there is no inhibition" [ "$(count_of weston 'offers no keyboard-shortcuts inhibition')" = 1 ]
    check "weston: nothing is asked for" absent "is asked to inhibit" "$work/weston.trace"
    check "weston: the game plays until SIGTERM" grep -q "Signal 15: the game ends" "$work/weston.trace"
    check "weston: the game ends with code 0 (got $game_code)" [ "$game_code" = 0 ]
    stop_compositor
  fi
fi

if [ $ran = 0 ]; then
  echo "skip - no Wayland compositor starts here: nothing was tested"
  exit 77
fi
for name in sway weston; do
  if [ $failed -gt 0 ] && [ -f "$work/$name.trace" ]; then
    echo "--- $name trace:"
    cat "$work/$name.trace"
  fi
done
summary
