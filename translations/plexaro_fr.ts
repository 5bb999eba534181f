<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>plexaro::Canvas</name>
    <message>
        <source>World</source>
        <translation>Monde</translation>
    </message>
</context>
<context>
    <name>plexaro::MainWindow</name>
    <message>
        <source>Regular World</source>
        <translation>Monde régulier</translation>
    </message>
    <message>
        <source>Spiral World</source>
        <translation>Monde en spirale</translation>
    </message>
    <message>
        <source>Rainbow World</source>
        <translation>Monde arc-en-ciel</translation>
    </message>
    <message>
        <source>many colors</source>
        <translation>plusieurs couleurs</translation>
    </message>
    <message>
        <source>two colors</source>
        <translation>deux couleurs</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No world yet</source>
        <translation>Pas encore de monde</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 x %n pixels</source>
        <translation>
            <numerusform>%1, %2 × %n pixel</numerusform>
            <numerusform>%1, %2 × %n pixels</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (reset: the next world starts from one cell)</source>
        <translation>%1 (réinitialisé&#xa0;: le prochain monde partira d’une seule cellule)</translation>
    </message>
    <message>
        <source>Error: cannot access printer</source>
        <translation>Erreur&#xa0;: impossible d’accéder à l’imprimante</translation>
    </message>
    <message>
        <source>Create Regular World</source>
        <translation>Créer un monde régulier</translation>
    </message>
    <message>
        <source>Create Spiral World</source>
        <translation>Créer un monde en spirale</translation>
    </message>
    <message>
        <source>Create Rainbow World</source>
        <translation>Créer un monde arc-en-ciel</translation>
    </message>
    <message>
        <source>Reset World</source>
        <translation>Réinitialiser le monde</translation>
    </message>
    <message>
        <source>This program creates unique diverse two-dimensional worlds. All ideas and code were created completely from scratch by me (Quennel) </source>
        <translation>Ce programme crée des mondes bidimensionnels uniques et variés. Toutes les idées et tout le code ont été entièrement conçus de zéro par moi (Quennel) </translation>
    </message>
    <message>
        <source>A world grown by Plexaro</source>
        <translation>Un monde créé par Plexaro</translation>
    </message>
    <message>
        <source>A small Spiral World in two colors: square rings of yellow and blue specks around its centre, 148 x 191 pixels</source>
        <translation>Un petit monde en spirale en deux couleurs&#xa0;: des anneaux carrés de points jaunes et bleus autour de son centre, 148 × 191 pixels</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Save Pattern</source>
        <translation>&amp;Enregistrer le motif</translation>
    </message>
    <message>
        <source>&amp;Print Pattern</source>
        <translation>&amp;Imprimer le motif</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Color mode</source>
        <translation>Mode de &amp;couleur</translation>
    </message>
    <message>
        <source>&amp;Two colors</source>
        <translation>&amp;Deux couleurs</translation>
    </message>
    <message>
        <source>&amp;Many colors</source>
        <translation>&amp;Plusieurs couleurs</translation>
    </message>
    <message>
        <source>Reset: the next world starts from one cell</source>
        <translation>Réinitialisé&#xa0;: le prochain monde partira d’une seule cellule</translation>
    </message>
    <message>
        <source>%1, reset: the next world starts from one cell</source>
        <translation>%1, réinitialisé&#xa0;: le prochain monde partira d’une seule cellule</translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation>le dossier de travail</translation>
    </message>
    <message>
        <source>Error: cannot save %1 in %2: %3</source>
        <translation>Erreur&#xa0;: impossible d’enregistrer %1 dans %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>%1 enregistré dans %2</translation>
    </message>
    <message>
        <source>Plexaro</source>
        <translation>Plexaro</translation>
    </message>
    <message>
        <source>Plexaro - By Quennel</source>
        <translation>Plexaro – par Quennel</translation>
    </message>
</context>
</TS>
