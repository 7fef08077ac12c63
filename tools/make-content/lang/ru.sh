# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Tapsy developers
#
# Russian content: words, key names and the marks of the Russian keyboard (ЙЦУКЕН). Read by
# make-content.sh; the fields are explained in en.sh. Each letter key shows the Cyrillic letter
# it types (the A key Ф), and its word begins with that letter; the Cyrillic letters on the
# keys of marks (Х Ъ Ж Э Б Ю Ё) are in the layout below.

voice=ru
# Tux Paint's recorded Russian descriptions: used where one says just the word.
stamp_voice_suffix=_ru

words=(
  "A|Фламинго|1f9a9||Ф"
  "B|Индюк|1f983|animals/birds/turkey|И"
  "C|Слон|1f418|animals/mammals/elephant|С"
  "D|Волк|1f43a||В"
  "E|Утка|1f986|animals/birds/duck|У"
  "F|Арбуз|1f349||А"
  "G|Пингвин|1f427|animals/birds/penguin|П"
  "H|Рыба|1f41f||Р"
  "I|Шарик|1f388||Ш"
  "J|Овца|1f411|animals/mammals/bovines/sheep|О"
  "K|Лев|1f981|animals/mammals/cats/lion|Л"
  "L|Дом|1f3e0||Д"
  "M|Ь|-||Ь"
  "N|Тигр|1f42f|animals/mammals/cats/tiger|Т"
  "O|Щенок|1f436||Щ"
  "P|Зебра|1f993|animals/mammals/equines/zebra|З"
  "Q|Й|-||Й"
  "R|Корова|1f42e|animals/mammals/bovines/cow|К"
  "S|Ы|-||Ы"
  "T|Енот|1f99d||Е"
  "U|Гриб|1f344||Г"
  "V|Мышь|1f42d|animals/mammals/rodents/mouse|М"
  "W|Цыплёнок|1f424||Ц"
  "X|Черепаха|1f422||Ч"
  "Y|Нос|1f443||Н"
  "Z|Яблоко|1f34e||Я"
)
numbers=(Ноль Один Два Три Четыре Пять Шесть Семь Восемь Девять)

# Russian keyboards print the names of these keys in Latin letters; the description says them
# in Russian.
keys=(
  "VK_BACK|⌫|Бэкспейс"
  "VK_TAB|Tab|Таб"
  "VK_CLEAR|Clear|Очистить"
  "VK_RETURN|Enter|Ввод"
  "VK_SHIFT|Shift|Шифт"
  "VK_LSHIFT|Shift|Шифт"
  "VK_RSHIFT|Shift|Шифт"
  "VK_CONTROL|Ctrl|Контрол"
  "VK_LCONTROL|Ctrl|Контрол"
  "VK_RCONTROL|Ctrl|Контрол"
  "VK_MENU|Alt|Альт"
  "VK_LMENU|Alt|Альт"
  "VK_RMENU|Alt|Альт"
  "VK_PAUSE|Pause|Пауза"
  "VK_CAPITAL|Caps|Капс лок"
  "VK_ESCAPE|Esc|Эскейп"
  "VK_SPACE|Пробел|Пробел"
  "VK_PRIOR|PgUp|Страница вверх"
  "VK_NEXT|PgDn|Страница вниз"
  "VK_END|End|Конец"
  "VK_HOME|Home|Начало"
  "VK_LEFT|←|Влево"
  "VK_UP|↑|Вверх"
  "VK_RIGHT|→|Вправо"
  "VK_DOWN|↓|Вниз"
  "VK_SNAPSHOT|Print|Снимок экрана"
  "VK_INSERT|Ins|Вставка"
  "VK_DELETE|Del|Удалить"
  "VK_HELP|Help|Справка"
  "VK_LWIN|Super|Супер"
  "VK_RWIN|Super|Супер"
  "VK_APPS|Menu|Меню"
  "VK_OEM_NUMBER|Num|Нам лок"
  "VK_OEM_SCROLL|Scroll|Скролл лок"
  "VK_MULTIPLY|*|Умножить"
  "VK_ADD|+|Плюс"
  "VK_SEPARATOR|,|Запятая"
  "VK_SUBTRACT|-|Минус"
  "VK_DECIMA|,|Запятая"
  "VK_DIVIDE|/|Разделить"
)

# The Russian keyboard: seven letters on the keys of marks, the marks of its digit keys with
# Shift, the dot on the slash key and the slash on the backslash key (with Shift) and on the
# extra key of European keyboards.
layout=(
  "VK_OEM_3|Ё|Ё"
  "VK_OEM_MINUS|-|Минус"
  "VK_OEM_PLUS|=|Равно"
  "VK_OEM_4|Х|Х"
  "VK_OEM_6|Ъ|Ъ"
  "VK_OEM_1|Ж|Ж"
  "VK_OEM_7|Э|Э"
  "VK_OEM_5|\\|Обратная косая черта"
  "VK_OEM_COMMA|Б|Б"
  "VK_OEM_PERIOD|Ю|Ю"
  "VK_OEM_2|.|Точка"
  "VK_OEM_BSLASH|/|Косая черта"
  "SHIFT_1|!|Восклицательный знак"
  "SHIFT_2|\"|Кавычки"
  "SHIFT_3|№|Номер"
  "SHIFT_4|;|Точка с запятой"
  "SHIFT_5|%|Процент"
  "SHIFT_6|:|Двоеточие"
  "SHIFT_7|?|Вопросительный знак"
  "SHIFT_8|*|Звёздочка"
  "SHIFT_9|(|Скобка"
  "SHIFT_0|)|Скобка"
  "SHIFT_MINUS|_|Подчёркивание"
  "SHIFT_EQUAL|+|Плюс"
  "SHIFT_LBRACE|Х|Х"
  "SHIFT_RBRACE|Ъ|Ъ"
  "SHIFT_SEMICOLON|Ж|Ж"
  "SHIFT_SINGLEQUOTE|Э|Э"
  "SHIFT_BACKSLASH|/|Косая черта"
  "SHIFT_COMMA|Б|Б"
  "SHIFT_POINT|Ю|Ю"
  "SHIFT_SLASH|,|Запятая"
)
