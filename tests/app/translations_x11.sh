#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The real program speaks the desktop's language: its --help text and its About window, with the
# translations built into it (run it through scripts/with-xvfb.sh):
#   translations_x11.sh <tapsy executable>
set -u
tapsy=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

# Only the given one of the desktop's four language variables is set.
in_language=(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG)

first_line_of_help() { "${in_language[@]}" "$1" "$tapsy" --help | head -1; }
for case in "LANGUAGE=de|Aufruf: tapsy [/s | /c | /p <Fenster> | /a <Fenster>]" \
  "LANG=es_ES.UTF-8|Uso: tapsy [/s | /c | /p <ventana> | /a <ventana>]" \
  "LANGUAGE=C|Usage: tapsy [/s | /c | /p <window> | /a <window>]" \
  "LANG=C.UTF-8|Usage: tapsy [/s | /c | /p <window> | /a <window>]"; do
  variable=${case%%|*}
  expected=${case#*|}
  got=$(first_line_of_help "$variable")
  check "$variable: --help begins \"$expected\" (got \"$got\")" test "$got" = "$expected"
done

# The About window's title, then its Close button (in any language at the same place) ends it.
for case in "LANGUAGE=de|Über" "LANG=fr_FR.UTF-8|À propos" "LANGUAGE=C|About"; do
  variable=${case%%|*}
  expected=${case#*|}
  "${in_language[@]}" "$variable" "$tapsy" /c >/dev/null 2>&1 &
  pid=$!
  wid=$(window_of $pid)
  if [ -n "$wid" ]; then
    title() { test "$(xdotool getwindowname "$wid")" = "$expected"; }
    check "$variable: the About window is titled \"$expected\" ($(xdotool getwindowname "$wid"))" title
    xdotool mousemove --window "$wid" --sync 365 260 click 1
  else
    not_ok "$variable: the About window opens"
  fi
  exit_code_of $pid 20
  check "$variable: Close ends the program (exit code $code)" test "$code" = 0
done
summary
