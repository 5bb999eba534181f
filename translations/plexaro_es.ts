<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>plexaro::Canvas</name>
    <message>
        <source>World</source>
        <translation>Mundo</translation>
    </message>
</context>
<context>
    <name>plexaro::MainWindow</name>
    <message>
        <source>Regular World</source>
        <translation>Mundo regular</translation>
    </message>
    <message>
        <source>Spiral World</source>
        <translation>Mundo en espiral</translation>
    </message>
    <message>
        <source>Rainbow World</source>
        <translation>Mundo arcoíris</translation>
    </message>
    <message>
        <source>many colors</source>
        <translation>muchos colores</translation>
    </message>
    <message>
        <source>two colors</source>
        <translation>dos colores</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No world yet</source>
        <translation>Todavía no hay ningún mundo</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 x %n pixels</source>
        <translation>
            <numerusform>%1, %2 × %n píxel</numerusform>
            <numerusform>%1, %2 × %n píxeles</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (reset: the next world starts from one cell)</source>
        <translation>%1 (reiniciado: el próximo mundo empezará desde una sola celda)</translation>
    </message>
    <message>
        <source>Error: cannot access printer</source>
        <translation>Error: no se puede acceder a la impresora</translation>
    </message>
    <message>
        <source>Create Regular World</source>
        <translation>Crear mundo regular</translation>
    </message>
    <message>
        <source>Create Spiral World</source>
        <translation>Crear mundo en espiral</translation>
    </message>
    <message>
        <source>Create Rainbow World</source>
        <translation>Crear mundo arcoíris</translation>
    </message>
    <message>
        <source>Reset World</source>
        <translation>Reiniciar mundo</translation>
    </message>
    <message>
        <source>This program creates unique diverse two-dimensional worlds. All ideas and code were created completely from scratch by me (Quennel) </source>
        <translation>Este programa crea mundos bidimensionales únicos y diversos. Todas las ideas y todo el código los he creado yo (Quennel), completamente desde cero </translation>
    </message>
    <message>
        <source>A world grown by Plexaro</source>
        <translation>Un mundo creado con Plexaro</translation>
    </message>
    <message>
        <source>A small Spiral World in two colors: square rings of yellow and blue specks around its centre, 148 x 191 pixels</source>
        <translation>Un pequeño mundo en espiral en dos colores: anillos cuadrados de puntos amarillos y azules alrededor de su centro, 148 × 191 píxeles</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Save Pattern</source>
        <translation>&amp;Guardar patrón</translation>
    </message>
    <message>
        <source>&amp;Print Pattern</source>
        <translation>&amp;Imprimir patrón</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Color mode</source>
        <translation>Modo de &amp;color</translation>
    </message>
    <message>
        <source>&amp;Two colors</source>
        <translation>&amp;Dos colores</translation>
    </message>
    <message>
        <source>&amp;Many colors</source>
        <translation>&amp;Muchos colores</translation>
    </message>
    <message>
        <source>Reset: the next world starts from one cell</source>
        <translation>Reiniciado: el próximo mundo empezará desde una sola celda</translation>
    </message>
    <message>
        <source>%1, reset: the next world starts from one cell</source>
        <translation>%1, reiniciado: el próximo mundo empezará desde una sola celda</translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation>la carpeta de trabajo</translation>
    </message>
    <message>
        <source>Error: cannot save %1 in %2: %3</source>
        <translation>Error: no se puede guardar %1 en %2: %3</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>%1 guardado en %2</translation>
    </message>
    <message>
        <source>Plexaro</source>
        <translation>Plexaro</translation>
    </message>
    <message>
        <source>Plexaro - By Quennel</source>
        <translation>Plexaro – por Quennel</translation>
    </message>
</context>
</TS>
