<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A catalogue of the translation tests with its gaps: a text left unfinished and empty, and
     texts it does not hold at all. -->
<TS version="2.1" language="xx" sourcelanguage="zh_CN">
<context>
    <name>Pelmora</name>
    <message>
        <source>提示</source>
        <translation>Notice (xx)</translation>
    </message>
    <message>
        <source>第%1关</source>
        <translation>xx %1</translation>
    </message>
    <message>
        <source>保存成功</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
