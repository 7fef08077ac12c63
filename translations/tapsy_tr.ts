<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR">
<context>
    <name>CommandLine</name>
    <message>
        <source>play: full screen; Ctrl+Alt+Q leaves the game</source>
        <translation>oyna: tam ekran; Ctrl+Alt+Q oyundan çıkar</translation>
    </message>
    <message>
        <source>/c, nothing</source>
        <translation>/c, boş</translation>
    </message>
    <message>
        <source>show the About window</source>
        <translation>Hakkında penceresini göster</translation>
    </message>
    <message>
        <source>/p &lt;window&gt;</source>
        <translation>/p &lt;pencere&gt;</translation>
    </message>
    <message>
        <source>screen-saver preview: shows nothing</source>
        <translation>ekran koruyucu önizlemesi: hiçbir şey göstermez</translation>
    </message>
    <message>
        <source>/a &lt;window&gt;</source>
        <translation>/a &lt;pencere&gt;</translation>
    </message>
    <message>
        <source>change the screen-saver password (not offered on Linux)</source>
        <translation>ekran koruyucu parolasını değiştir (Linux&apos;ta sunulmaz)</translation>
    </message>
    <message>
        <source>on GNOME: let the game hold the desktop&apos;s shortcuts, so that GNOME does not ask (a grown-up&apos;s consent, given once)</source>
        <translation>GNOME&apos;da: oyunun masaüstü kısayollarını tutmasına izin ver, böylece GNOME sormaz (bir yetişkinin onayı, bir kez verilir)</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>bu metni göster</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>sürümü göster</translation>
    </message>
    <message>
        <source>Usage: tapsy [/s | /c | /p &lt;window&gt; | /a &lt;window&gt;]</source>
        <translation>Kullanım: tapsy [/s | /c | /p &lt;pencere&gt; | /a &lt;pencere&gt;]</translation>
    </message>
    <message>
        <source>Keyboard game for toddlers, and a screen saver.</source>
        <translation>Küçük çocuklar için klavye oyunu ve ekran koruyucu.</translation>
    </message>
</context>
<context>
    <name>LockdownConsent</name>
    <message>
        <source>Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the desktop&apos;s keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while it runs. GNOME asks once, in a dialog &quot;Allow inhibiting shortcuts&quot; that a child answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.

This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop&apos;s permission store, so that GNOME does not ask. While the game runs it also switches off Super+Escape, GNOME&apos;s key that turns the shortcuts on again, and puts it back when the game ends. A grown-up leaves the game with Ctrl+Alt+Q.</source>
        <translation>Tapsy küçük bir çocuğu oyunun içinde tutar. GNOME&apos;da (Wayland) oyun çalıştığı sürece masaüstünün klavye kısayollarını (Super, Alt+Tab, Alt+F4 ve diğerleri) oyuna iletmesini GNOME&apos;dan ister. GNOME bunu bir kez, bir çocuğun bir iki tuşla (Escape ya da Tab ve Enter) “Reddet” diye yanıtladığı “Kısayolları baskılamaya izin ver” iletişim kutusunda sorar ve bu yanıtı hatırlar.

Bu işlem, masaüstünün izin deposuna yalnızca sizin kullanıcınız için Tapsy (%1) adına “İzin Ver” yanıtını kaydeder; böylece GNOME sormaz. Oyun çalışırken GNOME&apos;un kısayolları yeniden açan tuşu Super+Escape&apos;i de kapatır ve oyun bitince geri getirir. Bir yetişkin oyundan Ctrl+Alt+Q ile çıkar.</translation>
    </message>
    <message>
        <source>Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for %1 in the permission store&apos;s table gnome, id shortcuts-inhibitor).</source>
        <translation>Tamam: GNOME, oyun çalışırken Tapsy&apos;nin klavye kısayollarını tutmasına izin veriyor (izin deposunun gnome tablosunda, shortcuts-inhibitor kimliğinde %1 için GRANTED).</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Hiçbir şey kaydedilmedi: %1.</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Hakkında</translation>
    </message>
    <message>
        <source>Web Site:</source>
        <translation>Web sitesi:</translation>
    </message>
    <message>
        <source>Support Email:</source>
        <translation>Destek e-postası:</translation>
    </message>
    <message>
        <source>Visit Home Page</source>
        <translation>Ana sayfa</translation>
    </message>
    <message>
        <source>Allow Lock-down...</source>
        <translation>Kilitlemeye izin ver...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Sürüm: </translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>İzin ver</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
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
        <translation>Not:<byte value="xd"/>
<byte value="xd"/>
1. Bebeğinizin bu oyunu tek seferde <byte value="xd"/>
     15 dakikadan uzun oynamasına izin vermeyin.<byte value="xd"/>
<byte value="xd"/>
2. Oyundan çıkmak için Ctrl + Alt + Q&apos;ya basın.</translation>
    </message>
    <message>
        <source>As everybody knows, a child&apos;s attention span is limited. Don&apos;t let your baby play with this game for more than 15 minutes at a time. </source>
        <translation>Herkesin bildiği gibi, bir çocuğun dikkat süresi sınırlıdır. Bebeğinizin bu oyunu tek seferde 15 dakikadan uzun oynamasına izin vermeyin. </translation>
    </message>
    <message>
        <source>Description...</source>
        <translation>Açıklama...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Hakkında</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Ana sayfa</translation>
    </message>
    <message>
        <source>A child is playing</source>
        <translation>Bir çocuk oynuyor</translation>
    </message>
</context>
</TS>
