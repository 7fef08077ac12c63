<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Ctx</name>
    <message>
        <source>finished text</source>
        <translation>fertiger Text</translation>
    </message>
    <message>
        <source>unfinished text</source>
        <translation type="unfinished">unfertiger Text</translation>
    </message>
    <message>
        <source>empty text</source>
        <translation> </translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Line one<byte value="xd"/>
Line %2</source>
        <translation>Zeile eins<byte value="xd"/>
Zeile %1</translation>
    </message>
    <message>
        <source>kept %1 and %2</source>
        <translation>%2 und %1 behalten</translation>
    </message>
    <message>
        <source>old text</source>
        <translation type="vanished">alter Text</translation>
    </message>
</context>
</TS>
