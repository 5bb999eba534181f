<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>plexaro::Canvas</name>
    <message>
        <source>World</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>plexaro::MainWindow</name>
    <message>
        <source>Regular World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spiral World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rainbow World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>many colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>two colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No world yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 x %n pixels</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (reset: the next world starts from one cell)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: cannot access printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Regular World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Spiral World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Rainbow World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This program creates unique diverse two-dimensional worlds. All ideas and code were created completely from scratch by me (Quennel) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A world grown by Plexaro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A small Spiral World in two colors: square rings of yellow and blue specks around its centre, 148 x 191 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Two colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Many colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset: the next world starts from one cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, reset: the next world starts from one cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: cannot save %1 in %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plexaro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plexaro - By Quennel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
