#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# The content check over a small set made here: it passes the good set and names each fault
# that one change brings into it.
# Usage: check_content.sh CHECK-CONTENT-SCRIPT
set -uo pipefail
check_content=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=../lib/checks.sh
. "$here/../lib/checks.sh"

# Pieces: a tone of 1 s at about -21.7 LUFS (within 2 LU of -20), and its faulty brothers.
mkdir -p "$work/pieces"
tone() { # file, extra filter, duration
  ffmpeg -v error -y -f lavfi -i "sine=frequency=440:duration=${3:-1}" -af "aformat=channel_layouts=mono${2:+,$2}" -c:a libvorbis "$work/pieces/$1"
}
tone good.ogg
tone loud.ogg volume=12dB
tone long.ogg "" 4
ffmpeg -v error -y -f lavfi -i anullsrc=r=44100:cl=mono -t 1 -c:a libvorbis "$work/pieces/silent.ogg"
/usr/bin/convert -size 120x70 xc:skyblue "$work/pieces/good.jpg"
/usr/bin/convert -size 100x70 xc:skyblue "$work/pieces/narrow.jpg"
printf 'not a picture' >"$work/pieces/broken.jpg"

# A set with every key: letters with a word, all sharing one picture and one sound.
make_set() { # folder
  mkdir -p "$1/TapsyData"
  cp "$work/pieces/good.jpg" "$work/pieces/good.ogg" "$1/TapsyData/"
  {
    local key
    for key in BACK TAB RETURN SHIFT CONTROL MENU PAUSE CAPITAL ESCAPE SPACE PRIOR NEXT END HOME \
      LEFT UP RIGHT DOWN SNAPSHOT INSERT DELETE LWIN RWIN APPS MULTIPLY ADD SUBTRACT DECIMA DIVIDE \
      OEM_NUMBER OEM_SCROLL OEM_1 OEM_PLUS OEM_COMMA OEM_MINUS OEM_PERIOD OEM_2 OEM_3 OEM_4 \
      OEM_5 OEM_6 OEM_7 OEM_BSLASH F{1..24} NUMPAD{0..9} {0..9}; do
      printf '[VK_%s]\r\nDisplay=%s\r\nMusic=good.ogg\r\n' "$key" "${key:0:3}"
    done
    for key in MINUS EQUAL LBRACE RBRACE SEMICOLON SINGLEQUOTE COMMA POINT BACKSLASH SLASH {0..9}; do
      printf '[SHIFT_%s]\r\nDisplay=!\r\n' "$key"
    done
    for key in {A..Z}; do
      printf '[VK_%s]\r\nDisplay=%s\r\nDesc=The %sword\r\nPicture=good.jpg\r\nMusic=good.ogg\r\n' "$key" "$key" "$key"
    done
    printf '[Other_Key]\r\nPicture=good.jpg\r\nMusic=good.ogg\r\n'
  } >"$1/TapsyV.ini"
}

# A section put before all others, so that it is the one the game reads.
first_section() { # name, display, description
  printf '[%s]\r\nDisplay=%s\r\nDesc=%s\r\n' "$@" | cat - TapsyV.ini >TapsyV.new && mv TapsyV.new TapsyV.ini
}

# Each case: a name, the change to a fresh good set (run in it), and what the check must say.
cases=(
  "a good set|true|all right"
  "a loud sound|cp ../pieces/loud.ogg TapsyData/good.ogg|good.ogg: loudness"
  "a long sound|cp ../pieces/long.ogg TapsyData/good.ogg|good.ogg: lasts 4"
  "a silent sound|cp ../pieces/silent.ogg TapsyData/good.ogg|good.ogg: silent"
  "a sound that does not decode|cp ../pieces/broken.jpg TapsyData/good.ogg|does not decode"
  "pictures of two sizes|cp ../pieces/narrow.jpg TapsyData/ && sed -i '/^\[VK_B\]/,/^Music/s/good.jpg/narrow.jpg/' TapsyV.ini|several sizes"
  "a picture that does not decode|cp ../pieces/broken.jpg TapsyData/good.jpg|good.jpg: does not decode"
  "a missing picture|rm TapsyData/good.jpg|PICTURE good.jpg is missing"
  "a key without a section|sed -i 's/^\[VK_F5\]/[VK_F55]/' TapsyV.ini|VK_F5: no section"
  "a key without a Display|sed -i '/^\[VK_OEM_COMMA\]/{n;s/^Display=.*/Display=/}' TapsyV.ini|VK_OEM_COMMA: no Display"
  "a control character as Display|sed -i '/^\[VK_TAB\]/{n;s/^Display=.*/Display=\x01/}' TapsyV.ini|VK_TAB: Display holds a control character"
  "a word that starts with another letter|sed -i 's/^Desc=The Bword/Desc=The apple/' TapsyV.ini|VK_B: the description \"The apple\" does not start with \"B\""
  "the letter itself as word|sed -i 's/^Desc=The Xword/Desc=X/' TapsyV.ini|all right"
  "a layout's own letter with its word|first_section VK_OEM_7 Ä 'der Äpfel'|all right"
  "a layout's own letter with another word|first_section VK_OEM_7 Ä 'die Birne'|VK_OEM_7: the description"
  "a letter key that types a Cyrillic letter, with its word|first_section VK_A Ф 'Фламинго'|all right"
  "a letter key that types a Cyrillic letter, with the word of its Latin letter|first_section VK_A Ф 'Apple'|VK_A: the description \"Apple\" does not start with \"Ф\""
  "no sound for other keys|sed -i '/^\[Other_Key\]/,\$d' TapsyV.ini|Other_Key: no Music"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name change expected <<<"$entry"
  set_dir=$work/set
  rm -rf "$set_dir"
  make_set "$set_dir"
  (cd "$set_dir" && eval "$change") || { not_ok "$name: the change did not apply"; continue; }
  output=$("$check_content" "$set_dir" 2>&1)
  status=$?
  if [ "$expected" = "all right" ]; then
    check "$name passes" test $status -eq 0 -a -n "$(grep -F "all right" <<<"$output")"
  else
    check "$name fails the check" test $status -eq 1
    check "$name is named ($expected)" grep -qF "$expected" <<<"$output"
  fi
  [ $status -eq 0 ] || [ "$expected" != "all right" ] || echo "$output"
done
summary
