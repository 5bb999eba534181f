<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>plexaro::Canvas</name>
    <message>
        <source>World</source>
        <translation>Мир</translation>
    </message>
</context>
<context>
    <name>plexaro::MainWindow</name>
    <message>
        <source>Regular World</source>
        <translation>Обычный мир</translation>
    </message>
    <message>
        <source>Spiral World</source>
        <translation>Спиральный мир</translation>
    </message>
    <message>
        <source>Rainbow World</source>
        <translation>Радужный мир</translation>
    </message>
    <message>
        <source>many colors</source>
        <translation>много цветов</translation>
    </message>
    <message>
        <source>two colors</source>
        <translation>два цвета</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No world yet</source>
        <translation>Мира пока нет</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 x %n pixels</source>
        <translation>
            <numerusform>%1, %2 × %n пиксель</numerusform>
            <numerusform>%1, %2 × %n пикселя</numerusform>
            <numerusform>%1, %2 × %n пикселей</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (reset: the next world starts from one cell)</source>
        <translation>%1 (сброшен: следующий мир начнётся с одной клетки)</translation>
    </message>
    <message>
        <source>Error: cannot access printer</source>
        <translation>Ошибка: нет доступа к принтеру</translation>
    </message>
    <message>
        <source>Create Regular World</source>
        <translation>Создать обычный мир</translation>
    </message>
    <message>
        <source>Create Spiral World</source>
        <translation>Создать спиральный мир</translation>
    </message>
    <message>
        <source>Create Rainbow World</source>
        <translation>Создать радужный мир</translation>
    </message>
    <message>
        <source>Reset World</source>
        <translation>Сбросить мир</translation>
    </message>
    <message>
        <source>This program creates unique diverse two-dimensional worlds. All ideas and code were created completely from scratch by me (Quennel) </source>
        <translation>Эта программа создаёт уникальные и разнообразные двумерные миры. Все идеи и весь код созданы мной (Quennel) полностью с нуля </translation>
    </message>
    <message>
        <source>A world grown by Plexaro</source>
        <translation>Мир, выращенный в Plexaro</translation>
    </message>
    <message>
        <source>A small Spiral World in two colors: square rings of yellow and blue specks around its centre, 148 x 191 pixels</source>
        <translation>Маленький спиральный мир в два цвета: квадратные кольца из жёлтых и синих точек вокруг центра, размером 148 × 191 пиксель</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Параметры</translation>
    </message>
    <message>
        <source>&amp;Save Pattern</source>
        <translation>&amp;Сохранить узор</translation>
    </message>
    <message>
        <source>&amp;Print Pattern</source>
        <translation>&amp;Печать узора</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>&amp;Color mode</source>
        <translation>&amp;Цветовой режим</translation>
    </message>
    <message>
        <source>&amp;Two colors</source>
        <translation>&amp;Два цвета</translation>
    </message>
    <message>
        <source>&amp;Many colors</source>
        <translation>&amp;Много цветов</translation>
    </message>
    <message>
        <source>Reset: the next world starts from one cell</source>
        <translation>Сброс: следующий мир начнётся с одной клетки</translation>
    </message>
    <message>
        <source>%1, reset: the next world starts from one cell</source>
        <translation>%1, сброшен: следующий мир начнётся с одной клетки</translation>
    </message>
    <message>
        <source>the working folder</source>
        <translation>рабочей папке</translation>
    </message>
    <message>
        <source>Error: cannot save %1 in %2: %3</source>
        <translation>Ошибка: не удалось сохранить %1 в %2: %3</translation>
    </message>
    <message>
        <source>Saved %1 in %2</source>
        <translation>Файл %1 сохранён в %2</translation>
    </message>
    <message>
        <source>Plexaro</source>
        <translation>Plexaro</translation>
    </message>
    <message>
        <source>Plexaro - By Quennel</source>
        <translation>Plexaro — автор: Quennel</translation>
    </message>
</context>
</TS>
