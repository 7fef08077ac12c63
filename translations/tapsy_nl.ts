<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>spelen: volledig scherm; Ctrl+Alt+Q verlaat het spel</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, niets</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>het venster ‘Over’ tonen</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;venster&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>voorbeeld van de schermbeveiliging: toont niets</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;venster&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>het wachtwoord van de schermbeveiliging wijzigen (niet beschikbaar op Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>op GNOME: het spel de sneltoetsen van het bureaublad laten vasthouden, zodat GNOME er niet om vraagt (toestemming van een volwassene, eenmalig gegeven)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>deze tekst tonen</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>de versie tonen</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Gebruik: tapsy [/s | /c | /p &lt;venster&gt; | /a &lt;venster&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Toetsenbordspel voor peuters, en een schermbeveiliging.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy houdt een klein kind binnen het spel. Op GNOME (Wayland) vraagt het GNOME om de sneltoetsen van het bureaublad (Super, Alt+Tab, Alt+F4 en de andere) aan het spel door te geven zolang het draait. GNOME vraagt dat één keer, in een venster ‘Blokkeren van sneltoetsen toestaan’ dat een kind met een toets of twee (Escape, of Tab en Enter) met ‘Weigeren’ beantwoordt, en onthoudt dat antwoord.

Hiermee krijgt GNOME het antwoord ‘Toestaan’ voor Tapsy (%1), alleen voor uw gebruiker, in de toestemmingenopslag van het bureaublad, zodat GNOME het niet vraagt. Terwijl het spel draait, schakelt het ook Super+Escape uit, de toets waarmee GNOME de sneltoetsen weer aanzet, en zet die terug als het spel stopt. Een volwassene verlaat het spel met Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Klaar: GNOME laat Tapsy zijn sneltoetsen vasthouden zolang het spel draait (GRANTED voor %1 in de tabel gnome van de toestemmingenopslag, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Er is niets opgeslagen: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Support-e-mail:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Blokkeren toestaan...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versie: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
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
        <translation>Let op:<byte value="xd"/>
<byte value="xd"/>
1. Laat uw kindje dit spel niet langer <byte value="xd"/>
     dan 15 minuten achter elkaar spelen.<byte value="xd"/>
<byte value="xd"/>
2. Druk op Ctrl + Alt + Q om te stoppen.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Zoals iedereen weet, kan een kind zich maar kort concentreren. Laat uw kindje dit spel niet langer dan 15 minuten achter elkaar spelen. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Beschrijving...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Er speelt een kind</translation>
    </message>
</context>
</TS>
