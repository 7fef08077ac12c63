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
# The default content of the desktop's language and of English, each made once into the folder
# the game reads (build/share/tapsy/LL); a content file of your own there is left alone.
languages=()
for variable in "${LANGUAGE:-}" "${LC_ALL:-}" "${LC_MESSAGES:-}" "${LANG:-}"; do
  for locale in ${variable//:/ }; do
    language=${locale%%[_.@]*}
    [ -f "$root/tools/make-content/lang/$language.sh" ] && languages+=("$language")
  done
done
for language in $(printf '%s\n' "${languages[@]}" en | awk '!seen[$0]++'); do
  "$root/tools/make-content/make-content.sh" --lang "$language" "$root/build/share/tapsy/$language"
done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "$0: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi
echo "Starting the game. Ctrl+Alt+Q leaves it."
exec "$root/build/bin/tapsy" /s
