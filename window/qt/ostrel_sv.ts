<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Swedish for the texts of Qt that the user can reach and that Qt's own
     Swedish translation leaves in English. -->
<TS version="2.1" language="sv_SE">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QAccessibleActionInterface</name>
    <message>
        <source>Press</source>
        <translation>Tryck</translation>
    </message>
    <message>
        <source>SetFocus</source>
        <translation>Ge fokus</translation>
    </message>
    <message>
        <source>Triggers the action</source>
        <translation>Utför åtgärden</translation>
    </message>
    <message>
        <source>Sets the focus</source>
        <translation>Ger fokus</translation>
    </message>
</context>
</TS>
