<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>играть: во весь экран; Ctrl+Alt+Q — выход из игры</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, ничего</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>показать окно «О программе»</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;окно&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>предпросмотр заставки: ничего не показывает</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;окно&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>сменить пароль заставки (в Linux недоступно)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>в GNOME: разрешить игре перехватывать сочетания клавиш рабочего стола, чтобы GNOME не спрашивал (согласие взрослого, даётся один раз)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>показать этот текст</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>показать версию</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Использование: tapsy [/s | /c | /p &lt;окно&gt; | /a &lt;окно&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Клавиатурная игра для малышей, а также заставка экрана.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy удерживает маленького ребёнка внутри игры. В GNOME (Wayland) она просит GNOME передавать игре сочетания клавиш рабочего стола (Super, Alt+Tab, Alt+F4 и другие), пока игра идёт. GNOME спрашивает один раз, в окне «Разрешить замену комбинации клавиш», на которое ребёнок отвечает «Отказать» одной-двумя клавишами (Escape или Tab и Enter), и запоминает этот ответ.

Это сохраняет для GNOME ответ «Разрешить» для Tapsy (%1), только для вашего пользователя, в хранилище разрешений рабочего стола, чтобы GNOME не спрашивал. Пока игра идёт, она также отключает Super+Escape — клавишу, которой GNOME снова включает сочетания клавиш, — и возвращает её, когда игра заканчивается. Взрослый выходит из игры с помощью Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Готово: GNOME разрешает Tapsy перехватывать сочетания клавиш, пока идёт игра (GRANTED для %1 в таблице gnome хранилища разрешений, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Ничего не сохранено: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Веб-сайт:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Эл. почта поддержки:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>На сайт</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Блокировка клавиш...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версия: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Разрешить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Note:<byte value="xd"/>
<byte value="xd"/>
1. Don&apos;t let your baby play with this game <byte value="xd"/>
     for more than 15 minutes every time.<byte value="xd"/>
<byte value="xd"/>
2. Press Ctrl + Alt + Q to exit game.</source>
        <translation>Внимание:<byte value="xd"/>
<byte value="xd"/>
1. Не позволяйте малышу играть в эту игру <byte value="xd"/>
     больше 15 минут подряд.<byte value="xd"/>
<byte value="xd"/>
2. Выход из игры — Ctrl + Alt + Q.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Как известно, внимание ребёнка держится недолго. Не позволяйте малышу играть в эту игру больше 15 минут подряд. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Описание...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Сайт</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Играет ребёнок</translation>
    </message>
</context>
</TS>
