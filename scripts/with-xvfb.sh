#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Runs a command on a private X server with a window manager, then stops both:
#   scripts/with-xvfb.sh COMMAND [ARGS...]
# The screen is 1280x1024x24 unless TAPSY_XVFB_SCREEN says otherwise; TAPSY_XVFB_MONITORS=2
# splits it into two monitors side by side. The window manager is openbox unless TAPSY_XVFB_WM
# names another: icewm, xfwm4, i3 or fluxbox (exit code 77 when that one is not installed), or
# none for a bare server, as a session without a window manager has it.
# The command sees DISPLAY and QT_QPA_PLATFORM=xcb; its exit code is the script's.
set -u

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi
wm=${TAPSY_XVFB_WM:-openbox}
case $wm in
  openbox | icewm | xfwm4 | i3 | fluxbox | none) ;;
  *)
    echo "$0: unknown window manager '$wm' (openbox, icewm, xfwm4, i3, fluxbox or none)" >&2
    exit 2
    ;;
esac
if ! command -v Xvfb >/dev/null; then
  echo "$0: Xvfb is not installed (scripts/install-packages.sh installs it)" >&2
  exit 2
fi
if [ "$wm" != none ] && ! command -v "$wm" >/dev/null; then
  echo "$0: SKIPPED: the window manager $wm is not installed" >&2
  exit 77
fi

screen=${TAPSY_XVFB_SCREEN:-1280x1024x24}
work=$(mktemp -d)
xvfb_pid=
wm_pid=

cleanup() {
  # The window manager's whole process group: xfwm4 comes with a D-Bus daemon of its own.
  # (fluxbox may not end on SIGTERM: after 5 s it gets SIGKILL.)
  if [ -n "$wm_pid" ]; then
    kill -- "-$wm_pid" 2>/dev/null || kill "$wm_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$wm_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$wm_pid" 2>/dev/null
    wait "$wm_pid" 2>/dev/null
  fi
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

if [ "${TAPSY_XVFB_MONITORS:-1}" = 2 ]; then
  # Two monitors side by side on the one screen, before the window manager looks at them.
  size=${screen%x*}
  width=${size%x*}
  height=${size#*x}
  half=$((width / 2))
  xrandr --setmonitor left "$half/338x$height/270+0+0" screen >/dev/null &&
    xrandr --setmonitor right "$half/338x$height/270+$half+0" none >/dev/null ||
    { echo "$0: the screen cannot be split into two monitors" >&2; exit 2; }
fi

# Whether a window manager says it manages the screen (its EWMH check window).
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
export HOME=${HOME:-$work}
case $wm in
  openbox)
    # openbox runs its start-up command once it manages the screen.
    mkfifo "$work/wm"
    setsid openbox --sm-disable --startup "sh -c 'echo ready >\"$work/wm\"'" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    ready=
    read -r -t 30 ready <"$work/wm"
    ;;
  i3)
    # Its own small configuration: the default one starts a set-up wizard.
    printf 'font pango:DejaVu Sans Mono 8\nbindsym Mod4+d workspace 2\nbindsym Mod1+Tab focus right\n' >"$work/i3.config"
    setsid i3 -c "$work/i3.config" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    ;;
  xfwm4)
    # Its settings come from xfconfd, which D-Bus starts on demand: a session bus of its own.
    setsid dbus-run-session -- xfwm4 --compositor=off >"$work/wm.log" 2>&1 &
    wm_pid=$!
    ;;
  none) ready=ready ;;
  *)
    setsid "$wm" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    ;;
esac
if [ "$wm" != openbox ] && [ "$wm" != none ]; then
  ready=
  for _ in $(seq 300); do
    if wm_ready; then ready=ready; break; fi
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
  done
fi
if [ "$ready" != ready ]; then
  echo "$0: $wm did not start:" >&2
  cat "$work/wm.log" >&2
  exit 2
fi

export QT_QPA_PLATFORM=xcb
# Sanitized builds (the asan preset): ignore the leaks of the desktop's libraries.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xvfb-lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
"$@"
