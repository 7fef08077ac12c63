<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>spela: helskärm; Ctrl+Alt+Q avslutar spelet</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, inget</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>visa fönstret ”Om”</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;fönster&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>förhandsvisning av skärmsläckaren: visar ingenting</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;fönster&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>ändra skärmsläckarens lösenord (finns inte på Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>i GNOME: låt spelet hålla skrivbordets kortkommandon, så att GNOME inte frågar (en vuxens samtycke, som ges en gång)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>visa den här texten</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>visa versionen</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Användning: tapsy [/s | /c | /p &lt;fönster&gt; | /a &lt;fönster&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Tangentbordsspel för småbarn, och en skärmsläckare.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy håller kvar ett litet barn i spelet. I GNOME (Wayland) ber det GNOME att skicka skrivbordets kortkommandon (Super, Alt+Tab, Alt+F4 och de andra) till spelet medan det körs. GNOME frågar en gång, i en dialog ”Tillåt förhindrande av kortkommandon” som ett barn svarar ”Neka” på med en eller två tangenter (Escape, eller Tab och Enter), och kommer ihåg svaret.

Detta ger GNOME svaret ”Tillåt” för Tapsy (%1), bara för din användare, i skrivbordets behörighetslager, så att GNOME inte frågar. Medan spelet körs stänger det också av Super+Escape, tangenten som slår på GNOME:s kortkommandon igen, och återställer den när spelet slutar. En vuxen lämnar spelet med Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Klart: GNOME låter Tapsy hålla dess kortkommandon medan spelet körs (GRANTED för %1 i behörighetslagrets tabell gnome, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Inget sparades: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Webbplats:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>E-post för support:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Hemsida</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Tillåt låsning...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Tillåt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
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
        <translation>Obs!<byte value="xd"/>
<byte value="xd"/>
1. Låt inte ditt barn spela det här spelet <byte value="xd"/>
     mer än 15 minuter åt gången.<byte value="xd"/>
<byte value="xd"/>
2. Tryck Ctrl + Alt + Q för att avsluta.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Som alla vet är ett barns koncentrationsförmåga begränsad. Låt inte ditt barn spela det här spelet mer än 15 minuter åt gången. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Beskrivning...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Hemsida</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Ett barn leker</translation>
    </message>
</context>
</TS>
