<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>gioca: a schermo intero; Ctrl+Alt+Q esce dal gioco</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, niente</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>mostra la finestra «Informazioni»</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;finestra&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>anteprima del salvaschermo: non mostra nulla</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;finestra&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>cambia la password del salvaschermo (non disponibile su Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>su GNOME: lascia che il gioco trattenga le scorciatoie del desktop, così GNOME non lo chiede (il consenso di un adulto, dato una volta sola)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>mostra questo testo</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>mostra la versione</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Uso: tapsy [/s | /c | /p &lt;finestra&gt; | /a &lt;finestra&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Gioco di tastiera per bambini piccoli, e salvaschermo.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy tiene un bambino piccolo dentro il gioco. Su GNOME (Wayland) chiede a GNOME di passare al gioco le scorciatoie da tastiera del desktop (Super, Alt+Tab, Alt+F4 e le altre) finché è in esecuzione. GNOME lo chiede una volta, in una finestra «Consenti blocco delle scorciatoie» a cui un bambino risponde «Nega» con un tasto o due (Esc, oppure Tab e Invio), e ricorda quella risposta.

Questo dà a GNOME la risposta «Consenti» per Tapsy (%1), solo per il tuo utente, nell&apos;archivio dei permessi del desktop, così che GNOME non lo chieda. Mentre il gioco è in esecuzione, disattiva anche Super+Esc, il tasto di GNOME che riattiva le scorciatoie, e lo ripristina quando il gioco finisce. Un adulto esce dal gioco con Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Fatto: GNOME lascia che Tapsy trattenga le sue scorciatoie da tastiera mentre il gioco è in esecuzione (GRANTED per %1 nella tabella gnome dell&apos;archivio dei permessi, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Non è stato salvato nulla: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Sito web:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>E-mail di assistenza:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Pagina web</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Consenti blocco...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versione: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Consenti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
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
        <translation>Nota:<byte value="xd"/>
<byte value="xd"/>
1. Non lasciare giocare il tuo bambino <byte value="xd"/>
     per più di 15 minuti alla volta.<byte value="xd"/>
<byte value="xd"/>
2. Premi Ctrl + Alt + Q per uscire dal gioco.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Come tutti sanno, la capacità di attenzione di un bambino è limitata. Non lasciare che il tuo bambino giochi con questo gioco per più di 15 minuti alla volta. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Descrizione...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Pagina web</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Un bambino sta giocando</translation>
    </message>
</context>
</TS>
