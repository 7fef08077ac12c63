#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Writes one language's content set into a system directory: the key content file TapsyV.ini,
# its data folder TapsyData and CREDITS (every file's source and licence):
#   every key of a full keyboard  a section whose Display is what the key shows on the
#                                 language's usual layout (F5 "F5", the comma ",", Shift its
#                                 name, arrows an arrow) and whose sound speaks its name;
#   A-Z                           the letter the key types on the language's layout (Ф for
#                                 the A key of a Russian keyboard), a picture of a first word
#                                 beginning with it (Twemoji, drawn from SVG at the final size),
#                                 the word, and a sound: the word in a recorded voice where Tux
#                                 Paint has one, else espeak-ng, then the animal's own sound
#                                 where Tux Paint has one;
#   0-9                           the numeral beside as many ladybugs and the spoken number;
#   Other_Key                     a star and a happy sound, for keys without a section.
# Every picture is PICTURE_WIDTHxPICTURE_HEIGHT (the game's picture area on a 1920x1080
# screen), so a transition changes one picture into the next; every sound is normalised to
# LOUDNESS LUFS and lasts at most 3.4 s, so the idle demo's 4 s never cuts one.
#
# Usage: make-content.sh [--force] [--lang LL] DIRECTORY
# Languages: the files lang/LL.sh beside this script (default en). An existing TapsyV.ini is
# left alone (it may hold someone's own content) unless --force is given. Everything is made in
# a staging folder first, so an interrupted run leaves nothing half made.
# Environment: TAPSY_STAMPS (default /usr/share/tuxpaint/stamps); TAPSY_TWEMOJI, a folder of
# Twemoji SVG files (default: the npm package @twemoji/svg, fetched once into
# ${XDG_CACHE_HOME:-~/.cache}/tapsy).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
force=0
lang=en
while [ $# -gt 1 ]; do
  case $1 in
    --force) force=1 ;;
    --lang) lang=$2; shift ;;
    *) break ;;
  esac
  shift
done
if [ $# -ne 1 ] || [[ $1 == --* ]]; then
  echo "usage: $0 [--force] [--lang LL] DIRECTORY" >&2
  exit 2
fi
target=$1

PICTURE_WIDTH=1486
PICTURE_HEIGHT=862
LOUDNESS=-20
SOUND_SECONDS=3.4
SOUND_FADE=3.1
twemoji_version=15.0.0
stamps=${TAPSY_STAMPS:-/usr/share/tuxpaint/stamps}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

fail() {
  echo "$0: $*" >&2
  exit 1
}

[ -f "$here/lang/$lang.sh" ] \
  || fail "no content for the language '$lang' (there is: $(cd "$here/lang" && ls | sed 's/\.sh$//' | tr '\n' ' '))"
if [ -e "$target/TapsyV.ini" ] && [ $force -eq 0 ]; then
  echo "$target/TapsyV.ini exists already; leaving it alone (--force replaces it)."
  exit 0
fi

# ImageMagick's own convert: another program of that name may come first on the PATH.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert || true)
[ -n "$convert" ] && "$convert" -version 2>/dev/null | grep -q ImageMagick \
  || fail "ImageMagick's convert is missing (scripts/install-packages.sh installs it)"
for tool in espeak-ng rsvg-convert ffmpeg; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/install-packages.sh installs it)"
done
[ -d "$stamps" ] || fail "no Tux Paint stamps in $stamps (package tuxpaint-stamps-default)"
[ -f "$font" ] || fail "the font $font is missing (package fonts-dejavu-core)"

# shellcheck source=lang/en.sh
. "$here/lang/$lang.sh"

mkdir -p "$target"
staging=$(mktemp -d "$target/.make-content.XXXXXX")
trap 'rm -rf "$staging"' EXIT
data=$staging/TapsyData
work=$staging/work
mkdir -p "$data" "$work"
ini=$staging/TapsyV.ini
credits=$staging/CREDITS

# Twemoji's SVG files, from npm once; the package is small (1.5 MB) and versioned.
twemoji=${TAPSY_TWEMOJI:-${XDG_CACHE_HOME:-$HOME/.cache}/tapsy/twemoji-svg-$twemoji_version}
if [ ! -f "$twemoji/1f43b.svg" ]; then
  command -v npm >/dev/null || fail "npm is missing (scripts/install-packages.sh installs it)"
  (cd "$work" && npm pack --silent "@twemoji/svg@$twemoji_version" >/dev/null) \
    || fail "could not fetch the npm package @twemoji/svg@$twemoji_version"
  mkdir -p "$twemoji.part"
  tar -xzf "$work"/twemoji-svg-*.tgz -C "$twemoji.part" --strip-components=1
  rm -rf "$twemoji"
  mv "$twemoji.part" "$twemoji"
fi

# --- Pictures and speech are made two at a time (the machine's cores are shared) ---

jobs_running=()
run_job() {
  if [ ${#jobs_running[@]} -ge 2 ]; then
    wait "${jobs_running[0]}" || fail "a picture or a spoken word could not be made"
    jobs_running=("${jobs_running[@]:1}")
  fi
  "$@" &
  jobs_running+=($!)
}
wait_jobs() {
  local pid
  for pid in "${jobs_running[@]}"; do
    wait "$pid" || fail "a picture or a spoken word could not be made"
  done
  jobs_running=()
}

credit() { # file source
  printf '%s: %s\n' "$1" "$2" >>"$credits.files"
}

# An emoji drawn at 720 pixels from its SVG, centred on white.
emoji_picture() { # code point, output file name
  local svg=$twemoji/$1.svg
  [ -f "$svg" ] || fail "Twemoji has no $1.svg"
  rsvg-convert -w 720 -h 720 --page-width $PICTURE_WIDTH --page-height $PICTURE_HEIGHT \
    --left $(((PICTURE_WIDTH - 720) / 2)) --top $(((PICTURE_HEIGHT - 720) / 2)) \
    -b white -o "$work/$2.png" "$svg"
  "$convert" "$work/$2.png" -quality 90 "$data/$2"
}

# A character drawn large (a letter without a word), centred by its ink: the font's line
# would leave the breve of Й or the ring of Å above the picture. Made smaller only if it
# would not fit with a margin.
character_picture() { # character, colour, output file name
  "$convert" -background white -fill "$2" -font "$font" -pointsize 700 label:"$1" -trim +repage \
    -resize "$((PICTURE_WIDTH - 160))x$((PICTURE_HEIGHT - 120))>" -gravity center \
    -extent ${PICTURE_WIDTH}x$PICTURE_HEIGHT -quality 90 "$data/$3"
}

# The numeral on the left, as many ladybugs on the right in rows of three.
digit_picture() { # digit, colour
  local args=(-size ${PICTURE_WIDTH}x$PICTURE_HEIGHT xc:white -font "$font" -pointsize 700
    -fill "$2" -gravity west -annotate +110+0 "$1" -gravity northwest)
  local i
  for ((i = 0; i < $1; ++i)); do
    args+=("$work/ladybug.png" -geometry "+$((640 + (i % 3) * 260))+$((60 + (i / 3) * 260))" -composite)
  done
  "$convert" "${args[@]}" -quality 90 "$data/digit_$1.jpg"
}

# --- Sounds: gathered first, then normalised by ffmpeg in two halves side by side ---

sound_files=()   # file in the data folder
sound_voices=()  # the spoken word
sound_animals=() # the animal's own sound that follows it, or empty
declare -A spoken=() # text -> its sound's file name, so keys of the same name share one

add_sound() { # file name, voice file, [animal's own sound]
  sound_files+=("$1")
  sound_voices+=("$2")
  sound_animals+=("${3:-}")
}

speak() { # text, wave file
  espeak-ng -v "$voice" -s 130 -w "$2" "$1"
}

speak_file() { # text -> the file name of its spoken sound in $said
  local text=$1
  if [ -z "${spoken[$text]:-}" ]; then
    local name
    name=say_$(printf '%03d' ${#spoken[@]}).ogg
    run_job speak "$text" "$work/${name%.ogg}.wav"
    add_sound "$name" "$work/${name%.ogg}.wav"
    spoken[$text]=$name
    credit "$name" "espeak-ng ($voice) saying \"$text\" (espeak-ng: GPL-3.0-or-later)"
  fi
  said=${spoken[$text]}
}

# Mono at 44.1 kHz, so that pieces can be joined. At most SOUND_SECONDS, a long animal call
# fading out at the cut; a short word padded with silence to 1 s, since loudness is measured
# in blocks of 0.4 s.
form=aformat=sample_fmts=fltp:sample_rates=44100:channel_layouts=mono
cut="apad=whole_dur=1,atrim=end=$SOUND_SECONDS,afade=t=out:st=$SOUND_FADE:d=0.3"

# Sounds first..last: one ffmpeg run measures their loudness (ebur128), a second applies the
# gain. Not loudnorm: ffmpeg 5.1's loudnorm misjudges sounds shorter than its 3 s window. A
# limiter keeps the few loud peaks below -1 dBFS.
normalise_sounds() { # first, last
  local inputs=() chains=() i n=0 graph="" outputs=()
  for ((i = $1; i <= $2; ++i)); do
    inputs+=(-i "${sound_voices[$i]}")
    if [ -n "${sound_animals[$i]}" ]; then
      inputs+=(-i "${sound_animals[$i]}")
      chains+=("[$n:a]$form,apad=pad_dur=0.25[v$i];[$((n + 1)):a]$form[a$i];[v$i][a$i]concat=n=2:v=0:a=1,$cut")
      n=$((n + 2))
    else
      chains+=("[$n:a]$form,$cut")
      n=$((n + 1))
    fi
    graph+="${chains[-1]},ebur128=framelog=verbose[m$i];"
    outputs+=(-map "[m$i]" -f null -)
  done
  local log=$work/measure.$1.log
  ffmpeg -hide_banner -nostats -loglevel info "${inputs[@]}" -filter_complex "${graph%;}" \
    "${outputs[@]}" 2>"$log" || fail "measuring the sounds failed: $(tail -3 "$log")"
  # Each ebur128 reports under its filter's number, in the order of the graph; the last report
  # of a filter is the one of the data actually read.
  local measured
  mapfile -t measured < <(awk '/^\[Parsed_ebur128_[0-9]+ @/ { match($0, /ebur128_[0-9]+/); n = substr($0, RSTART + 8, RLENGTH - 8) }
       /^ +I: / { l[n] = $2 }
       END { for (k in l) print k, l[k] }' "$log" | sort -n | cut -d' ' -f2)
  [ ${#measured[@]} -eq ${#chains[@]} ] \
    || fail "ffmpeg measured ${#measured[@]} of ${#chains[@]} sounds"
  graph=""
  outputs=()
  for i in "${!chains[@]}"; do
    local gain
    gain=$(awk -v t=$LOUDNESS -v m="${measured[$i]}" 'BEGIN { printf "%.2f", t - m }')
    graph+="${chains[$i]},volume=${gain}dB,alimiter=limit=0.89:level=false,aresample=44100[o$i];"
    outputs+=(-map "[o$i]" -c:a libvorbis -q:a 4 "$data/${sound_files[$(($1 + i))]}")
  done
  ffmpeg -hide_banner -nostats -loglevel error -y "${inputs[@]}" -filter_complex "${graph%;}" \
    "${outputs[@]}" || fail "normalising the sounds failed"
}

# --- The content file ---

: >"$ini"
printf '; %s content made by make-content.sh from Twemoji, Tux Paint stamps and espeak-ng.\r\n\r\n' "$lang" >>"$ini"
section() { # name display description picture music
  printf '[%s]\r\nDisplay=%s\r\nDesc=%s\r\n' "$1" "$2" "$3" >>"$ini"
  [ -z "$4" ] || printf 'Picture=%s\r\n' "$4" >>"$ini"
  [ -z "$5" ] || printf 'Music=%s\r\n' "$5" >>"$ini"
  printf '\r\n' >>"$ini"
}

# A file name's part: ASCII letters and digits, one "_" for each run of anything else (the
# bytes of a Cyrillic word leave nothing but the key's letter).
lower() { echo "$1" | tr '[:upper:]' '[:lower:]' | tr -cs '[:alnum:]\n' '_' | sed 's/^_//; s/_$//'; }

letter_colours=(crimson royalblue forestgreen darkorange purple deeppink teal)
for entry in "${words[@]}"; do
  IFS='|' read -r letter word emoji stamp display <<<"$entry"
  # The key's letter names the section and the file; what it shows is the layout's letter.
  display=${display:-$letter}
  file=$(lower "$letter")_$(lower "$word")
  file=${file%_}
  if [ "$emoji" = - ]; then
    run_job character_picture "$display" "${letter_colours[$(($(printf '%d' "'$letter") % 7))]}" "$file.jpg"
    credit "$file.jpg" "the letter $display in DejaVu Sans Bold (DejaVu fonts licence)"
  else
    run_job emoji_picture "$emoji" "$file.jpg"
    credit "$file.jpg" "Twemoji $emoji.svg (CC-BY-4.0)"
  fi
  # A recorded voice of Tux Paint when there is one that says only the word (a short one).
  voice_file=""
  if [ -n "$stamp" ]; then
    recorded=$stamps/${stamp}_desc${stamp_voice_suffix}.ogg
    if [ -f "$recorded" ] && [ "$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$recorded" | cut -d. -f1)" -lt 2 ]; then
      voice_file=$recorded
    fi
  fi
  if [ -n "$voice_file" ]; then
    source_text="Tux Paint stamp ${stamp}'s recorded description"
  else
    run_job speak "$word" "$work/$file.wav"
    voice_file=$work/$file.wav
    source_text="espeak-ng ($voice) saying \"$word\""
  fi
  animal=""
  if [ -n "$stamp" ] && [ -f "$stamps/$stamp.ogg" ]; then
    animal=$stamps/$stamp.ogg
    source_text+=", then Tux Paint stamp ${stamp}'s own sound"
  fi
  add_sound "$file.ogg" "$voice_file" $animal
  credit "$file.ogg" "$source_text (Tux Paint stamps: GPL-2.0-or-later; espeak-ng: GPL-3.0-or-later)"
  section "VK_$letter" "$display" "$word" "$file.jpg" "$file.ogg"
done

digit_colours=(royalblue crimson forestgreen darkorange purple deeppink teal firebrick darkcyan goldenrod)
rsvg-convert -w 220 -h 220 -o "$work/ladybug.png" "$twemoji/1f41e.svg"
for digit in 0 1 2 3 4 5 6 7 8 9; do
  run_job digit_picture $digit "${digit_colours[$digit]}"
  credit "digit_$digit.jpg" "the numeral in DejaVu Sans Bold (DejaVu fonts licence) and Twemoji 1f41e.svg (CC-BY-4.0)"
  speak_file "${numbers[$digit]}"
  section "VK_$digit" "$digit" "${numbers[$digit]}" "digit_$digit.jpg" "$said"
  section "VK_NUMPAD$digit" "$digit" "${numbers[$digit]}" "digit_$digit.jpg" "$said"
done

# Keys with a name of their own, then the marks of the layout: the picture of Other_Key, the
# spoken name as sound. Function keys read the same in every language.
for ((f = 1; f <= 24; ++f)); do
  keys+=("VK_F$f|F$f|F$f")
done
# Keys of Asian and old terminal keyboards, named as their keys are labelled.
keys+=("VK_CANCEL|Break|Break" "VK_HANGU|Hangul|Hangul" "VK_JUNJA|Junja|Junja" "VK_FINA|Final|Final"
  "VK_KANJI|Kanji|Kanji" "VK_CONVERT|Henkan|Henkan" "VK_NONCONVERT|Muhenkan|Muhenkan"
  "VK_ACCEPT|Accept|Accept" "VK_MODECHANGE|Mode|Mode" "VK_SELECT|Select|Select"
  "VK_PRINT|Print|Print" "VK_EXECUTE|Execute|Execute" "VK_PLAY|Play|Play" "VK_ZOOM|Zoom|Zoom"
  "VK_ATTN|Attn|Attention" "VK_CRSEL|CrSel|CrSel" "VK_EXSE|ExSel|ExSel" "VK_EREOF|ErEOF|Erase EOF"
  "VK_PA1|PA1|PA1" "VK_OEM_CLEAR|Clear|Clear" "VK_PROCESSKEY|IME|IME")
for entry in "${keys[@]}" "${layout[@]}"; do
  IFS='|' read -r name display called <<<"$entry"
  # "|" separates the fields, so the bar itself is written <bar>.
  [ "$display" != "<bar>" ] || display='|'
  speak_file "$called"
  section "$name" "$display" "$called" "" "$said"
done

run_job emoji_picture 2b50 other.jpg
credit other.jpg "Twemoji 2b50.svg (CC-BY-4.0)"
add_sound other.ogg "$stamps/symbols/faces/happy.ogg"
credit other.ogg "Tux Paint stamp symbols/faces/happy's own sound (GPL-2.0-or-later)"
printf '[Other_Key]\r\nPicture=other.jpg\r\nMusic=other.ogg\r\n' >>"$ini"

wait_jobs
half=$((${#sound_files[@]} / 2))
normalise_sounds 0 $((half - 1)) &
first_half=$!
normalise_sounds $half $((${#sound_files[@]} - 1)) || fail "normalising the sounds failed"
wait $first_half || fail "normalising the sounds failed"

cat >"$credits" <<EOF
Tapsy's default content ($lang), made by tools/make-content/make-content.sh.

Sources and their licences:
- Twemoji graphics by Twitter, Inc. and other contributors (2014-2023), continued by jdecked,
  from the npm package @twemoji/svg $twemoji_version; licensed under CC-BY 4.0
  (https://creativecommons.org/licenses/by/4.0/). The pictures were drawn from the SVG files
  at 720x720 pixels and placed on white.
- Tux Paint stamps by Bill Kendrick and the Tux Paint contributors, Debian package
  tuxpaint-stamps-default; GPL-2.0-or-later. Animal sounds, recorded voices and the happy
  sound come from there.
- Speech made with espeak-ng (Debian package espeak-ng), voice $voice; espeak-ng is
  GPL-3.0-or-later.
- Numerals and letters drawn in DejaVu Sans Bold (Debian package fonts-dejavu-core),
  Bitstream Vera / DejaVu fonts licence.

Every sound was measured with ffmpeg's ebur128, brought to $LOUDNESS LUFS and cut to at most
$SOUND_SECONDS s.

Files of TapsyData:
$(sort "$credits.files")
EOF
rm -f "$credits.files"
rm -rf "$work"

# Into place: the data folder first, the content file that names it last.
rm -rf "$target/TapsyData"
mv "$data" "$target/TapsyData"
mv "$credits" "$target/CREDITS"
mv "$ini" "$target/TapsyV.ini"
echo "Wrote the $lang content to $target: TapsyV.ini, CREDITS and TapsyData ($(ls "$target/TapsyData" | wc -l) files)."
