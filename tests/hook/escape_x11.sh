#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# A child at the keyboard tries every way out of the game on a real X server with a window
# manager and another application's window open, and the game dies or hangs while locked (run it
# through scripts/with-xvfb.sh):
#   escape_x11.sh <tapsy executable> <keyboardprobe helper>
# At the very end Ctrl+Alt+Backspace, given back to the server, ends the X server.
source "$(dirname "${BASH_SOURCE[0]}")/lockdown_x11.sh"

server_runs() { xdpyinfo >/dev/null 2>&1; }
keyboard_map() { xkbcomp -xkb "$DISPLAY" - 2>/dev/null | md5sum; }
full_screen() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN && geometry_is "$1" 0 0 1280 1024
}
probe_grab() { timeout 10 "$probe" grab >/dev/null; }
game_holds_screen() { kill -0 "$game_pid" 2>/dev/null && active_is "$1" && full_screen "$1"; }

# Starts the game executable $1 and sets game_pid and wid; the trace goes to $work/err.
start_game() {
  "$1" /s 2>"$work/err" &
  game_pid=$!
  wid=$(window_of $game_pid)
}

# The keys a desktop may give the server itself: Ctrl+Alt+Backspace ends the X session.
setxkbmap -option terminate:ctrl_alt_bksp
map_before=$(keyboard_map)
actions_before=$("$probe" actions)
check "the keyboard map has keys the server acts on ($actions_before)" test "${actions_before:-0}" -gt 0

# Another application that takes focus: it reads one line and writes it to a file.
xterm -fa "DejaVu Sans Mono" -e sh -c "read line; echo \"\$line\" >'$work/typed'; sleep 60" &
xterm_pid=$!
xterm_wid=$(window_of $xterm_pid)
check "xterm shows a window" test -n "$xterm_wid"
timeout 20 xdotool windowactivate --sync "$xterm_wid" 2>/dev/null
check "xterm is the active window" eventually 10 active_is "$xterm_wid"

# The game locks the keyboard once its window is mapped.
start_game "$tapsy"
if [ -z "$wid" ]; then
  not_ok "\"/s\" shows a window"
  cat "$work/err"
  summary
  exit 1
fi
check "the game grabs the keyboard" wait_for_text "$work/err" "The keyboard is grabbed for the game window\." 20
check "while locked the server acts on no key by itself" test "$("$probe" actions)" = 0
check "while locked no other client can grab the keyboard" test "$("$probe" grab)" = "held by another client"
check "the game is the active, full-screen window" eventually 10 game_holds_screen "$wid"

# Each chord, then the check. The window manager and the game each get a second to react.
for chord in alt+Tab super super+d alt+F4 alt+space ctrl+Escape alt+F2 Print ctrl+alt+t ctrl+alt+F2 \
  ctrl+alt+BackSpace; do
  xdotool key --clearmodifiers "$chord"
  sleep 1
  check "$chord: the X server still runs" server_runs
  check "$chord: the game is still the active, full-screen window" game_holds_screen "$wid"
done
check "no chord made a second window of the game" \
  test "$(xdotool search --onlyvisible --pid $game_pid | wc -l)" = 1

xdotool key ctrl+alt+q
exit_code_of $game_pid 20 KILL
game_pid=
check "Ctrl+Alt+Q ends the game with exit code 0 (got $code)" test "$code" = 0
check "the trace tells the server's keys are back" grep -q "The X server's own keys are back\." "$work/err"
check "the keyboard map is as before" test "$(keyboard_map)" = "$map_before"
check "the server acts on its keys again" test "$("$probe" actions)" = "$actions_before"
timeout 20 xdotool windowactivate --sync "$xterm_wid" 2>/dev/null
check "xterm can be activated again" eventually 10 active_is "$xterm_wid"
xdotool type --delay 20 "free" && xdotool key Return
check "keys reach xterm again" eventually 10 grep -qx free "$work/typed"
check "the keyboard is free for other clients" probe_grab

# Without the hook library the game starts and plays all the same.
mkdir -p "$work/bare/bin"
cp "$tapsy" "$work/bare/bin/tapsy"
start_game "$work/bare/bin/tapsy"
if [ -n "$wid" ]; then
  check "without Tapsy.dll the game covers the screen" eventually 10 full_screen "$wid"
  check "without Tapsy.dll the trace says so" grep -q "Tapsy.dll or its _DisableTaskKeys is missing" "$work/err"
  check "without Tapsy.dll the keyboard map is left alone" test "$("$probe" actions)" = "$actions_before"
  xdotool windowactivate --sync "$wid" key ctrl+alt+q
else
  not_ok "without Tapsy.dll the game shows a window"
fi
exit_code_of $game_pid 20 KILL
game_pid=
check "without Tapsy.dll Ctrl+Alt+Q ends the game with exit code 0 (got $code)" test "$code" = 0

# SIGTERM and SIGINT end the game and give everything back.
for signal in TERM INT; do
  start_game "$tapsy"
  if [ -z "$wid" ] || ! wait_for_text "$work/err" "The keyboard is grabbed" 20; then
    not_ok "SIG$signal: the game starts and grabs the keyboard"
    exit_code_of $game_pid 1 KILL
    continue
  fi
  check "SIG$signal: locked before the signal" test "$("$probe" actions)" = 0
  kill -$signal $game_pid
  exit_code_of $game_pid 20 KILL
  game_pid=
  check "SIG$signal ends the game with exit code 0 (got $code)" test "$code" = 0
  check "SIG$signal: the keyboard map is as before" test "$(keyboard_map)" = "$map_before"
  check "SIG$signal: the server acts on its keys again" test "$("$probe" actions)" = "$actions_before"
  timeout 20 xdotool windowactivate --sync "$xterm_wid" 2>/dev/null
  check "SIG$signal: xterm can be activated again" eventually 10 active_is "$xterm_wid"
  check "SIG$signal: the keyboard is free for other clients" probe_grab
done

# A game that dies or hangs: its guardian gives everything back.
keys_are_back() { test "$("$probe" actions)" = "$actions_before"; }
start_locked_game() { # $1: what the checks call this run
  start_game "$tapsy"
  if [ -z "$wid" ] || ! wait_for_text "$work/err" "The keyboard is grabbed" 20; then
    not_ok "$1: the game starts and grabs the keyboard"
    exit_code_of $game_pid 1 KILL
    game_pid=
    return 1
  fi
  check "$1: a guardian watches the game" grep -q "A guardian (process [0-9]*) gives the keys back" "$work/err"
}
if start_locked_game SIGKILL; then
  kill -KILL $game_pid
  exit_code_of $game_pid 20 KILL
  game_pid=
  check "SIGKILL: the server acts on its keys again" eventually 10 keys_are_back
  check "SIGKILL: the keyboard is free for other clients" eventually 10 probe_grab
  check "SIGKILL: the guardian says so" eventually 10 grep -q "Tapsy guardian: The X server's own keys are back" "$work/err"
fi
# A stuck user-interface thread (here the whole game is stopped): the guardian ends the game.
if start_locked_game hang; then
  kill -STOP $game_pid
  exit_code_of $game_pid 30 KILL
  game_pid=
  check "hang: the guardian ends the game that stopped answering (got $code)" test "$code" = 137
  check "hang: the guardian says why" grep -q "Tapsy guardian: the game has not answered" "$work/err"
  check "hang: the server acts on its keys again" eventually 10 keys_are_back
  check "hang: the keyboard is free for other clients" eventually 10 probe_grab
fi
# Neither the game nor its guardian could end well: the next run puts back the real set first,
# and what it saves and gives back at its end is that set, not the map it found.
if start_locked_game "both killed"; then
  pkill -KILL -P $game_pid -x tapsy-guardian
  kill -KILL $game_pid
  exit_code_of $game_pid 20 KILL
  game_pid=
  check "both killed: the keys stay out ($("$probe" actions) actions)" test "$("$probe" actions)" = 0
  if start_locked_game "next run"; then
    check "next run: the trace says it put back what the last run left out" \
      grep -q "actions that a run which could not end well left out" "$work/err"
    xdotool key ctrl+alt+q
    exit_code_of $game_pid 20 KILL
    game_pid=
    check "next run: Ctrl+Alt+Q ends it with exit code 0 (got $code)" test "$code" = 0
    check "next run: at its end the server has its real set of keys" keys_are_back
  fi
fi

# Given back for real: Ctrl+Alt+Backspace ends the X server now.
kill "$xterm_pid" 2>/dev/null
xterm_pid=
xdotool key ctrl+alt+BackSpace
server_gone() { ! server_runs; }
check "after the game, Ctrl+Alt+Backspace ends the X server as the map says" eventually 10 server_gone

summary
