#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The menu entry and the AppStream metainfo pass their validators without a remark (pedantic
# ones included), and the metainfo's newest release is the project's version.
#   metadata.sh <data folder> <project version>
set -u
data=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

for tool in appstreamcli desktop-file-validate; do
  command -v $tool > /dev/null || { echo "$tool is missing (scripts/install-packages.sh installs it)"; exit 1; }
done

# silent COMMAND...: the command succeeds and prints nothing (a hint or warning is a remark).
silent() {
  "$@" > "$work/out" 2>&1
  local status=$?
  sed 's/^/  | /' "$work/out"
  [ $status = 0 ] && [ ! -s "$work/out" ]
}
for entry in "$data"/*.desktop; do
  check "desktop-file-validate $(basename "$entry")" silent desktop-file-validate "$entry"
done
metainfo=$(ls "$data"/*.metainfo.xml)
check "appstreamcli validate $(basename "$metainfo")" \
  sh -c "appstreamcli validate --no-net --pedantic '$metainfo' > '$work/as' 2>&1; s=\$?; cat '$work/as';
    [ \$s = 0 ] && ! grep -Eq '^[EWIP]: ' '$work/as'"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
check "the newest release in the metainfo is $version (got $newest)" test "$newest" = "$version"
check "the metainfo's launchable is a desktop file here" \
  test -f "$data/$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")"

summary
