#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Runs a command on a private X server with a window manager, then stops both:
#   scripts/with-xvfb.sh COMMAND [ARGS...]
# The screen is 1280x1024x24 unless TAPSY_XVFB_SCREEN says otherwise. The command sees DISPLAY
# and QT_QPA_PLATFORM=xcb; its exit code is the script's.
set -u

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "$0: $tool is not installed (scripts/install-packages.sh installs it)" >&2
    exit 2
  fi
done

screen=${TAPSY_XVFB_SCREEN:-1280x1024x24}
work=$(mktemp -d)
xvfb_pid=
wm_pid=

cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The server picks a free display itself and writes its number once it accepts clients.
mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 "$screen" -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
display=
read -r -t 30 display <"$work/display"
if [ -z "$display" ]; then
  echo "$0: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 2
fi
export DISPLAY=":$display"

# openbox runs its start-up command once it manages the screen.
mkfifo "$work/wm"
openbox --sm-disable --startup "sh -c 'echo ready >\"$work/wm\"'" \
  >"$work/openbox.log" 2>&1 &
wm_pid=$!
ready=
read -r -t 30 ready <"$work/wm"
if [ "$ready" != ready ]; then
  echo "$0: openbox did not start:" >&2
  cat "$work/openbox.log" >&2
  exit 2
fi

export QT_QPA_PLATFORM=xcb
# Sanitized builds (the asan preset): ignore the leaks of the desktop's libraries.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xvfb-lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
"$@"
