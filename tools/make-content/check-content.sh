#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Checks a content set (a system directory with TapsyV.ini and TapsyData) as a child would meet
# it: every key of a full keyboard has a section with a Display that is no control character;
# every picture and sound a section names exists and decodes; all pictures have one size; every
# sound is not silent, lasts at most 3.5 s and lies within 2 LU of the loudness target; every
# letter key's description, after its article, starts with the letter shown (or is the letter).
# Prints one line per fault and ends with status 1 if there is any.
#
# Usage: check-content.sh [--loudness LUFS] DIRECTORY   (default target: -20 LUFS)
set -uo pipefail
# Characters, not bytes, for the Display checks below.
export LC_ALL=C.UTF-8

target_lufs=-20
if [ "${1:-}" = --loudness ]; then
  target_lufs=$2
  shift 2
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--loudness LUFS] DIRECTORY" >&2
  exit 2
fi
dir=$1
ini=$dir/TapsyV.ini
data=$dir/TapsyData
faults=0
fault() {
  echo "FAULT: $*"
  faults=$((faults + 1))
}
[ -f "$ini" ] || { echo "FAULT: no $ini"; exit 1; }

# Sections as "section<TAB>key<TAB>value" lines, names in upper case (the game ignores case).
entries=$(tr -d '\r' <"$ini" | sed '1s/^\xEF\xBB\xBF//' | awk '
  /^[ \t]*;/ { next }
  /^[ \t]*\[/ { s = $0; sub(/^[ \t]*\[/, "", s); sub(/\][ \t]*$/, "", s); s = toupper(s); next }
  /=/ { k = substr($0, 1, index($0, "=") - 1); v = substr($0, index($0, "=") + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", k); gsub(/^[ \t]+|[ \t]+$/, "", v)
        print s "\t" toupper(k) "\t" v }')
declare -A values=()
sections=()
while IFS=$'\t' read -r s k v; do
  [ -n "$s" ] || continue
  [ -n "${values[$s]+x}" ] || { values[$s]=1; sections+=("$s"); }
  [ -n "${values[$s|$k]+x}" ] || values[$s|$k]=$v # the first of duplicate keys wins
done <<<"$entries"
get() { # variable section key: without a command substitution, which costs a process
  printf -v "$1" '%s' "${values[$2|$3]:-}"
}

# Every key a keyboard sends to the game, by the section name the game looks it up under.
keys=(VK_BACK VK_TAB VK_RETURN VK_SHIFT VK_CONTROL VK_MENU VK_PAUSE VK_CAPITAL VK_ESCAPE
  VK_SPACE VK_PRIOR VK_NEXT VK_END VK_HOME VK_LEFT VK_UP VK_RIGHT VK_DOWN VK_SNAPSHOT VK_INSERT
  VK_DELETE VK_LWIN VK_RWIN VK_APPS VK_MULTIPLY VK_ADD VK_SUBTRACT VK_DECIMA VK_DIVIDE
  VK_OEM_NUMBER VK_OEM_SCROLL VK_OEM_1 VK_OEM_PLUS VK_OEM_COMMA VK_OEM_MINUS VK_OEM_PERIOD
  VK_OEM_2 VK_OEM_3 VK_OEM_4 VK_OEM_5 VK_OEM_6 VK_OEM_7 VK_OEM_BSLASH
  SHIFT_MINUS SHIFT_EQUAL SHIFT_LBRACE SHIFT_RBRACE SHIFT_SEMICOLON SHIFT_SINGLEQUOTE
  SHIFT_COMMA SHIFT_POINT SHIFT_BACKSLASH SHIFT_SLASH)
for c in {A..Z}; do keys+=("VK_$c"); done
for d in {0..9}; do keys+=("VK_$d" "VK_NUMPAD$d" "SHIFT_$d"); done
for f in {1..24}; do keys+=("VK_F$f"); done
for key in "${keys[@]}"; do
  [ -n "${values[$key]+x}" ] || fault "$key: no section"
done

get other_picture OTHER_KEY PICTURE
get other_music OTHER_KEY MUSIC
[ -n "$other_music" ] || fault "Other_Key: no Music, so keys without a section are silent"
pictures=()
sounds=()
declare -A seen=()
for section in "${sections[@]}"; do
  [ "$section" = OTHER_KEY ] && continue
  get display "$section" DISPLAY
  if [ -z "$display" ]; then
    fault "$section: no Display (the game would show the key code as a character)"
  elif [[ $display == *[[:cntrl:]]* ]]; then
    fault "$section: Display holds a control character"
  elif [ -z "${display// /}" ]; then
    fault "$section: Display is blank"
  fi
  get music "$section" MUSIC
  [ -n "$music$other_music" ] || fault "$section: no sound"
  # A letter key (one letter shown): its word starts with that letter, after an article.
  if [[ $section == VK_[A-Z] ]] || [[ $display == [[:alpha:]] ]]; then
    get desc "$section" DESC
    word=$(sed -E "s/^(the|a|an|der|die|das|ein|eine|le|la|les|l'|un|une|el|los|las|una|il|lo|gli|i|uno|o|os|as|um|uma|de|het|een|en|ett)[ ]+//I; s/^l'//I" <<<"$desc")
    first=${word:0:1}
    if [ "${first^^}" != "${display^^}" ] && [ "${desc^^}" != "${display^^}" ]; then
      fault "$section: the description \"$desc\" does not start with \"$display\""
    fi
  fi
  for kind in PICTURE MUSIC; do
    get file "$section" $kind
    [ -n "$file" ] || continue
    if [ ! -f "$data/$file" ]; then
      fault "$section: $kind $file is missing"
    elif [ -z "${seen[$file]:-}" ]; then
      seen[$file]=1
      if [ $kind = PICTURE ]; then pictures+=("$data/$file"); else sounds+=("$data/$file"); fi
    fi
  done
done
for file in "$other_picture" "$other_music"; do
  [ -n "$file" ] || continue
  if [ ! -f "$data/$file" ]; then
    fault "Other_Key: $file is missing"
  elif [ -z "${seen[$file]:-}" ]; then
    seen[$file]=1
    if [ "$file" = "$other_picture" ]; then pictures+=("$data/$file"); else sounds+=("$data/$file"); fi
  fi
done

# Pictures: each decodes, all share one size.
# identify reads each picture whole, one after the other.
identify=/usr/bin/identify
[ -x "$identify" ] || identify=identify
declare -A sizes=()
if [ ${#pictures[@]} -gt 0 ]; then
  if ! list=$("$identify" -regard-warnings -format '%wx%h %i\n' "${pictures[@]}" 2>/dev/null); then
    for picture in "${pictures[@]}"; do
      "$identify" -regard-warnings "$picture" >/dev/null 2>&1 || fault "${picture#"$data"/}: does not decode"
    done
  fi
  while read -r size picture; do
    [ -n "$size" ] && sizes[$size]+="${picture#"$data"/} "
  done <<<"$list"
fi
if [ ${#sizes[@]} -gt 1 ]; then
  for size in "${!sizes[@]}"; do
    fault "pictures of several sizes: $size: ${sizes[$size]}"
  done
fi

# Sounds: one ffmpeg run decodes and measures them all. Each file's chain is three filters, so
# the filters numbered 3i+1 (astats: its length) and 3i+2 (ebur128: its loudness) report on
# file i; a summary printed again later is the one of the data actually read.
if [ ${#sounds[@]} -gt 0 ]; then
  inputs=()
  graph=""
  outputs=()
  for i in "${!sounds[@]}"; do
    inputs+=(-i "${sounds[$i]}")
    graph+="[$i:a]aformat=sample_rates=48000:channel_layouts=mono,astats=measure_perchannel=none,ebur128=framelog=verbose[e$i];"
    outputs+=(-map "[e$i]" -f null -)
  done
  if ! log=$(ffmpeg -hide_banner -nostats -v info -xerror "${inputs[@]}" -filter_complex "${graph%;}" "${outputs[@]}" 2>&1); then
    fault "a sound does not decode: $(grep -i error <<<"$log" | head -3)"
  else
    declare -A lufs=() samples=()
    while read -r n kind number; do
      if [ "$kind" = I ]; then lufs[$((n / 3))]=$number; else samples[$((n / 3))]=$number; fi
    done < <(awk '/^\[Parsed_(ebur128|astats)_[0-9]+ @/ { match($0, /_[0-9]+ @/); n = substr($0, RSTART + 1, RLENGTH - 3) }
      /^ +I: / { print n, "I", $2 }
      /Number of samples:/ { print n, "S", $NF }' <<<"$log")
    for i in "${!sounds[@]}"; do
      name=${sounds[$i]#"$data"/}
      if [ -z "${lufs[$i]:-}" ] || [ -z "${samples[$i]:-}" ]; then
        fault "$name: ffmpeg did not measure it"
        continue
      fi
      seconds=$(awk -v n="${samples[$i]}" 'BEGIN { printf "%.2f", n / 48000 }')
      awk -v s="$seconds" 'BEGIN { exit !(s > 3.5) }' && fault "$name: lasts $seconds s, more than 3.5 s"
      if awk -v l="${lufs[$i]}" 'BEGIN { exit !(l <= -69) }'; then
        fault "$name: silent"
      elif awk -v l="${lufs[$i]}" -v t="$target_lufs" 'BEGIN { d = l - t; exit !(d > 2 || d < -2) }'; then
        fault "$name: loudness ${lufs[$i]} LUFS, more than 2 LU from $target_lufs"
      fi
    done
  fi
fi

if [ $faults -gt 0 ]; then
  echo "$dir: $faults fault(s)"
  exit 1
fi
echo "$dir: ${#keys[@]} keys, ${#pictures[@]} pictures ($(echo "${!sizes[@]}")), ${#sounds[@]} sounds: all right"
