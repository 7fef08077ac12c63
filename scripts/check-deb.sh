#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The Debian package on a fresh Debian 12: a minimal bookworm system is bootstrapped once into
# a folder and copied afresh for every check; apt installs the package there with whatever it
# depends on and nothing else of ours; then "tapsy /s" runs under Xvfb inside it, a key is
# pressed, the screen is photographed, the sound is caught by SDL's disk driver, and Ctrl+Alt+Q
# must end the game with exit code 0; without its hook library it must still play and say so.
#   scripts/check-deb.sh [PACKAGE.deb] [SHOT.png]
#     PACKAGE.deb  default: the one in build/ (cd build && cpack -G DEB)
#     SHOT.png     default: build/deb-check.png
# Needs root (chroot and mounts) and debootstrap; the bootstrapped system is kept in
# build/deb12-pristine (TAPSY_DEB_ROOT overrides), and the check's own copy is removed after it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deb=${1:-$(ls "$root"/build/tapsy_*_amd64.deb 2>/dev/null | tail -n 1)}
shot=${2:-$root/build/deb-check.png}
pristine=${TAPSY_DEB_ROOT:-$root/build/deb12-pristine}

[ "$(id -u)" = 0 ] || { echo "$0: needs root for chroot and mounts" >&2; exit 2; }
[ -f "$deb" ] || { echo "$0: no package; build one: cd build && cpack -G DEB" >&2; exit 2; }
command -v debootstrap > /dev/null || { echo "$0: debootstrap is not installed (apt-get install debootstrap)" >&2; exit 2; }

# The Debian 12 mirror this machine's own apt uses (a one-line or a deb822 sources file).
apt_mirror() {
  {
    sed -n -E 's/^deb(\s+\[[^]]*\])?\s+(\S+)\s+bookworm\s.*/\2/p' /etc/apt/sources.list \
      /etc/apt/sources.list.d/*.list 2>/dev/null
    awk 'BEGIN { RS = "" }
      /(^|\n)Types:[^\n]*deb( |\n|$)/ && /(^|\n)Suites:[^\n]*bookworm( |\n|$)/ &&
        match($0, /(^|\n)URIs:[ \t]*[^ \t\n]+/) {
        uri = substr($0, RSTART, RLENGTH); sub(/^\n?URIs:[ \t]*/, "", uri); print uri
      }' /etc/apt/sources.list.d/*.sources 2>/dev/null
  } | head -n 1
}

if [ ! -f "$pristine/.bootstrapped" ]; then
  mirror=$(apt_mirror)
  [ -n "$mirror" ] || { echo "$0: this machine's apt sources name no Debian 12 (bookworm) mirror" >&2; exit 2; }
  echo "== bootstrapping Debian 12 (minbase) into $pristine from $mirror"
  rm -rf "$pristine"
  debootstrap --variant=minbase bookworm "$pristine" "$mirror" > "$pristine.log" 2>&1 ||
    { tail -n 20 "$pristine.log" >&2; exit 1; }
  touch "$pristine/.bootstrapped"
fi

sys=$(mktemp -d "${pristine%/*}/deb12-check.XXXXXX")
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$sys"
}
trap cleanup EXIT
# mount_in FOLDER MOUNT-ARGUMENTS...: mounts inside the system and remembers it for the cleanup.
mount_in() {
  local target=$sys/$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}
cp -a "$pristine/." "$sys/"
mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
mount_in dev/pts -t devpts devpts
cp /etc/resolv.conf "$sys/etc/resolv.conf"
cp "$deb" "$sys/tmp/tapsy.deb"

# A user's PATH on Debian holds /usr/games, where the game is.
in_sys() { chroot "$sys" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root LANG=C.UTF-8 "$@"; }

echo "== installing $(basename "$deb") with apt"
in_sys apt-get update -q > "$sys/tmp/apt.log" 2>&1 || { cat "$sys/tmp/apt.log" >&2; exit 1; }
in_sys env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends /tmp/tapsy.deb \
  >> "$sys/tmp/apt.log" 2>&1 || { tail -n 30 "$sys/tmp/apt.log" >&2; exit 1; }
missing=$(in_sys sh -c 'ldd /usr/games/tapsy /usr/lib/tapsy/Tapsy.dll /usr/lib/tapsy/tapsy-guardian | grep "not found" || true')
[ -z "$missing" ] || { echo "$0: libraries missing after the install:" >&2; echo "$missing" >&2; exit 1; }
in_sys dpkg -s tapsy | grep -E '^(Package|Version|Status):'

# What the check itself needs, installed only after the package's own libraries were checked.
echo "== installing the check's tools (Xvfb, xdotool, ImageMagick)"
in_sys env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  xvfb xauth xdotool imagemagick x11-utils >> "$sys/tmp/apt.log" 2>&1 ||
  { tail -n 30 "$sys/tmp/apt.log" >&2; exit 1; }

cat > "$sys/tmp/play.sh" << 'EOF'
#!/bin/sh
# Inside the fresh system: the game as a parent starts it from the menu entry's command.
set -u
Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp > /tmp/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:7
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.2; done
command=$(sed -n "s/^Exec=//p" /usr/share/applications/tapsy.desktop | head -n 1)
echo "menu entry runs: $command"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/tmp/sound.raw $command > /tmp/game.log 2>&1 &
game=$!
# eventually SECONDS COMMAND...: the command, every tenth of a second, until it succeeds.
eventually() {
  tenths=$(($1 * 10))
  shift
  until "$@"; do
    tenths=$((tenths - 1))
    [ "$tenths" -gt 0 ] || return 1
    sleep 0.1
  done
}
failed=0
# Keys reach the game once it holds the keyboard: the hook library was found in /usr/lib/tapsy.
eventually 30 grep -q "The keyboard is grabbed for the game window" /tmp/game.log ||
  { echo "the game never said that it holds the keyboard"; failed=1; }
grep -q "A guardian (process" /tmp/game.log || { echo "the hook library started no guardian"; failed=1; }
xdotool key a
# A black or blank screen has a handful of colours; the game with a key's picture has thousands.
shows_picture() {
  import -window root /tmp/shot.png 2> /dev/null && [ "$(identify -format %k /tmp/shot.png)" -ge 500 ]
}
eventually 30 shows_picture || echo "the key's picture never showed"
# The sound reached SDL's disk driver: some byte of its file is not silence.
sounds() { [ -n "$(tr -d '\000' < /tmp/sound.raw 2> /dev/null | head -c 1)" ]; }
eventually 30 sounds || echo "the key's sound never reached the sound output"
# leave PID: Ctrl+Alt+Q, then the game's exit code (or "timeout").
leave() {
  xdotool key ctrl+alt+q
  code=timeout
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then wait "$1"; code=$?; break; fi
    sleep 0.1
  done
  [ "$code" = timeout ] && kill "$1"
}
leave "$game"
echo "exit code after Ctrl+Alt+Q: $code"
[ "$code" = 0 ] || failed=1
colours=$(identify -format %k /tmp/shot.png)
echo "colours on the screen: $colours"
[ "$colours" -ge 500 ] || failed=1

# Without its hook library the game still plays, unlocked, and says why.
mv /usr/lib/tapsy/Tapsy.dll /tmp/Tapsy.dll
SDL_AUDIODRIVER=dummy $command > /tmp/game-nohook.log 2>&1 &
game=$!
eventually 30 grep -q "Tapsy.dll or its _DisableTaskKeys is missing" /tmp/game-nohook.log ||
  { echo "without its hook library the game did not say so"; failed=1; }
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$game" 2>/dev/null | head -n 1)
[ -n "$wid" ] && xdotool windowactivate "$wid" 2>/dev/null
sleep 0.5 # a key within 400 ms of the start is dropped
leave "$game"
echo "without its hook library, exit code after Ctrl+Alt+Q: $code"
[ "$code" = 0 ] || failed=1
mv /tmp/Tapsy.dll /usr/lib/tapsy/Tapsy.dll
kill "$xvfb"
[ "$failed" = 0 ]
EOF
chmod +x "$sys/tmp/play.sh"

echo "== playing"
status=0
in_sys /tmp/play.sh || status=$?
cp "$sys/tmp/shot.png" "$shot" 2>/dev/null && echo "screenshot: $shot"
sound=$(stat -c %s "$sys/tmp/sound.raw" 2>/dev/null || echo 0)
audible=$(od -An -v -tx1 -w1 "$sys/tmp/sound.raw" 2>/dev/null | grep -cv ' 00$' || true)
echo "sound written through SDL's disk driver: $sound bytes, $audible of them not silence"
if [ "$status" != 0 ] || [ "$audible" = 0 ]; then
  echo "$0: FAILED; the game printed:" >&2
  tail -n 20 "$sys/tmp/game.log" >&2
  exit 1
fi
echo "$0: the package installs and plays on a fresh Debian 12"
