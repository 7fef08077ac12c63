#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Writes the game's default content into a system directory: the key content file TapsyV.ini
# and its data folder TapsyData, made from Debian's Tux Paint stamps (tuxpaint-stamps-default)
# and espeak-ng:
#   A-Z        a picture of an animal or thing whose name begins with the letter, the name as
#              description, the stamp's own sound or else espeak-ng saying the letter and name;
#   0-9        the numeral beside as many ladybugs, and the spoken number (keypad digits too);
#   Other_Key  a birthday cake and a happy sound, for every other key.
# Pictures become JPEG files of at most 1024 pixels a side.
#
# Usage: make-content.sh [--force] DIRECTORY
# An existing TapsyV.ini is left alone (it may hold someone's own content) unless --force is
# given. Everything is made in a staging folder first, so an interrupted run leaves nothing
# half made. Environment: TAPSY_STAMPS (default /usr/share/tuxpaint/stamps).
set -euo pipefail

force=0
if [ "${1:-}" = --force ]; then
  force=1
  shift
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--force] DIRECTORY" >&2
  exit 2
fi
target=$1
stamps=${TAPSY_STAMPS:-/usr/share/tuxpaint/stamps}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

fail() {
  echo "$0: $*" >&2
  exit 1
}

if [ -e "$target/TapsyV.ini" ] && [ $force -eq 0 ]; then
  echo "$target/TapsyV.ini exists already; leaving it alone (--force replaces it)."
  exit 0
fi

# ImageMagick's own convert: another program of that name may come first on the PATH.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert || true)
[ -n "$convert" ] && "$convert" -version 2>/dev/null | grep -q ImageMagick \
  || fail "ImageMagick's convert is missing (scripts/install-packages.sh installs it)"
command -v espeak-ng >/dev/null || fail "espeak-ng is missing (scripts/install-packages.sh installs it)"
[ -d "$stamps" ] || fail "no Tux Paint stamps in $stamps (package tuxpaint-stamps-default)"
[ -f "$font" ] || fail "the font $font is missing (package fonts-dejavu-core)"

# Letter, name, stamp picture (relative to the stamps folder).
letters=(
  "A|Apple|food/fruit/cartoon/apple.png"
  "B|Bear|animals/mammals/bears/bear.png"
  "C|Cow|animals/mammals/bovines/cow.png"
  "D|Dog|animals/mammals/dogs/dog.png"
  "E|Elephant|animals/mammals/elephant.png"
  "F|Frog|animals/amphibians/frog.png"
  "G|Giraffe|animals/mammals/giraffe.png"
  "H|Horse|animals/mammals/equines/horse.png"
  "I|Iguana|animals/lizards/iguana.png"
  "J|Jack-o'-lantern|seasonal/halloween/jackolantern_mean.png"
  "K|Koala|animals/marsupials/koala.png"
  "L|Lion|animals/mammals/cats/lion.png"
  "M|Mouse|animals/mammals/rodents/mouse.png"
  "N|Nandu|animals/birds/nandou.png"
  "O|Owl|animals/birds/owl.png"
  "P|Pig|animals/mammals/pig.png"
  "Q|Quetzal|animals/birds/quetzal.png"
  "R|Rabbit|animals/mammals/rodents/rabbit.png"
  "S|Sheep|animals/mammals/bovines/sheep.png"
  "T|Tiger|animals/mammals/cats/tiger.png"
  "U|University|town/houses/cartoon/university.png"
  "V|Violin|hobbies/music/string/violin.png"
  "W|Whale|animals/mammals/aquatic/whale.png"
  "X|Xanthia moth|animals/insects/xanthia.png"
  "Y|Yak|animals/mammals/bovines/yak.png"
  "Z|Zebra|animals/mammals/equines/zebra.png"
)
numbers=(Zero One Two Three Four Five Six Seven Eight Nine)
counter=animals/insects/cartoon/ladybug.png
other_picture=food/dessert/cartoon/birthday_cake.png
other_sound=symbols/faces/happy.ogg

mkdir -p "$target"
staging=$(mktemp -d "$target/.make-content.XXXXXX")
trap 'rm -rf "$staging"' EXIT
data=$staging/TapsyData
mkdir -p "$data"
ini=$staging/TapsyV.ini

# A stamp as a JPEG on white, enlarged to 640 pixels a side (stamps are small), never over 1024.
picture() {
  local stamp=$stamps/$1 out=$2
  [ -f "$stamp" ] || fail "the stamp $stamp is missing"
  "$convert" "$stamp" -background white -alpha remove -alpha off -filter Lanczos \
    -resize 640x640 -resize '1024x1024>' -quality 88 "$out"
}

# Speech as a WAV file.
speak() {
  espeak-ng -v en -s 130 -w "$2" "$1"
}

# The stamp's own sound file, if it has one.
stamp_sound() {
  local base=$stamps/${1%.*}
  for extension in ogg wav; do
    if [ -f "$base.$extension" ]; then
      echo "$base.$extension"
      return
    fi
  done
}

section() { # name display description picture music
  printf '[%s]\r\nDisplay=%s\r\nDesc=%s\r\nPicture=%s\r\nMusic=%s\r\n\r\n' "$@" >>"$ini"
}

: >"$ini"
for entry in "${letters[@]}"; do
  IFS='|' read -r letter name stamp <<<"$entry"
  file=$(echo "$letter" | tr 'A-Z' 'a-z')_$(echo "$name" | tr 'A-Z' 'a-z' | tr -c 'a-z0-9\n' '_')
  picture "$stamp" "$data/$file.jpg"
  sound=$(stamp_sound "$stamp")
  if [ -n "$sound" ]; then
    music=$file.${sound##*.}
    cp "$sound" "$data/$music"
  else
    music=$file.wav
    speak "$letter. $name." "$data/$music"
  fi
  section "VK_$letter" "$letter" "$name" "$file.jpg" "$music"
done

# Digits: the numeral in a colour of its own beside as many ladybugs, for counting.
colours=(royalblue crimson forestgreen darkorange purple deeppink teal firebrick darkcyan goldenrod)
"$convert" "$stamps/$counter" -background white -alpha remove -alpha off -resize 120x120 \
  "$staging/counter.png"
for digit in 0 1 2 3 4 5 6 7 8 9; do
  args=(-size 880x520 xc:white -font "$font" -pointsize 420 -fill "${colours[$digit]}"
    -gravity west -annotate +40+0 "$digit" -gravity northwest)
  for ((i = 0; i < digit; ++i)); do
    args+=("$staging/counter.png" -geometry "+$((380 + (i % 3) * 160))+$((30 + (i / 3) * 160))" -composite)
  done
  "$convert" "${args[@]}" -quality 88 "$data/digit_$digit.jpg"
  speak "${numbers[$digit]}" "$data/digit_$digit.wav"
  section "VK_$digit" "$digit" "${numbers[$digit]}" "digit_$digit.jpg" "digit_$digit.wav"
  section "VK_NUMPAD$digit" "$digit" "${numbers[$digit]}" "digit_$digit.jpg" "digit_$digit.wav"
done
rm -f "$staging/counter.png"

picture "$other_picture" "$data/other.jpg"
[ -f "$stamps/$other_sound" ] || fail "the sound $stamps/$other_sound is missing"
cp "$stamps/$other_sound" "$data/other.ogg"
printf '[Other_Key]\r\nPicture=other.jpg\r\nMusic=other.ogg\r\n' >>"$ini"

# Into place: the data folder first, the content file that names it last.
rm -rf "$target/TapsyData"
mv "$data" "$target/TapsyData"
mv "$ini" "$target/TapsyV.ini"
echo "Wrote $target/TapsyV.ini and $target/TapsyData ($(ls "$target/TapsyData" | wc -l) files)."
