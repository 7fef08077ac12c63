<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>jogar: ecrã inteiro; Ctrl+Alt+Q sai do jogo</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, nada</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>mostrar a janela «Acerca de»</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;janela&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>pré-visualização da proteção de ecrã: não mostra nada</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;janela&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>alterar a palavra-passe da proteção de ecrã (não disponível em Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>no GNOME: deixar o jogo reter os atalhos do ambiente de trabalho, para que o GNOME não pergunte (o consentimento de um adulto, dado uma só vez)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>mostrar este texto</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>mostrar a versão</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Uso: tapsy [/s | /c | /p &lt;janela&gt; | /a &lt;janela&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Jogo de teclado para crianças pequenas e proteção de ecrã.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>O Tapsy mantém uma criança pequena dentro do jogo. No GNOME (Wayland), pede ao GNOME que passe ao jogo os atalhos de teclado do ambiente de trabalho (Super, Alt+Tab, Alt+F4 e os outros) enquanto está a correr. O GNOME pergunta uma vez, numa caixa de diálogo «Permitir inibição de atalhos» a que uma criança responde «Negar» com uma ou duas teclas (Escape, ou Tab e Enter), e memoriza essa resposta.

Isto dá ao GNOME a resposta «Permitir» para o Tapsy (%1), apenas para o seu utilizador, no armazém de permissões do ambiente de trabalho, para que o GNOME não pergunte. Enquanto o jogo corre, também desativa Super+Escape, a tecla do GNOME que volta a ativar os atalhos, e repõe-na quando o jogo termina. Um adulto sai do jogo com Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Feito: o GNOME deixa o Tapsy reter os seus atalhos de teclado enquanto o jogo corre (GRANTED para %1 na tabela gnome do armazém de permissões, id shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Nada foi guardado: %1.</translation>
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
        <translation>Site:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>E-mail de apoio:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Página web</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Permitir bloqueio...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão: </translation>
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
1. Não deixe o seu bebé jogar este jogo <byte value="xd"/>
     mais de 15 minutos de cada vez.<byte value="xd"/>
<byte value="xd"/>
2. Prima Ctrl + Alt + Q para sair do jogo.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Como todos sabem, a capacidade de atenção de uma criança é limitada. Não deixe o seu bebé jogar este jogo mais de 15 minutos de cada vez. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Descrição...</translation>
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
        <translation>Uma criança está a jogar</translation>
    </message>
</context>
</TS>
