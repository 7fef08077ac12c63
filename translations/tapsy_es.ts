<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>jugar: pantalla completa; Ctrl+Alt+Q sale del juego</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, nada</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>mostrar la ventana «Acerca de»</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;ventana&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>vista previa del salvapantallas: no muestra nada</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;ventana&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>cambiar la contraseña del salvapantallas (no disponible en Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>en GNOME: dejar que el juego retenga los atajos del escritorio, para que GNOME no pregunte (el consentimiento de un adulto, dado una sola vez)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>mostrar este texto</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>mostrar la versión</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Uso: tapsy [/s | /c | /p &lt;ventana&gt; | /a &lt;ventana&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Juego de teclado para niños pequeños, y salvapantallas.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy mantiene a un niño pequeño dentro del juego. En GNOME (Wayland) pide a GNOME que pase al juego los atajos de teclado del escritorio (Super, Alt+Tab, Alt+F4 y los demás) mientras se ejecuta. GNOME pregunta una vez, en un diálogo «Permitir inhibir los atajos» al que un niño responde «Denegar» con una o dos teclas (Escape, o Tab e Intro), y recuerda esa respuesta.

Esto da a GNOME la respuesta «Permitir» para Tapsy (%1), solo para su usuario, en el almacén de permisos del escritorio, para que GNOME no pregunte. Mientras el juego se ejecuta, también desactiva Super+Escape, la tecla de GNOME que vuelve a activar los atajos, y la restablece cuando el juego termina. Un adulto sale del juego con Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Hecho: GNOME deja que Tapsy retenga sus atajos de teclado mientras el juego se ejecuta (GRANTED para %1 en la tabla gnome del almacén de permisos, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>No se guardó nada: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Sitio web:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Correo de soporte:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Página web</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Permitir bloqueo...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Permitir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
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
1. No deje que su bebé juegue con este juego <byte value="xd"/>
     más de 15 minutos seguidos.<byte value="xd"/>
<byte value="xd"/>
2. Pulse Ctrl + Alt + Q para salir del juego.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Como todo el mundo sabe, la capacidad de atención de un niño es limitada. No deje que su bebé juegue con este juego más de 15 minutos seguidos. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Descripción...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Página web</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Un niño está jugando</translation>
    </message>
</context>
</TS>
