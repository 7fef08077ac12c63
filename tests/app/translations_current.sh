#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The translation sources hold exactly the texts marked in the program's sources today: lupdate,
# run as `cmake --build build --target update_translations` runs it, changes none of them.
#   translations_current.sh <lupdate> "<source;source;...>" <file.ts>...
set -u
lupdate=$1
IFS=';' read -r -a sources <<<"$2"
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

check "there are translation sources ($#)" test $# -ge 10
for ts in "$@"; do
  name=$(basename "$ts")
  cp "$ts" "$work/$name"
  if ! "$lupdate" -silent -locations none -no-obsolete "${sources[@]}" -ts "$work/$name" >"$work/lupdate.log" 2>&1; then
    not_ok "lupdate reads $name ($(cat "$work/lupdate.log"))"
    continue
  fi
  check "$name holds the texts of the sources as they are (run the target update_translations)" \
    cmp -s "$ts" "$work/$name"
  if ! cmp -s "$ts" "$work/$name"; then diff "$ts" "$work/$name" | head -20; fi
done
summary
