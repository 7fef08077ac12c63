<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>jouer&#xa0;: plein écran&#xa0;; Ctrl+Alt+Q quitte le jeu</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, rien</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>afficher la fenêtre «&#xa0;À propos&#xa0;»</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;fenêtre&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>aperçu de l&apos;économiseur d&apos;écran&#xa0;: n&apos;affiche rien</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;fenêtre&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>changer le mot de passe de l&apos;économiseur d&apos;écran (non proposé sous Linux)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>sous GNOME&#xa0;: permettre au jeu de retenir les raccourcis du bureau, pour que GNOME ne pose pas la question (l&apos;accord d&apos;un adulte, donné une fois pour toutes)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>afficher ce texte</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>afficher la version</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Utilisation&#xa0;: tapsy [/s | /c | /p &lt;fenêtre&gt; | /a &lt;fenêtre&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Jeu de clavier pour les tout-petits, et économiseur d&apos;écran.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy garde un petit enfant dans le jeu. Sous GNOME (Wayland), il demande à GNOME de transmettre au jeu les raccourcis clavier du bureau (Super, Alt+Tab, Alt+F4 et les autres) tant qu&apos;il tourne. GNOME pose la question une fois, dans une boîte de dialogue «&#xa0;Permettre de neutraliser les raccourcis&#xa0;» à laquelle un enfant répond «&#xa0;Refuser&#xa0;» d&apos;une touche ou deux (Échap, ou Tab puis Entrée), et retient cette réponse.

Ceci donne à GNOME la réponse «&#xa0;Autoriser&#xa0;» pour Tapsy (%1), pour votre utilisateur seulement, dans le magasin d&apos;autorisations du bureau, afin que GNOME ne pose pas la question. Pendant le jeu, Tapsy désactive aussi Super+Échap, la touche de GNOME qui réactive les raccourcis, et la rétablit à la fin du jeu. Un adulte quitte le jeu avec Ctrl+Alt+Q.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>C&apos;est fait&#xa0;: GNOME laisse Tapsy retenir ses raccourcis clavier pendant le jeu (GRANTED pour %1 dans la table gnome du magasin d&apos;autorisations, identifiant shortcuts-inhibitor).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Rien n&apos;a été enregistré&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Courriel d&apos;assistance&#xa0;:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Page d&apos;accueil</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Autoriser le blocage...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version&#xa0;: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Autoriser</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Remarque&#xa0;:<byte value="xd"/>
<byte value="xd"/>
1. Ne laissez pas votre bébé jouer à ce jeu <byte value="xd"/>
     plus de 15 minutes d&apos;affilée.<byte value="xd"/>
<byte value="xd"/>
2. Appuyez sur Ctrl + Alt + Q pour quitter.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Comme chacun sait, la capacité d&apos;attention d&apos;un enfant est limitée. Ne laissez pas votre bébé jouer à ce jeu plus de 15 minutes d&apos;affilée. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Description...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Page d&apos;accueil</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Un enfant joue</translation>
    </message>
</context>
</TS>
