#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The program as `cmake --install` lays it out: games/tapsy with its hook library and guardian in
# the private folder lib/tapsy, no run path, and a menu entry that names it by its full path. Run inside scripts/with-xvfb.sh with
#   install_tree.sh <build folder>
# The installed game must find its hook there (keyboard grabbed, guardian started) and leave with
# Ctrl+Alt+Q; without the hook it still plays, even with a Tapsy.dll in the current directory.
set -u
build=$(realpath "$1")
work=$(mktemp -d)
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
on_failure() { [ -f "$work/err" ] && tail -n 20 "$work/err" | sed 's/^/  | /'; }
use_test_content
unset DBUS_SESSION_BUS_ADDRESS

prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" --component game > "$work/install.log" 2>&1; then
  cat "$work/install.log"
  not_ok "cmake --install of the game"
  summary
  exit 1
fi
for file in games/tapsy lib/tapsy/Tapsy.dll lib/tapsy/tapsy-guardian; do
  check "$file is installed" test -f "$prefix/$file"
done
check "nothing of the game's lies in lib/ itself" test -z "$(find "$prefix/lib" -maxdepth 1 -type f)"
check "the program has no run path" \
  sh -c "! readelf -d '$prefix/games/tapsy' | grep -Eq 'RPATH|RUNPATH'"
entry=$prefix/share/applications/tapsy.desktop
command=$(sed -n 's/^Exec=//p' "$entry" 2>/dev/null)
check "the menu entry runs the installed program by its full path (got '$command')" \
  test "$command" = "$prefix/games/tapsy /s"
check "the installed menu entry passes desktop-file-validate" desktop-file-validate "$entry"

# play FOLDER TEXT: starts the menu entry's command from FOLDER, waits for TEXT in its trace, then
# presses Ctrl+Alt+Q until it ends (a key within 400 ms of the start is dropped).
play() {
  (cd "$1" && exec $command) 2> "$work/err" &
  game_pid=$!
  local wid
  wid=$(window_of $game_pid)
  if [ -z "$wid" ]; then
    not_ok "the installed game shows a window"
  else
    wait_for_text "$work/err" "$2" 20 || not_ok "the trace says: $2"
    xdotool windowactivate "$wid" 2>/dev/null
    eventually 10 sh -c "xdotool key ctrl+alt+q; ! kill -0 $game_pid 2>/dev/null"
  fi
  exit_code_of $game_pid 20 KILL
  game_pid=
}

play "$work" "The keyboard is grabbed for the game window"
check "the installed game loads its hook: the keyboard is grabbed" \
  grep -q "The keyboard is grabbed for the game window" "$work/err"
check "the installed hook starts its guardian" grep -q "A guardian (process" "$work/err"
check "Ctrl+Alt+Q ends the installed game with exit code 0 (got $code)" test "$code" = 0

# Without the private folder's hook the game plays unlocked, and never takes the one in the
# current directory.
mkdir "$work/here"
mv "$prefix/lib/tapsy/Tapsy.dll" "$work/here/Tapsy.dll"
play "$work/here" "or its _DisableTaskKeys is missing"
check "without its hook the trace says it is missing" \
  grep -q "Tapsy.dll or its _DisableTaskKeys is missing" "$work/err"
check "a Tapsy.dll in the current directory is not loaded" \
  sh -c "! grep -q 'The keyboard is grabbed' '$work/err'"
check "without its hook Ctrl+Alt+Q ends the game with exit code 0 (got $code)" test "$code" = 0

summary
