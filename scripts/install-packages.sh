#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Installs the Debian packages of scripts/packages.txt (or of the lists given as arguments) that
# are not installed yet (with sudo when not run as root). Nothing is fetched when everything is
# there already.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lists=("$@")
[ ${#lists[@]} -gt 0 ] || lists=("$here/packages.txt")
mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "${lists[@]}" | grep -v '^$')

missing=()
for package in "${packages[@]}"; do
  # An npm that came with another Node.js (whose nodejs package conflicts with Debian's npm)
  # serves as well.
  [ "$package" = npm ] && command -v npm >/dev/null && continue
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "All ${#packages[@]} packages are installed."
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "$0: these packages are missing and sudo is not available: ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
