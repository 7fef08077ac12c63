# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# English content: words, key names and the marks of the US keyboard. Read by make-content.sh.

voice=en-us
# Tux Paint's recorded descriptions in English carry no language suffix.
stamp_voice_suffix=

# Letter|word|Twemoji code point ("-": the letter itself)|Tux Paint stamp (its recorded voice
# and an animal's own sound), or empty[|what the key types, when that is not its letter: the
# Cyrillic letter of a Russian keyboard; the word begins with it].
words=(
  "A|Apple|1f34e|food/fruit/cartoon/apple"
  "B|Bear|1f43b|animals/mammals/bears/bear"
  "C|Cow|1f42e|animals/mammals/bovines/cow"
  "D|Dog|1f436|animals/mammals/dogs/dog"
  "E|Elephant|1f418|animals/mammals/elephant"
  "F|Frog|1f438|animals/amphibians/frog"
  "G|Goat|1f410|animals/mammals/bovines/goat"
  "H|Horse|1f434|animals/mammals/equines/horse"
  "I|Ice cream|1f366|"
  "J|Juice|1f9c3|"
  "K|Kite|1fa81|"
  "L|Lion|1f981|animals/mammals/cats/lion"
  "M|Mouse|1f42d|animals/mammals/rodents/mouse"
  "N|Nose|1f443|"
  "O|Owl|1f989|animals/birds/owl"
  "P|Pig|1f437|animals/mammals/pig"
  "Q|Queen|1f478|"
  "R|Rabbit|1f430|animals/mammals/rodents/rabbit"
  "S|Sheep|1f411|animals/mammals/bovines/sheep"
  "T|Tiger|1f42f|animals/mammals/cats/tiger"
  "U|Umbrella|2602|"
  "V|Van|1f690|"
  "W|Whale|1f433|animals/mammals/aquatic/whale"
  "X|X|-|"
  "Y|Yo-yo|1fa80|"
  "Z|Zebra|1f993|animals/mammals/equines/zebra"
)
numbers=(Zero One Two Three Four Five Six Seven Eight Nine)

# Section|Display|what it is called (description and speech). Keys whose name a keyboard prints
# show that name, kept short enough for the name area; the description says it in full.
keys=(
  "VK_BACK|⌫|Backspace"
  "VK_TAB|Tab|Tab"
  "VK_CLEAR|Clear|Clear"
  "VK_RETURN|Enter|Enter"
  "VK_SHIFT|Shift|Shift"
  "VK_LSHIFT|Shift|Shift"
  "VK_RSHIFT|Shift|Shift"
  "VK_CONTROL|Ctrl|Control"
  "VK_LCONTROL|Ctrl|Control"
  "VK_RCONTROL|Ctrl|Control"
  "VK_MENU|Alt|Alt"
  "VK_LMENU|Alt|Alt"
  "VK_RMENU|Alt|Alt"
  "VK_PAUSE|Pause|Pause"
  "VK_CAPITAL|Caps|Caps Lock"
  "VK_ESCAPE|Esc|Escape"
  "VK_SPACE|Space|Space"
  "VK_PRIOR|PgUp|Page up"
  "VK_NEXT|PgDn|Page down"
  "VK_END|End|End"
  "VK_HOME|Home|Home"
  "VK_LEFT|←|Left"
  "VK_UP|↑|Up"
  "VK_RIGHT|→|Right"
  "VK_DOWN|↓|Down"
  "VK_SNAPSHOT|Print|Print Screen"
  "VK_INSERT|Ins|Insert"
  "VK_DELETE|Del|Delete"
  "VK_HELP|Help|Help"
  "VK_LWIN|Super|Super"
  "VK_RWIN|Super|Super"
  "VK_APPS|Menu|Menu"
  "VK_OEM_NUMBER|Num|Num Lock"
  "VK_OEM_SCROLL|Scroll|Scroll Lock"
  "VK_MULTIPLY|*|Times"
  "VK_ADD|+|Plus"
  "VK_SEPARATOR|,|Comma"
  "VK_SUBTRACT|-|Minus"
  "VK_DECIMA|.|Point"
  "VK_DIVIDE|/|Divided by"
)

# What the keys of the main block type on this language's usual layout (US), unshifted and
# with Shift, and what each mark is called.
layout=(
  "VK_OEM_3|\`|Backtick"
  "VK_OEM_MINUS|-|Minus"
  "VK_OEM_PLUS|=|Equals"
  "VK_OEM_4|[|Bracket"
  "VK_OEM_6|]|Bracket"
  "VK_OEM_1|;|Semicolon"
  "VK_OEM_7|'|Apostrophe"
  "VK_OEM_5|\\|Backslash"
  "VK_OEM_COMMA|,|Comma"
  "VK_OEM_PERIOD|.|Dot"
  "VK_OEM_2|/|Slash"
  "VK_OEM_BSLASH|\\|Backslash"
  "SHIFT_1|!|Exclamation mark"
  "SHIFT_2|@|At"
  "SHIFT_3|#|Hash"
  "SHIFT_4|\$|Dollar"
  "SHIFT_5|%|Percent"
  "SHIFT_6|^|Caret"
  "SHIFT_7|&|And"
  "SHIFT_8|*|Star"
  "SHIFT_9|(|Parenthesis"
  "SHIFT_0|)|Parenthesis"
  "SHIFT_MINUS|_|Underscore"
  "SHIFT_EQUAL|+|Plus"
  "SHIFT_LBRACE|{|Brace"
  "SHIFT_RBRACE|}|Brace"
  "SHIFT_SEMICOLON|:|Colon"
  "SHIFT_SINGLEQUOTE|\"|Quote"
  "SHIFT_BACKSLASH|<bar>|Bar"
  "SHIFT_COMMA|<|Less than"
  "SHIFT_POINT|>|Greater than"
  "SHIFT_SLASH|?|Question mark"
)
