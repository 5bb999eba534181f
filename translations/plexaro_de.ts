<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>plexaro::Canvas</name>
    <message>
        <source>World</source>
        <translation>Welt</translation>
    </message>
</context>
<context>
    <name>plexaro::MainWindow</name>
    <message>
        <source>Regular World</source>
        <translation>Reguläre Welt</translation>
    </message>
    <message>
        <source>Spiral World</source>
        <translation>Spiralwelt</translation>
    </message>
    <message>
        <source>Rainbow World</source>
        <translation>Regenbogenwelt</translation>
    </message>
    <message>
        <source>many colors</source>
        <translation>viele Farben</translation>
    </message>
    <message>
        <source>two colors</source>
        <translation>zwei Farben</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No world yet</source>
        <translation>Noch keine Welt</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 x %n pixels</source>
        <translation>
            <numerusform>%1, %2 × %n Pixel</numerusform>
            <numerusform>%1, %2 × %n Pixel</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (reset: the next world starts from one cell)</source>
        <translation>%1 (zurückgesetzt: Die nächste Welt beginnt mit einer einzigen Zelle)</translation>
    </message>
    <message>
        <source>Error: cannot access printer</source>
        <translation>Fehler: Kein Zugriff auf den Drucker</translation>
    </message>
    <message>
        <source>Create Regular World</source>
        <translation>Reguläre Welt erzeugen</translation>
    </message>
    <message>
        <source>Create Spiral World</source>
        <translation>Spiralwelt erzeugen</translation>
    </message>
    <message>
        <source>Create Rainbow World</source>
        <translation>Regenbogenwelt erzeugen</translation>
    </message>
    <message>
        <source>Reset World</source>
        <translation>Welt zurücksetzen</translation>
    </message>
    <message>
        <source>This program creates unique diverse two-dimensional worlds. All ideas and code were created completely from scratch by me (Quennel) </source>
        <translation>Dieses Programm erschafft einzigartige, vielfältige zweidimensionale Welten. Alle Ideen und der gesamte Code stammen vollständig von mir (Quennel) </translation>
    </message>
    <message>
        <source>A world grown by Plexaro</source>
        <translation>Eine mit Plexaro erzeugte Welt</translation>
    </message>
    <message>
        <source>A small Spiral World in two colors: square rings of yellow and blue specks around its centre, 148 x 191 pixels</source>
        <translation>Eine kleine Spiralwelt in zwei Farben: quadratische Ringe aus gelben und blauen Punkten um ihre Mitte, 148 × 191 Pixel</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Save Pattern</source>
        <translation>Muster &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Print Pattern</source>
        <translation>Muster &amp;drucken</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Color mode</source>
        <translation>&amp;Farbmodus</translation>
    </message>
    <message>
        <source>&amp;Two colors</source>
        <translation>&amp;Zwei Farben</translation>
    </message>
    <message>
        <source>&amp;Many colors</source>
        <translation>&amp;Viele Farben</translation>
    </message>
    <message>
        <source>Reset: the next world starts from one cell</source>
        <translation>Zurückgesetzt: Die nächste Welt beginnt mit einer einzigen Zelle</translation>
    </message>
    <message>
        <source>%1, reset: the next world starts from one cell</source>
        <translation>%1, zurückgesetzt: Die nächste Welt beginnt mit einer einzigen Zelle</translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation>dem Arbeitsordner</translation>
    </message>
    <message>
        <source>Error: cannot save %1 in %2: %3</source>
        <translation>Fehler: %1 kann nicht in %2 gespeichert werden: %3</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>%1 in %2 gespeichert</translation>
    </message>
    <message>
        <source>Plexaro</source>
        <translation>Plexaro</translation>
    </message>
    <message>
        <source>Plexaro - By Quennel</source>
        <translation>Plexaro – von Quennel</translation>
    </message>
</context>
</TS>
