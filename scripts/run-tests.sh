#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Installs what Tapsy needs, builds everything and runs every test. Tests that need a real X11
# window start their own Xvfb; the others use Qt's offscreen platform. Extra arguments go to
# ctest, for example: scripts/run-tests.sh -R game_
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-packages.sh"
"$root/scripts/build.sh"
cd "$root"
ctest --preset default "$@"
