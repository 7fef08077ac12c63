#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# One hour (or SECONDS) of random key presses against the game window under Xvfb with the
# default content, printing resident memory, CPU and frames per second every minute. Not part
# of CI.   bench/soak.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
cmake --build build --target bench_game tapsy_content > /dev/null
SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} scripts/with-xvfb.sh build/bin/bench_game --soak "${1:-3600}" 2>/dev/null
