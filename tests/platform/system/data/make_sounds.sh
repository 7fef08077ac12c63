#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Writes the compressed sound fixtures of the media player's tests: 0.4 s of a 440 Hz tone at
# half volume in each format that needs an encoder (WAV and MIDI the tests write themselves).
# Needs sox and libsox-fmt-mp3.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for format in ogg mp3 flac; do
  sox -n -r 22050 -c 1 "tone.$format" synth 0.4 sine 440 vol 0.5
done
