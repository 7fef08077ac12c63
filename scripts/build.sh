#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Configures and builds the default preset into build/. Extra arguments go to the build, for
# example a target: scripts/build.sh --target tapsy
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset default
cmake --build --preset default "$@"
