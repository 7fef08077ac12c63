#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The session as a package installs it: both login-screen entries are valid desktop files that
# start the installed launcher, which finds the game beside itself; the launcher's errors.
#   entries.sh <build folder>
set -u
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/installtree.sh"

if ! command -v desktop-file-validate >/dev/null; then
  echo "desktop-file-validate is not installed (package desktop-file-utils; scripts/install-packages.sh installs it)"
  exit 1
fi

# A plain install and a package's (DESTDIR): the entries name the launcher where it will run.
#   root the files land in | prefix the entries name
installs=(
  "$work/plain|$work/plain"
  "$work/staged/usr|/usr"
)
for install in "${installs[@]}"; do
  root=${install%%|*}
  prefix=${install#*|}
  if [ "$prefix" = /usr ]; then install_tree /usr "$work/staged"; else install_tree "$prefix"; fi ||
    { not_ok "install into $root"; continue; }
  bindir=$(dirname "$(find "$root" -name tapsy-session | head -1)")
  check "$prefix: the launcher is installed beside the game" test -x "$bindir/tapsy-session" -a -x "$bindir/tapsy"
  launcher=$prefix${bindir#"$root"}/tapsy-session
  # folder | option | what its TryExec names
  for entry in "wayland-sessions|--wayland|cage" "xsessions|--x11|$launcher"; do
    file=$root/share/${entry%%|*}/tapsy.desktop
    rest=${entry#*|}
    option=${rest%%|*}
    tryexec=${rest#*|}
    if [ ! -f "$file" ]; then
      not_ok "$prefix: ${entry%%|*}/tapsy.desktop is installed"
      continue
    fi
    check "$prefix: ${entry%%|*}/tapsy.desktop passes desktop-file-validate" \
      bash -c "out=\$(desktop-file-validate '$file' 2>&1) && [ -z \"\$out\" ] || { echo \"\$out\"; false; }"
    check "$prefix: ${entry%%|*} runs '$launcher $option' (got '$(entry_value "$file" Exec)')" \
      test "$(entry_value "$file" Exec)" = "$launcher $option"
    check "$prefix: ${entry%%|*} is listed only where '$tryexec' is" test "$(entry_value "$file" TryExec)" = "$tryexec"
    check "$prefix: ${entry%%|*} is called Tapsy (toddler session)" \
      test "$(entry_value "$file" Name)" = "Tapsy (toddler session)"
  done
done

# The launcher's own errors: an unknown option, and no game beside it (one in the current
# folder or on the PATH must not stand in for it).
launcher=$(find "$work/plain" -name tapsy-session | head -1)
"$launcher" --bogus >"$work/out" 2>&1
code=$?
check "an unknown option ends with code 2 and the usage (got $code)" \
  bash -c "[ $code = 2 ] && grep -q 'usage: tapsy-session' '$work/out'"
mkdir -p "$work/alone" "$work/decoy"
cp "$launcher" "$work/alone/"
printf '#!/bin/sh\ntouch "%s/decoy-ran"\n' "$work" >"$work/decoy/tapsy"
chmod +x "$work/decoy/tapsy"
(cd "$work/decoy" && PATH="$work/decoy:$PATH" DISPLAY=:99 "$work/alone/tapsy-session" --x11) >"$work/out" 2>&1
code=$?
check "without the game beside it the launcher ends with code 1 and says where it looked (got $code)" \
  bash -c "[ $code = 1 ] && grep -q 'the game is not beside this script: $work/alone/tapsy' '$work/out'"
check "a tapsy in the current folder or on the PATH is never started" test ! -e "$work/decoy-ran"

summary
