#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The Wayland session from an installed tree: the launcher starts cage (headless, as an ordinary
# user: cage refuses to run as root, so as root the session runs as nobody), cage shows the game
# over its whole output, and the session ends within 5 s with code 0 however the game ends (its
# close on SIGTERM, a crash) and when the login screen ends the session (SIGTERM to the
# launcher), with nothing of it left.
#   session_wayland.sh <build folder>
# Exit code 77 (skipped) only when cage cannot start here at all.
set -u
build=$(realpath "$1")
work=$(mktemp -d)
chmod 755 "$work"
session_pid=
cleanup() {
  [ -n "$session_pid" ] && kill -9 "$session_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/installtree.sh"
on_failure() { [ -n "${log:-}" ] && [ -f "$log" ] && grep -v '^\[' "$log" | tail -n 20 | sed 's/^/  | /'; }

if ! command -v cage >/dev/null; then
  echo "skip - cage is not installed (scripts/install-packages.sh installs it)"
  exit 77
fi
as=()
if [ "$(id -u)" = 0 ]; then
  as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
fi
user_of() { [ "$(id -u)" = 0 ] && echo nobody || id -un; }

install_tree "$work/tree" || exit 1
chmod -R a+rX "$work/tree"
launcher=$(find "$work/tree" -name tapsy-session | head -1)
use_test_content
# Every key plays a sound (the demo's letters too), which the game hears the user's way.
mkdir -p "$work/content/TapsyData"
cp "$(dirname "${BASH_SOURCE[0]}")/../platform/system/data/tone.ogg" "$work/content/TapsyData/"
printf '[Other_Key]\r\nMusic=tone.ogg\r\n' >>"$work/content/TapsyV.ini"
chmod -R a+rX "$work/content"
chown -R "$(user_of)" "$work/config"

# Starts what $2... says as the session's user on a headless output, with its own runtime
# folder; its output goes to $work/$1.log (log) and its process is session_pid.
start() {
  local name=$1 runtime=$work/runtime-$1
  shift
  mkdir -p "$runtime"
  chown "$(user_of)" "$runtime"
  chmod 700 "$runtime"
  log=$work/$name.log
  "${as[@]}" env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    TAPSY_SYSTEM_DIR="$TAPSY_SYSTEM_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$runtime/sound.raw" \
    WAYLAND_DEBUG=client ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$@" >"$log" 2>&1 &
  session_pid=$!
}

# Whether cage can run here at all: a client that only says so.
start probe cage -- sh -c 'echo "a client of cage runs"'
exit_code_of "$session_pid" 10 KILL
session_pid=
if ! grep -q "a client of cage runs" "$log"; then
  echo "skip - cage cannot start headless here:"
  tail -n 5 "$log"
  exit 77
fi

child_of() { ps -o pid= --ppid "$1" 2>/dev/null | head -1 | tr -d ' '; }
cage=
keeper=
game=
find_game() {
  cage=$(child_of "$session_pid")
  [ -n "$cage" ] && keeper=$(child_of "$cage")
  [ -n "$keeper" ] && game=$(child_of "$keeper") && [ -n "$game" ] &&
    [ "$(readlink "/proc/$game/exe")" = "$(dirname "$launcher")/tapsy" ]
}
# The game fills the output when the outputs (side by side: cage spreads its window over all),
# its full-screen window as cage configures it and the buffer it shows there have one size.
fills_output() {
  local outputs window shown
  read -r outputs window shown < <(awk -f "$(dirname "${BASH_SOURCE[0]}")/windowsizes.awk" "$log" "$log")
  [ "$outputs" != x ] && [ "$window" = "$outputs" ] && [ "$shown" = "$outputs" ]
}
pipes_of() { ls -l "/proc/$1/fd" 2>/dev/null | sed -n 's/.*pipe:\[\([0-9]*\)\].*/\1/p' | sort -u; }

# ending | whom it is sent to | the signal | outputs
endings=(
  "the game's close (SIGTERM)|game|TERM|1"
  "a crash of the game (SIGKILL)|game|KILL|1"
  "the end of the session (SIGTERM to the launcher), two outputs|session|TERM|2"
)
for ending in "${endings[@]}"; do
  IFS='|' read -r name whom signal outputs <<<"$ending"
  rm -f "$XDG_CONFIG_HOME/Tapsy/Tapsy.conf"
  start "${whom}-$signal" env WLR_HEADLESS_OUTPUTS="$outputs" "$launcher" --wayland
  if ! eventually 20 find_game; then
    not_ok "$name: cage starts the game"
    kill -9 "$session_pid" 2>/dev/null
    session_pid=
    continue
  fi
  check "$name: the launcher runs cage, which runs the game as $(user_of)" \
    test "$(ps -o comm= -p "$cage")/$(ps -o user= -p "$game" | tr -d ' ')" = "cage/$(user_of)"
  check "$name: the game plays on Wayland" wait_for_text "$log" "The Wayland compositor offers no keyboard-shortcuts inhibition" 20
  check "$name: the game's window fills the output" eventually 20 fills_output
  # The idle demo's first letter comes 4 s after the start: time enough for eight rounds of the
  # game's placement check, which must not keep asking cage for another size.
  check "$name: the game plays by itself" wait_for_text "$log" "Timer1Timer trigged" 20
  check "$name: the game asks for its place at most once" \
    test "$(grep -c 'The game takes the whole screen back' "$log")" -le 1
  check "$name: the demo letter's sound reaches the user's sound output" \
    eventually 10 bash -c "[ -n \"\$(tr -d '\\0' <'$work/runtime-${whom}-$signal/sound.raw' 2>/dev/null | head -c 1)\" ]"
  check "$name: the game keeps its settings where the user's are" \
    grep -q "EnableMusic" "$XDG_CONFIG_HOME/Tapsy/Tapsy.conf"
  check "$name: the game holds nothing of cage's pipe, so nothing it starts can keep cage" \
    test -z "$(comm -12 <(pipes_of "$keeper") <(pipes_of "$game"))"
  if [ "$whom" = game ]; then kill "-$signal" "$game"; else kill "-$signal" "$session_pid"; fi
  exit_code_of "$session_pid" 5 KILL
  session_pid=
  check "$name: the session ends within 5 s with code 0 (got $code)" test "$code" = 0
  check "$name: neither cage nor the game nor its keeper is left" \
    eventually 5 bash -c "! kill -0 $cage 2>/dev/null && ! kill -0 $game 2>/dev/null && ! kill -0 $keeper 2>/dev/null"
  [ "$signal" = TERM ] &&
    check "$name: the game closed as on Ctrl+Alt+Q" grep -q "Signal 15: the game ends" "$log"
done

summary
