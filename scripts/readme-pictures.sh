#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Makes the README's pictures from a built tree (scripts/build.sh) with the default content:
#   docs/game.png         the game under Xvfb after the key A, its picture arrived
#   docs/transitions.gif  a few effects between two default pictures, as the game plays them
# The contact sheet docs/effects-sheet-50.png has its own command (see the README).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
convert=/usr/bin/convert # ImageMagick's; a "convert" earlier on the PATH may be another tool
content=build/share/tapsy/en
tools/make-content/make-content.sh --lang en "$content" > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The game: start it, press A, wait for the transition to end, take the screen.
cat > "$work/shot.sh" <<SHOT
#!/usr/bin/env bash
SDL_AUDIODRIVER=dummy TAPSY_SYSTEM_DIR="$root/$content" "$root/build/bin/tapsy" /s 2>/dev/null &
pid=\$!
sleep 2
xdotool key a
sleep 2.5
import -window root "$work/game.png"
xdotool key ctrl+alt+q
wait \$pid
SHOT
chmod +x "$work/shot.sh"
TAPSY_XVFB_SCREEN=1024x768x24 scripts/with-xvfb.sh "$work/shot.sh"
"$convert" "$work/game.png" -resize 800x -colors 128 docs/game.png

# The transitions: Apple to Bear to Cow to Dog, each through another effect, 25 frames each.
data=$content/TapsyData
pictures=("$data"/a_*.jpg "$data"/b_*.jpg "$data"/c_*.jpg "$data"/d_*.jpg)
styles=(119 84 153 168)
frames=()
for i in 0 1 2; do
  from=$work/from$i.bmp to=$work/to$i.bmp
  build/bin/tapsy-fx convert --background 000000 "${pictures[$i]}" "$from"
  build/bin/tapsy-fx convert --background 000000 "${pictures[$((i + 1))]}" "$to"
  "$convert" "$from" -resize 240x240! "BMP3:$from"
  "$convert" "$to" -resize 240x240! "BMP3:$to"
  build/bin/tapsy-fx convert "$from" "$from"
  build/bin/tapsy-fx convert "$to" "$to"
  build/bin/tapsy-fx frames --style "${styles[$i]}" --from "$from" --to "$to" --out "$work/t$i" --step 4
  frames+=("$work/t$i"/frame_*.bmp)
done
"$convert" -delay 4 -loop 0 "${frames[@]}" -layers Optimize -colors 96 docs/transitions.gif
ls -l docs/game.png docs/transitions.gif
