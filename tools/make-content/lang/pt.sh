# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Portuguese content: words, key names and the marks of the Brazilian keyboard (ABNT2), with
# a Brazilian voice. The set is "pt", so that it is also the one of pt_PT desktops (the game
# tries pt_PT, then pt): its words are the same in Brazil and in Portugal. Read by
# make-content.sh; the fields are explained in en.sh.

voice=pt-br
# Tux Paint has no recorded Portuguese voice: espeak-ng speaks.
stamp_voice_suffix=_pt

words=(
  "A|Abelha|1f41d|animals/insects/bee"
  "B|Bola|26bd|"
  "C|Cavalo|1f434|animals/mammals/equines/horse"
  "D|Dinossauro|1f995|"
  "E|Elefante|1f418|animals/mammals/elephant"
  "F|Flor|1f337|"
  "G|Gato|1f431|seasonal/halloween/blackcat"
  "H|Hipopótamo|1f99b|animals/mammals/hippopotamus"
  "I|Iguana|1f98e|"
  "J|Joaninha|1f41e|"
  "K|Kiwi|1f95d|"
  "L|Leão|1f981|animals/mammals/cats/lion"
  "M|Macaco|1f412|animals/mammals/apes/chimp"
  "N|Nariz|1f443|"
  "O|Ovelha|1f411|animals/mammals/bovines/sheep"
  "P|Pato|1f986|animals/birds/duck"
  "Q|Queijo|1f9c0|"
  "R|Rato|1f42d|animals/mammals/rodents/mouse"
  "S|Sapo|1f438|animals/amphibians/frog"
  "T|Tartaruga|1f422|"
  "U|Urso|1f43b|animals/mammals/bears/bear"
  "V|Vaca|1f42e|animals/mammals/bovines/cow"
  "W|W|-|"
  "X|X|-|"
  "Y|Y|-|"
  "Z|Zebra|1f993|animals/mammals/equines/zebra"
)
numbers=(Zero Um Dois Três Quatro Cinco Seis Sete Oito Nove)

keys=(
  "VK_BACK|⌫|Apagar"
  "VK_TAB|Tab|Tab"
  "VK_CLEAR|Clear|Limpar"
  "VK_RETURN|Enter|Enter"
  "VK_SHIFT|Shift|Shift"
  "VK_LSHIFT|Shift|Shift"
  "VK_RSHIFT|Shift|Shift"
  "VK_CONTROL|Ctrl|Control"
  "VK_LCONTROL|Ctrl|Control"
  "VK_RCONTROL|Ctrl|Control"
  "VK_MENU|Alt|Alt"
  "VK_LMENU|Alt|Alt"
  "VK_RMENU|AltGr|Alt Gr"
  "VK_PAUSE|Pause|Pausa"
  "VK_CAPITAL|Caps|Caps Lock"
  "VK_ESCAPE|Esc|Esc"
  "VK_SPACE|Espaço|Espaço"
  "VK_PRIOR|PgUp|Página acima"
  "VK_NEXT|PgDn|Página abaixo"
  "VK_END|End|Fim"
  "VK_HOME|Home|Início"
  "VK_LEFT|←|Esquerda"
  "VK_UP|↑|Cima"
  "VK_RIGHT|→|Direita"
  "VK_DOWN|↓|Baixo"
  "VK_SNAPSHOT|Print|Imprimir tela"
  "VK_INSERT|Ins|Inserir"
  "VK_DELETE|Del|Excluir"
  "VK_HELP|Ajuda|Ajuda"
  "VK_LWIN|Super|Super"
  "VK_RWIN|Super|Super"
  "VK_APPS|Menu|Menu"
  "VK_OEM_NUMBER|Num|Num Lock"
  "VK_OEM_SCROLL|Scroll|Scroll Lock"
  "VK_MULTIPLY|*|Vezes"
  "VK_ADD|+|Mais"
  "VK_SEPARATOR|.|Ponto"
  "VK_SUBTRACT|-|Menos"
  "VK_DECIMA|,|Vírgula"
  "VK_DIVIDE|/|Dividido por"
)

# The Brazilian keyboard (ABNT2): Ç has a key of its own, the accents are dead keys. Its extra
# key beside the right Shift ("/" and "?") is the same section as the one beside the left Shift
# (VK_OEM_BSLASH), which shows the first.
layout=(
  "VK_OEM_3|'|Apóstrofo"
  "VK_OEM_MINUS|-|Menos"
  "VK_OEM_PLUS|=|Igual"
  "VK_OEM_4|´|Acento agudo"
  "VK_OEM_6|[|Colchete"
  "VK_OEM_1|Ç|Ç"
  "VK_OEM_7|~|Til"
  "VK_OEM_5|]|Colchete"
  "VK_OEM_COMMA|,|Vírgula"
  "VK_OEM_PERIOD|.|Ponto"
  "VK_OEM_2|;|Ponto e vírgula"
  "VK_OEM_BSLASH|\\|Barra invertida"
  "SHIFT_1|!|Ponto de exclamação"
  "SHIFT_2|@|Arroba"
  "SHIFT_3|#|Cerquilha"
  "SHIFT_4|\$|Cifrão"
  "SHIFT_5|%|Por cento"
  "SHIFT_6|¨|Trema"
  "SHIFT_7|&|E comercial"
  "SHIFT_8|*|Asterisco"
  "SHIFT_9|(|Parêntese"
  "SHIFT_0|)|Parêntese"
  "SHIFT_MINUS|_|Sublinhado"
  "SHIFT_EQUAL|+|Mais"
  "SHIFT_LBRACE|\`|Acento grave"
  "SHIFT_RBRACE|{|Chave"
  "SHIFT_SEMICOLON|Ç|Ç"
  "SHIFT_SINGLEQUOTE|^|Acento circunflexo"
  "SHIFT_BACKSLASH|}|Chave"
  "SHIFT_COMMA|<|Menor que"
  "SHIFT_POINT|>|Maior que"
  "SHIFT_SLASH|:|Dois pontos"
)
