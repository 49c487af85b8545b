<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>kinetra::HelpWindow</name>
    <message>
        <source>Справка Kinetra</source>
        <translation>Kinetra Help</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперед</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Справка Kinetra: %1</source>
        <translation>Kinetra Help: %1</translation>
    </message>
</context>
<context>
    <name>kinetra::OptionsWindow</name>
    <message>
        <source>Язык окон, сообщений и справки</source>
        <translation>Language of the windows, messages and help</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>&amp;Язык интерфейса:</source>
        <translation>Interface &amp;language:</translation>
    </message>
    <message>
        <source>со следующего запуска</source>
        <translation>from the next start</translation>
    </message>
</context>
</TS>
