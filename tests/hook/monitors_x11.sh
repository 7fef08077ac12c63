#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# A child with the mouse on a desktop of two monitors: clicks with every button, the wheel and
# Alt+drag on both monitors must leave the game active, full screen and holding the keyboard, the
# second monitor covered, and must reach no other program. Run it through scripts/with-xvfb.sh
# with TAPSY_XVFB_MONITORS=2 and a screen of two 1280x1024 monitors side by side, under any of
# its window managers:
#   monitors_x11.sh <tapsy executable> <keyboardprobe helper>
source "$(dirname "${BASH_SOURCE[0]}")/lockdown_x11.sh"
wm=${TAPSY_XVFB_WM:-openbox}

check "$wm: the screen has two monitors" test "$(xrandr --listmonitors | head -1)" = "Monitors: 2"

# Another program a click or a key could reach: it writes what it reads to a file.
xterm -fa "DejaVu Sans Mono" -e sh -c "while read line; do echo \"\$line\" >>'$work/typed'; done" &
xterm_pid=$!
xterm_wid=$(window_of $xterm_pid)
check "$wm: xterm shows a window" test -n "$xterm_wid"

game_holds() {
  kill -0 "$game_pid" 2>/dev/null && active_is "$wid" && geometry_is "$wid" 0 0 1280 1024 &&
    [ -n "$cover" ] && geometry_is "$cover" 1280 0 1280 1024 &&
    test "$(timeout 10 "$probe" grab)" = "held by another client"
}

"$tapsy" /s 2>"$work/err" &
game_pid=$!
# The game's window takes focus, its covers do not (the input hint of their WM_HINTS).
takes_focus() { ! xprop -id "$1" WM_HINTS 2>/dev/null | grep -q "input focus: False"; }
window_of $game_pid >/dev/null
game_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
    takes_focus "$w" && { echo "$w"; return; }
  done
}
wid=
find_game() { wid=$(game_window); [ -n "$wid" ]; }
eventually 10 find_game
if [ -z "$wid" ]; then
  not_ok "$wm: \"/s\" shows a window"
  summary
  exit 1
fi
check "$wm: the game grabs the keyboard" wait_for_text "$work/err" "The keyboard is grabbed for the game window\." 20
check "$wm: the game grabs the mouse" wait_for_text "$work/err" "The mouse is grabbed for the game window\." 20
cover_of() { xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | grep -vx "$wid" | head -1; }

cover=
find_cover() { cover=$(cover_of); [ -n "$cover" ]; }
check "$wm: the second monitor has a cover" eventually 10 find_cover
check "$wm: the cover takes no focus" bash -c "! xprop -id '$cover' WM_HINTS | grep -q 'input focus: True'"
check "$wm: the game is active and full screen on the first monitor, the cover on the second" \
  eventually 10 game_holds

# Each gesture, then a moment for the window manager to react, then the check.
gesture() {
  case $1 in
    click-*) xdotool mousemove "$2" "$3" click "${1#click-}" ;;
    alt-drag) xdotool mousemove "$2" "$3" keydown alt mousedown 1 mousemove_relative 200 150 mouseup 1 keyup alt ;;
  esac
}
for at in "1920 512 second" "640 600 first" "1280 0 edge" "2550 1020 corner"; do
  read -r x y where <<<"$at"
  for g in click-1 click-2 click-3 click-4 click-5 alt-drag; do
    gesture "$g" "$x" "$y"
    sleep 0.5
    check "$wm: $g on the $where monitor ($x,$y): the game still holds both monitors and the keyboard" game_holds
  done
done
xdotool type --delay 20 "leak" && xdotool key Return
sleep 0.5
check "$wm: no key reached xterm while the game ran" test ! -s "$work/typed"

xdotool key ctrl+alt+q
exit_code_of $game_pid 20 KILL
game_pid=
check "$wm: Ctrl+Alt+Q ends the game with exit code 0 (got $code)" test "$code" = 0
timeout 20 xdotool windowactivate --sync "$xterm_wid" 2>/dev/null
xdotool type --delay 20 "free" && xdotool key Return
check "$wm: afterwards keys reach xterm again" eventually 10 grep -qx free "$work/typed"
check "$wm: what was typed during the game never arrived" bash -c "! grep -q leak '$work/typed'"

summary
