# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# What the X11 lock-down tests share; sourced, not run, by a script called with
#   <tapsy executable> <keyboardprobe helper>
# It sets tapsy, probe and work (a temporary folder), gives the game test content, ends the game
# ($game_pid) and xterm ($xterm_pid) on exit, and shows the game's last trace after a failed check.
set -u
tapsy=$(realpath "$1")
probe=$(realpath "$2")
work=$(mktemp -d)
xterm_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "$xterm_pid" ] && kill "$xterm_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
# What the game wrote last (a sanitizer's report ends up there too).
on_failure() { [ -f "$work/err" ] && tail -n 40 "$work/err" | sed 's/^/  | /'; }

use_test_content
unset DBUS_SESSION_BUS_ADDRESS

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# geometry_is WINDOW X Y WIDTH HEIGHT: where the window is on the screen, frame or not.
geometry_is() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  grep -q "Absolute upper-left X:  $2\$" <<<"$info" && grep -q "Absolute upper-left Y:  $3\$" <<<"$info" &&
    grep -q "Width: $4\$" <<<"$info" && grep -q "Height: $5\$" <<<"$info"
}
