<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>graj: pełny ekran; Ctrl+Alt+Q kończy grę</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, nic</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>pokaż okno „O programie”</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;okno&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>podgląd wygaszacza ekranu: nic nie pokazuje</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;okno&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>zmień hasło wygaszacza ekranu (niedostępne w systemie Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>w GNOME: pozwól grze przejmować skróty klawiszowe pulpitu, aby GNOME nie pytał (zgoda dorosłego, udzielana raz)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>pokaż ten tekst</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>pokaż wersję</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Użycie: tapsy [/s | /c | /p &lt;okno&gt; | /a &lt;okno&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Gra klawiaturowa dla maluchów, a także wygaszacz ekranu.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy zatrzymuje małe dziecko w grze. W GNOME (Wayland) prosi GNOME o przekazywanie grze skrótów klawiszowych pulpitu (Super, Alt+Tab, Alt+F4 i innych), dopóki gra działa. GNOME pyta raz, w oknie „Zezwolenie na wyłączenie skrótów”, na które dziecko odpowiada „Odmów” jednym lub dwoma klawiszami (Escape albo Tab i Enter), i zapamiętuje tę odpowiedź.

Ten przycisk zapisuje dla GNOME odpowiedź „Zezwól” dla Tapsy (%1), tylko dla Twojego użytkownika, w magazynie uprawnień pulpitu, aby GNOME nie pytał. Podczas gry Tapsy wyłącza też Super+Escape, klawisz, którym GNOME z powrotem włącza skróty, i przywraca go po zakończeniu gry. Dorosły wychodzi z gry klawiszami Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Gotowe: GNOME pozwala Tapsy przejmować swoje skróty klawiszowe podczas gry (GRANTED dla %1 w tabeli gnome magazynu uprawnień, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Nic nie zapisano: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Strona WWW:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>E-mail wsparcia:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Strona WWW</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Zezwól na blokadę...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Wersja: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Zezwól</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
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
        <translation>Uwaga:<byte value="xd"/>
<byte value="xd"/>
1. Nie pozwalaj dziecku grać w tę grę <byte value="xd"/>
     dłużej niż 15 minut naraz.<byte value="xd"/>
<byte value="xd"/>
2. Naciśnij Ctrl + Alt + Q, aby wyjść z gry.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Jak wszyscy wiedzą, dziecko potrafi skupić uwagę tylko przez krótki czas. Nie pozwalaj dziecku grać w tę grę dłużej niż 15 minut naraz. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Opis...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Strona domowa</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Dziecko się bawi</translation>
    </message>
</context>
</TS>
