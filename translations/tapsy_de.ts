<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>spielen: ganzer Bildschirm; Strg+Alt+Q beendet das Spiel</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, nichts</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>das Fenster „Über“ zeigen</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;Fenster&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>Vorschau des Bildschirmschoners: zeigt nichts</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;Fenster&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>Passwort des Bildschirmschoners ändern (unter Linux nicht angeboten)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>unter GNOME: dem Spiel erlauben, die Tastenkombinationen des Desktops abzufangen, damit GNOME nicht nachfragt (die Zustimmung eines Erwachsenen, einmal gegeben)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>diesen Text zeigen</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>die Version zeigen</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Aufruf: tapsy [/s | /c | /p &lt;Fenster&gt; | /a &lt;Fenster&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Tastaturspiel für Kleinkinder und Bildschirmschoner.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy hält ein kleines Kind im Spiel. Unter GNOME (Wayland) bittet es GNOME, die Tastenkombinationen des Desktops (Super, Alt+Tab, Alt+F4 und die anderen) an das Spiel weiterzugeben, solange es läuft. GNOME fragt einmal, in einem Dialog „Sperrung von Tastenkombinationen erlauben“, den ein Kind mit ein oder zwei Tasten (Esc, oder Tab und Eingabe) mit „Ablehnen“ beantwortet, und merkt sich diese Antwort.

Hiermit erhält GNOME die Antwort „Zulassen“ für Tapsy (%1), nur für Ihren Benutzer, im Berechtigungsspeicher des Desktops, damit GNOME nicht fragt. Während das Spiel läuft, schaltet es außerdem Super+Esc ab, die Taste, mit der GNOME die Tastenkombinationen wieder einschaltet, und stellt sie wieder her, wenn das Spiel endet. Ein Erwachsener verlässt das Spiel mit Strg+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Erledigt: GNOME lässt Tapsy seine Tastenkombinationen abfangen, solange das Spiel läuft (GRANTED für %1 in der Tabelle gnome des Berechtigungsspeichers, Kennung shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Es wurde nichts gespeichert: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Support-E-Mail:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Sperre erlauben...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Erlauben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Hinweis:<byte value="xd"/>
<byte value="xd"/>
1. Lassen Sie Ihr Kind nicht länger als <byte value="xd"/>
     15 Minuten am Stück spielen.<byte value="xd"/>
<byte value="xd"/>
2. Strg + Alt + Q beendet das Spiel.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Wie jeder weiß, ist die Aufmerksamkeitsspanne eines Kindes begrenzt. Lassen Sie Ihr Kind nicht länger als 15 Minuten am Stück mit diesem Spiel spielen. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Beschreibung...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Ein Kind spielt</translation>
    </message>
</context>
</TS>
