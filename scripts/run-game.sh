#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Installs what Tapsy needs, builds it and starts the game on the current display.
# Leave the game with Ctrl+Alt+Q.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-packages.sh"
"$root/scripts/build.sh" --target tapsy
# The default content, made once from the Tux Paint stamps and espeak-ng into the folder the
# game reads (build/share/tapsy); a content file of your own there is left alone.
"$root/tools/make-content/make-content.sh" "$root/build/share/tapsy"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "$0: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi
echo "Starting the game. Ctrl+Alt+Q leaves it."
exec "$root/build/bin/tapsy" /s
