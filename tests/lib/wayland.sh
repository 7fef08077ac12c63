# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Headless Wayland compositors for the shell tests; sourced, not run. The sourcing script sets
# `work` (its own temporary folder) first.

compositor_pid=

# Starts compositor $1 (a command line after it) with its own runtime folder; sets WAYLAND_DISPLAY
# and XDG_RUNTIME_DIR, and returns 1 when no socket appears within 10 s. sway refuses to run as
# root, so as root the compositors run as nobody.
start_compositor() {
  local name=$1 runtime="$work/runtime-$1" deadline
  shift
  mkdir -p "$runtime"
  chmod 700 "$runtime"
  local as=()
  if [ "$(id -u)" = 0 ]; then
    chown nobody "$runtime"
    as=(runuser -u nobody --)
  fi
  "${as[@]}" env HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$@" >"$work/$name.log" 2>&1 &
  compositor_pid=$!
  export XDG_RUNTIME_DIR="$runtime"
  deadline=$((SECONDS + 10))
  until WAYLAND_DISPLAY=$(ls "$runtime" 2>/dev/null | grep -E '^(wayland-[0-9]+|tapsy-test)$' | head -1) &&
    [ -n "$WAYLAND_DISPLAY" ] && [ -S "$runtime/$WAYLAND_DISPLAY" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$compositor_pid" 2>/dev/null; then
      stop_compositor
      return 1
    fi
    sleep 0.1
  done
  export WAYLAND_DISPLAY
}

stop_compositor() {
  [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null && wait "$compositor_pid" 2>/dev/null
  compositor_pid=
}

# Headless sway with a 1024x768 output and no Xwayland; returns 1 (with its log's end on standard
# output) when it does not start. Sets SWAYSOCK for swaymsg.
start_sway() {
  printf 'xwayland disable\noutput HEADLESS-1 resolution 1024x768\n' >"$work/sway.conf"
  chmod 644 "$work/sway.conf"
  if ! start_compositor sway env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf"; then
    tail -5 "$work/sway.log"
    return 1
  fi
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -1)
  export SWAYSOCK
}

# Starts the key presser $1 (a program of the tests' own that says "ready", then takes lines
# "<Linux key code> down|up" and answers each with "ok") as the coprocess `keys`; a presser that
# does not start fails the test with "not ok - $2".
start_key_presser() {
  coproc keys { exec "$1"; }
  if ! read -r -t 10 answer <&"${keys[0]}" || [ "$answer" != ready ]; then
    echo "not ok - $2"
    exit 1
  fi
}
# press <Linux key code...>: the keys down in order, then up in reverse. The game drops a key that
# comes within 400 ms of the one before (modifiers count), so each key waits half a second.
key() { echo "$1 $2" >&"${keys[1]}" && read -r -t 10 answer <&"${keys[0]}" && [ "$answer" = ok ]; }
press() {
  local code
  for code in "$@"; do
    sleep 0.5
    key "$code" down
  done
  for code in $(printf '%s\n' "$@" | tac); do key "$code" up; done
}
