#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The X session on a bare X server, as a login screen starts it: no window manager, two
# monitors. The launcher, reached through a link on the PATH from a folder that holds another
# "tapsy", must become the game itself, full screen on the first monitor with the second
# covered, holding the keyboard, with the server's screen saver off; Ctrl+Alt+Q ends it with
# code 0, and so does SIGTERM; a crash ends it too. Run it through scripts/with-xvfb.sh with
# TAPSY_XVFB_WM=none, TAPSY_XVFB_MONITORS=2 and a screen of two 1280x1024 monitors:
#   session_x11.sh <tapsy executable> <keyboardprobe helper> <tapsy-session beside the game>
source "$(dirname "${BASH_SOURCE[0]}")/../hook/lockdown_x11.sh"
launcher=$(realpath "$3")

check "no window manager runs" bash -c "! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'"
check "the screen has two monitors" test "$(xrandr --listmonitors | head -1)" = "Monitors: 2"

mkdir -p "$work/links" "$work/decoy"
ln -s "$launcher" "$work/links/tapsy-session"
printf '#!/bin/sh\ntouch "%s/decoy-ran"\n' "$work" >"$work/decoy/tapsy"
chmod +x "$work/decoy/tapsy"

wid=
cover=
# The game's windows: the one that takes focus, and the cover (override-redirect).
find_windows() {
  local w
  wid=
  cover=
  for w in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
    if xwininfo -id "$w" 2>/dev/null | grep -q "Override Redirect State: yes"; then cover=$w; else wid=$w; fi
  done
  [ -n "$wid" ] && [ -n "$cover" ]
}
holds_the_screen() {
  geometry_is "$wid" 0 0 1280 1024 && geometry_is "$cover" 1280 0 1280 1024 &&
    test "$(timeout 10 "$probe" grab)" = "held by another client"
}

# ending | how | the launcher's exit code
endings=(
  "Ctrl+Alt+Q|key|0"
  "SIGTERM|TERM|0"
  "a crash (SIGSEGV)|SEGV|139"
)
for ending in "${endings[@]}"; do
  name=${ending%%|*}
  rest=${ending#*|}
  how=${rest%%|*}
  expected=${rest#*|}
  xset s 600 600 s blank # what a server starts with
  # Under AddressSanitizer a SIGSEGV would become the sanitizer's report and an abort (134): the
  # crash is left to the system, as in a plain build.
  asan=${ASAN_OPTIONS:-}
  [ "$how" = SEGV ] && asan="${asan:+$asan:}handle_segv=0"
  (cd "$work/decoy" && ASAN_OPTIONS="$asan" PATH="$work/links:$work/decoy:$PATH" exec tapsy-session --x11) 2>"$work/err" &
  game_pid=$!
  if ! eventually 20 find_windows; then
    not_ok "$name: the session shows the game and a cover"
    kill -9 "$game_pid" 2>/dev/null
    game_pid=
    continue
  fi
  check "$name: the launcher has become the game" test "$(readlink "/proc/$game_pid/exe")" = "$tapsy"
  check "$name: the game is full screen on the first monitor, the second is covered, the keyboard is held" \
    eventually 10 holds_the_screen
  check "$name: the X server's screen saver is off" bash -c "xset q | grep -q 'timeout:  0 '"
  if [ "$how" = key ]; then
    xdotool key ctrl+alt+q
  else
    kill "-$how" "$game_pid"
  fi
  exit_code_of "$game_pid" 5 KILL
  game_pid=
  check "$name: the session ends within 5 s with code $expected (got $code)" test "$code" = "$expected"
  check "$name: no window of the game is left" bash -c "! xdotool search --onlyvisible --name Tapsy >/dev/null 2>&1"
done
check "the tapsy of the current folder or the PATH never ran" test ! -e "$work/decoy-ran"

summary
