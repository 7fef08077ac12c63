#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The run modes of the real program on a real X server (run it through scripts/with-xvfb.sh,
# whose screen is 1280x1024):
#   runmodes_x11.sh <tapsy executable> <fake mpr.DLL>
set -u
tapsy=$(realpath "$1")
fake_mpr=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

# Modes that show nothing end at once with exit code 0.
for args in "/p 123" "/x" "/P" "/a 1234"; do
  # shellcheck disable=SC2086
  timeout 20 "$tapsy" $args >/dev/null 2>&1
  code=$?
  check "\"$args\" ends at once with exit code 0 (got $code)" test "$code" = 0
done

# Without a display the windowed modes say so and end; they do not crash.
for args in "/s" "/c" "/a xyz"; do
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$tapsy" $args >/dev/null 2>"$work/err"
  code=$?
  check "\"$args\" without a display ends with exit code 0 (got $code)" test "$code" = 0
  check "\"$args\" without a display says why" grep -q "^Tapsy: .*\.$" "$work/err"
done

# "/a" calls the password change of a library named mpr.DLL beside the program, if there is one.
mkdir "$work/installed"
cp "$tapsy" "$work/installed/tapsy"
cp "$fake_mpr" "$work/installed/mpr.DLL"
TAPSY_FAKE_MPR_LOG="$work/mpr.log" timeout 20 "$work/installed/tapsy" /a 1234 >/dev/null 2>&1
code=$?
check "\"/a 1234\" with mpr.DLL beside the program ends with exit code 0 (got $code)" test "$code" = 0
check "\"/a 1234\" calls PwdChangePasswordA(\"SCRSAVE\", 1234, 0, 0)" \
  grep -qx "SCRSAVE 1234 0 0" "$work/mpr.log"
# ... and never one in the current directory.
(cd "$work/installed" && TAPSY_FAKE_MPR_LOG="$work/cwd.log" timeout 20 "$tapsy" /a 99 >/dev/null 2>&1)
check "\"/a\" does not load mpr.DLL from the current directory" test ! -e "$work/cwd.log"

# "/a" without a number shows the conversion error; OK ends the program.
for args in "/a" "/a xyz"; do
  # shellcheck disable=SC2086
  "$tapsy" $args >/dev/null 2>"$work/err" &
  pid=$!
  wid=$(window_of $pid)
  if [ -n "$wid" ]; then
    check "\"$args\" shows a message box titled Tapsy" test "$(xdotool getwindowname "$wid")" = Tapsy
    xdotool windowactivate --sync "$wid" key Return
  else
    not_ok "\"$args\" shows a message box"
  fi
  exit_code_of $pid 20
  check "\"$args\" ends with exit code 0 after OK (got $code)" test "$code" = 0
  check "\"$args\" reports the conversion error" grep -q "is not a valid integer value\.$" "$work/err"
done

# "" and "/c" show the About window; its Close button ends the program.
for args in "" "/c" "/C:1234"; do
  # shellcheck disable=SC2086
  "$tapsy" $args >/dev/null 2>&1 &
  pid=$!
  wid=$(window_of $pid)
  if [ -n "$wid" ]; then
    check "\"$args\" shows the window About" test "$(xdotool getwindowname "$wid")" = About
    about_size() { xwininfo -id "$wid" | grep -E '^ *(Width|Height):' | tr -s ' ' | tr '\n' ' '; }
    is_about_size() { test "$(about_size)" = " Width: 414  Height: 279 "; }
    check "\"$args\": the About window is 414 x 279 ($(about_size))" eventually 10 is_about_size
    xdotool mousemove --window "$wid" --sync 365 260 click 1 # the middle of Close
  else
    not_ok "\"$args\" shows the About window"
  fi
  exit_code_of $pid 20
  check "\"$args\": Close ends the program with exit code 0 (got $code)" test "$code" = 0
done

covers_screen() {
  local info
  info=$(xwininfo -id "$1")
  grep -q 'Absolute upper-left X:  0$' <<<"$info" && grep -q 'Absolute upper-left Y:  0$' <<<"$info" &&
    grep -q 'Width: 1280$' <<<"$info" && grep -q 'Height: 1024$' <<<"$info"
}

# "/s": one borderless, topmost window over the whole screen; Ctrl+Alt+Q (also with Shift)
# ends it with exit code 0; the mouse neither opens a menu nor ends the game.
for chord in ctrl+alt+q ctrl+alt+shift+q; do
  "$tapsy" /s >/dev/null 2>"$work/err" &
  pid=$!
  wid=$(window_of $pid)
  if [ -z "$wid" ]; then
    not_ok "\"/s\" shows a window"
    exit_code_of $pid 1
    continue
  fi
  if [ $chord = ctrl+alt+q ]; then
    # The window manager places and decorates the window in its own time.
    stays_on_top() { xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
    borderless() { xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q "= 0, 0, 0, 0"; }
    check "\"/s\": the window covers the screen from its top-left corner" eventually 10 covers_screen "$wid"
    check "\"/s\": the window stays on top ($(xprop -id "$wid" _NET_WM_STATE))" eventually 10 stays_on_top
    check "\"/s\": the window has no border ($(xprop -id "$wid" _NET_FRAME_EXTENTS))" eventually 10 borderless
    check "\"/s\": the program shows exactly one window" \
      test "$(xdotool search --onlyvisible --pid $pid | wc -l)" = 1
    xdotool mousemove --sync 700 600 click 3
    xdotool mousemove --sync 100 100 click 3
    xdotool mousemove --sync 900 900
    check "\"/s\": right clicks open no menu" test "$(xdotool search --onlyvisible --pid $pid | wc -l)" = 1
    check "\"/s\": moving and clicking the mouse does not end the game" kill -0 $pid
  fi
  xdotool windowactivate --sync "$wid" key $chord
  exit_code_of $pid 20
  check "\"/s\": $chord ends the game with exit code 0 (got $code)" test "$code" = 0
  # Events are handled in order, so both right clicks were handled before the chord. (An open
  # menu would have taken the chord for itself.)
  if [ $chord = ctrl+alt+q ]; then
    check "\"/s\": each right click is caught and traced" \
      test "$(grep -c '  WM_CONTEXTMENU captured\.\.\.$' "$work/err")" = 2
  fi
done

summary
