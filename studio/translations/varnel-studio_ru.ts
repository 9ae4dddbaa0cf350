<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Catalogue</name>
    <message>
        <source>Copper, annealed (IEC 60028)</source>
        <translation>Медь отожжённая (IEC 60028)</translation>
    </message>
    <message>
        <source>Aluminium (EC 1350)</source>
        <translation>Алюминий (EC 1350)</translation>
    </message>
    <message>
        <source>Other (as typed)</source>
        <translation>Другой (как введено)</translation>
    </message>
    <message>
        <source>Packing factor as typed</source>
        <translation>λ как введён</translation>
    </message>
    <message>
        <source>Random winding (0.5–0.6)</source>
        <translation>Обмотка внавал (0,5–0,6)</translation>
    </message>
    <message>
        <source>Layer winding (0.6–0.7)</source>
        <translation>Рядовая обмотка (0,6–0,7)</translation>
    </message>
    <message>
        <source>Bar winding (0.7–0.8)</source>
        <translation>Шинная обмотка (0,7–0,8)</translation>
    </message>
    <message>
        <source>Orthocyclic, from the wire</source>
        <translation>Ортоциклическая, по проводу</translation>
    </message>
    <message>
        <source>Layer on layer, from the wire</source>
        <translation>Слой на слой, по проводу</translation>
    </message>
</context>
<context>
    <name>DesignFile</name>
    <message>
        <source>The file is damaged and was not opened: %1.</source>
        <translation>Файл повреждён и не открыт: %1.</translation>
    </message>
    <message>
        <source>%1 at byte %2</source>
        <translation>%1 в байте %2</translation>
    </message>
    <message>
        <source>it holds no design</source>
        <translation>в нём нет проекта</translation>
    </message>
    <message>
        <source>it has no layout version (&quot;schema&quot;)</source>
        <translation>в нём нет версии формата (&quot;schema&quot;)</translation>
    </message>
    <message>
        <source>The file was written by a newer version of the studio (layout %1; this version reads up to %2) and was not opened.</source>
        <translation>Файл записан более новой версией студии (формат %1; эта версия читает форматы до %2) и не открыт.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not a number</source>
        <translation>значение &quot;%1&quot; отсутствует или не является числом</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not a text</source>
        <translation>значение &quot;%1&quot; отсутствует или не является текстом</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not true or false</source>
        <translation>значение &quot;%1&quot; отсутствует или не равно true или false</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>Не удалось записать %1: %2.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>Не удалось открыть %1: %2.</translation>
    </message>
    <message>
        <source>it is far too large for a design</source>
        <translation>он слишком велик для проекта</translation>
    </message>
    <message>
        <source>The file was not opened: &quot;%1&quot; is %2, outside the range %3 to %4.</source>
        <translation>Файл не открыт: «%1» равно %2, вне диапазона от %3 до %4.</translation>
    </message>
</context>
<context>
    <name>GoalMessages</name>
    <message>
        <source>The field at the centre must lie above 0 and at most 100 T.</source>
        <translation>Поле в центре должно быть больше 0 и не больше 100 Тл.</translation>
    </message>
    <message>
        <source>The tolerance of B0 must lie between 0.01 % and 50 %.</source>
        <translation>Допуск B0 должен лежать между 0,01 % и 50 %.</translation>
    </message>
    <message>
        <source>The uniformity must lie between 1e-6 % and 100 %.</source>
        <translation>Однородность должна лежать между 1e-6 % и 100 %.</translation>
    </message>
    <message>
        <source>The uniform sphere&apos;s radius must be positive.</source>
        <translation>Радиус сферы однородности должен быть больше нуля.</translation>
    </message>
    <message>
        <source>The frequency must lie between 0 and 1e6 Hz.</source>
        <translation>Частота должна лежать между 0 и 1e6 Гц.</translation>
    </message>
    <message>
        <source>The largest power, temperature rise and mass must be positive and finite.</source>
        <translation>Наибольшие мощность, перегрев и масса должны быть положительными и конечными.</translation>
    </message>
    <message>
        <source>The largest outer radius and length must lie above 0 and at most 100 m.</source>
        <translation>Наибольшие наружный радиус и длина должны быть больше 0 и не больше 100 м.</translation>
    </message>
    <message>
        <source>The bore radius must lie between 0 and 100 m.</source>
        <translation>Радиус отверстия должен лежать между 0 и 100 м.</translation>
    </message>
    <message>
        <source>The bore and the former&apos;s wall (R1 at least %1 mm) must lie below the largest outer radius, %2 mm.</source>
        <translation>Отверстие со стенкой каркаса (R1 не меньше %1 мм) должно быть меньше наибольшего наружного радиуса, %2 мм.</translation>
    </message>
    <message>
        <source>The uniform sphere does not fit inside the largest outer radius.</source>
        <translation>Сфера однородности не помещается внутри наибольшего наружного радиуса.</translation>
    </message>
    <message>
        <source>The ambient temperature must lie above %1 °C, where the conductor&apos;s resistivity would reach zero, and at most 400 °C.</source>
        <translation>Температура среды должна быть выше %1 °C, где удельное сопротивление проводника дошло бы до нуля, и не выше 400 °C.</translation>
    </message>
    <message>
        <source>The ambient temperature must lie below the insulation&apos;s thermal class.</source>
        <translation>Температура среды должна быть ниже класса нагревостойкости изоляции.</translation>
    </message>
    <message>
        <source>The number of designs must lie between 1 and 100.</source>
        <translation>Число вариантов должно лежать между 1 и 100.</translation>
    </message>
    <message>
        <source>The wire catalogue is empty.</source>
        <translation>Каталог проводов пуст.</translation>
    </message>
    <message>
        <source>The current must be positive and at most 1e6 A.</source>
        <translation>Ток должен быть больше нуля и не больше 1e6 А.</translation>
    </message>
    <message>
        <source>The voltage must be positive and at most 1e6 V.</source>
        <translation>Напряжение должно быть больше нуля и не больше 1e6 В.</translation>
    </message>
</context>
<context>
    <name>varnel::studio::DesignView</name>
    <message>
        <source>0: no limit</source>
        <translation>0: без ограничения</translation>
    </message>
    <message>
        <source>Field at the centre B0</source>
        <translation>Индукция в центре B0</translation>
    </message>
    <message>
        <source> mT</source>
        <translation> мТл</translation>
    </message>
    <message>
        <source>The flux density at the centre, met with the winding hot</source>
        <translation>Индукция в центре, достигаемая при нагретой обмотке</translation>
    </message>
    <message>
        <source>Tolerance of B0</source>
        <translation>Допуск на B0</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>How far B0 may be from the goal</source>
        <translation>На сколько B0 может отличаться от цели</translation>
    </message>
    <message>
        <source>Uniform within</source>
        <translation>Однородность в пределах</translation>
    </message>
    <message>
        <source>|B| / B0 − 1 within this inside the sphere below</source>
        <translation>|B| / B0 − 1 в этих пределах внутри сферы ниже</translation>
    </message>
    <message>
        <source>Uniform sphere radius</source>
        <translation>Радиус сферы однородности</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> мм</translation>
    </message>
    <message>
        <source>The radius of the sphere about the centre; 0: no uniformity goal</source>
        <translation>Радиус сферы вокруг центра; 0: без цели по однородности</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Напряжение</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Ток</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Источник</translation>
    </message>
    <message>
        <source>Supply, RMS</source>
        <translation>Питание, действующее</translation>
    </message>
    <message>
        <source> V</source>
        <translation> В</translation>
    </message>
    <message>
        <source>The supply&apos;s RMS voltage, or current for a current source</source>
        <translation>Действующее напряжение источника или ток для источника тока</translation>
    </message>
    <message>
        <source> A</source>
        <translation> А</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Гц</translation>
    </message>
    <message>
        <source>The supply&apos;s frequency; 0 for direct current</source>
        <translation>Частота питания; 0 для постоянного тока</translation>
    </message>
    <message>
        <source>Largest power</source>
        <translation>Наибольшая мощность</translation>
    </message>
    <message>
        <source> W</source>
        <translation> Вт</translation>
    </message>
    <message>
        <source>Largest temperature rise</source>
        <translation>Наибольший перегрев</translation>
    </message>
    <message>
        <source> K</source>
        <translation> К</translation>
    </message>
    <message>
        <source>Largest outer radius</source>
        <translation>Наибольший внешний радиус</translation>
    </message>
    <message>
        <source>Largest length 2H + h</source>
        <translation>Наибольшая длина 2H + h</translation>
    </message>
    <message>
        <source>Largest mass of wire</source>
        <translation>Наибольшая масса провода</translation>
    </message>
    <message>
        <source> kg</source>
        <translation> кг</translation>
    </message>
    <message>
        <source>Least bore radius</source>
        <translation>Наименьший радиус отверстия</translation>
    </message>
    <message>
        <source>The least inner radius R1</source>
        <translation>Наименьший внутренний радиус R1</translation>
    </message>
    <message>
        <source>Ambient temperature</source>
        <translation>Температура среды</translation>
    </message>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source>The temperature of the air about the coils</source>
        <translation>Температура воздуха вокруг катушек</translation>
    </message>
    <message>
        <source>Wires</source>
        <translation>Провода</translation>
    </message>
    <message>
        <source>The catalogue of wires to choose from</source>
        <translation>Каталог проводов для выбора</translation>
    </message>
    <message>
        <source>Metric enamelled wires</source>
        <translation>Эмалированные провода, метрические</translation>
    </message>
    <message>
        <source>AWG enamelled wires</source>
        <translation>Эмалированные провода, американский калибр</translation>
    </message>
    <message>
        <source>Winding</source>
        <translation>Обмотка</translation>
    </message>
    <message>
        <source>How the turns lie</source>
        <translation>Как уложены витки</translation>
    </message>
    <message>
        <source>Orthocyclic</source>
        <translation>Ортоциклическая</translation>
    </message>
    <message>
        <source>Layer on layer</source>
        <translation>Слой на слой</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Внавал</translation>
    </message>
    <message>
        <source>Conductor</source>
        <translation>Проводник</translation>
    </message>
    <message>
        <source>The wire&apos;s metal</source>
        <translation>Металл провода</translation>
    </message>
    <message>
        <source>Least</source>
        <translation>Наименьшая</translation>
    </message>
    <message>
        <source>What the best design has least of</source>
        <translation>Чего у лучшего проекта меньше всего</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Масса</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Мощность</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>How many designs to list</source>
        <translation>Сколько проектов показать</translation>
    </message>
    <message>
        <source>Designs</source>
        <translation>Проектов</translation>
    </message>
    <message>
        <source>Goals and limits</source>
        <translation>Цели и ограничения</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Запустить</translation>
    </message>
    <message>
        <source>Searches for coil pairs that meet the goals</source>
        <translation>Ищет пары катушек, отвечающие целям</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Load into Inputs</source>
        <translation>Загрузить в исходные данные</translation>
    </message>
    <message>
        <source>Puts the chosen design into the inputs (also: double-click a row)</source>
        <translation>Переносит выбранный проект в исходные данные (также: двойной щелчок по строке)</translation>
    </message>
    <message>
        <source>Set the goals and run the search.</source>
        <translation>Задайте цели и запустите поиск.</translation>
    </message>
    <message>
        <source>Wire</source>
        <translation>Провод</translation>
    </message>
    <message>
        <source>Turns</source>
        <translation>Витков</translation>
    </message>
    <message>
        <source>Λ</source>
        <translation>λ</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Поиск…</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Отмена…</translation>
    </message>
    <message>
        <source>Cancelled; the table still shows the last complete search.</source>
        <translation>Отменено; в таблице — результаты последнего завершённого поиска.</translation>
    </message>
    <message>
        <source>No design meets the goals.</source>
        <translation>Ни один проект не отвечает целям.</translation>
    </message>
    <message numerus="yes">
        <source>%n design(s) found, best first. Sort by a column; double-click a row to load it.</source>
        <translation>
            <numerusform>Найден %n проект, лучший первым. Сортируйте по столбцу; двойной щелчок по строке загружает проект.</numerusform>
            <numerusform>Найдено %n проекта, лучший первым. Сортируйте по столбцу; двойной щелчок по строке загружает проект.</numerusform>
            <numerusform>Найдено %n проектов, лучший первым. Сортируйте по столбцу; двойной щелчок по строке загружает проект.</numerusform>
        </translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>без ограничения</translation>
    </message>
    <message>
        <source>no uniformity goal</source>
        <translation>без цели однородности</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Binds</source>
        <translation>Предел</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ничто</translation>
    </message>
    <message>
        <source>uniformity</source>
        <translation>однородность</translation>
    </message>
    <message>
        <source>power</source>
        <translation>мощность</translation>
    </message>
    <message>
        <source>rise</source>
        <translation>перегрев</translation>
    </message>
    <message>
        <source>outer radius</source>
        <translation>внешний радиус</translation>
    </message>
    <message>
        <source>length</source>
        <translation>длина</translation>
    </message>
    <message>
        <source>mass</source>
        <translation>масса</translation>
    </message>
    <message>
        <source>bore</source>
        <translation>отверстие</translation>
    </message>
    <message>
        <source>R1
mm</source>
        <translation>R1
мм</translation>
    </message>
    <message>
        <source>R2
mm</source>
        <translation>R2
мм</translation>
    </message>
    <message>
        <source>H
mm</source>
        <translation>H
мм</translation>
    </message>
    <message>
        <source>h
mm</source>
        <translation>h
мм</translation>
    </message>
    <message>
        <source>P
W</source>
        <translation>P
Вт</translation>
    </message>
    <message>
        <source>I
A</source>
        <translation>I
А</translation>
    </message>
    <message>
        <source>U
V</source>
        <translation>U
В</translation>
    </message>
    <message>
        <source>B0
mT</source>
        <translation>B0
мТл</translation>
    </message>
    <message>
        <source>Rise
K</source>
        <translation>Нагрев
К</translation>
    </message>
    <message>
        <source>Mass
kg</source>
        <translation>Масса
кг</translation>
    </message>
    <message>
        <source>Uniform
|z|
mm</source>
        <translation>Однор.
|z|
мм</translation>
    </message>
    <message>
        <source>Uniform
x
mm</source>
        <translation>Однор.
x
мм</translation>
    </message>
    <message>
        <source>No design reaches %1 mT: no wire of the catalogue can, at this supply and a bore of %2 mm.</source>
        <translation>Ни один вариант не даёт %1 мТл: этого не может ни один провод каталога при таком питании и отверстии %2 мм.</translation>
    </message>
    <message>
        <source>No design reaches %1 mT within the goals and limits; the closest reaches %2 mT</source>
        <translation>Ни один вариант не даёт %1 мТл в пределах целей и ограничений; ближайший даёт %2 мТл</translation>
    </message>
    <message>
        <source>, a deviation of %1 % on the sphere</source>
        <translation>, отклонение %1 % на сфере</translation>
    </message>
    <message>
        <source>, %1 W and runs away thermally.</source>
        <translation>, %1 Вт и перегревается без предела.</translation>
    </message>
    <message>
        <source>, %1 W and a rise of %2 K.</source>
        <translation>, %1 Вт и перегрев %2 К.</translation>
    </message>
</context>
<context>
    <name>varnel::studio::InputsPanel</name>
    <message>
        <source>Coils</source>
        <translation>Катушки</translation>
    </message>
    <message>
        <source>Inner radius R1</source>
        <translation>Внутренний радиус R1</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> мм</translation>
    </message>
    <message>
        <source>Inner radius of the winding of each coil, from the axis</source>
        <translation>Внутренний радиус обмотки каждой катушки, от оси</translation>
    </message>
    <message>
        <source>Outer radius R2</source>
        <translation>Внешний радиус R2</translation>
    </message>
    <message>
        <source>Outer radius of the winding of each coil, from the axis</source>
        <translation>Внешний радиус обмотки каждой катушки, от оси</translation>
    </message>
    <message>
        <source>Height H</source>
        <translation>Высота H</translation>
    </message>
    <message>
        <source>Axial length of the winding of one coil</source>
        <translation>Длина обмотки одной катушки вдоль оси</translation>
    </message>
    <message>
        <source>Gap h</source>
        <translation>Зазор h</translation>
    </message>
    <message>
        <source>Axial gap between the facing ends of the two coils</source>
        <translation>Осевой зазор между обращёнными друг к другу торцами катушек</translation>
    </message>
    <message>
        <source>Wire and winding</source>
        <translation>Провод и обмотка</translation>
    </message>
    <message>
        <source>Wire</source>
        <translation>Провод</translation>
    </message>
    <message>
        <source>A standard wire from the catalogue, or a diameter typed below</source>
        <translation>Стандартный провод из каталога или диаметр, введённый ниже</translation>
    </message>
    <message>
        <source>Diameter as typed</source>
        <translation>Диаметр как введён</translation>
    </message>
    <message>
        <source>Wire diameter D</source>
        <translation>Диаметр провода D</translation>
    </message>
    <message>
        <source>Diameter of the bare conductor</source>
        <translation>Диаметр голой жилы</translation>
    </message>
    <message>
        <source>Winding</source>
        <translation>Обмотка</translation>
    </message>
    <message>
        <source>How the turns lie, which sets the packing factor</source>
        <translation>Как уложены витки; от этого зависит коэффициент заполнения</translation>
    </message>
    <message>
        <source>Packing factor λ</source>
        <translation>Заполнение λ</translation>
    </message>
    <message>
        <source>Share of the winding&apos;s cross-section filled by conductor (below 1)</source>
        <translation>Доля сечения обмотки, занятая проводником (меньше 1)</translation>
    </message>
    <message>
        <source>Conductor material</source>
        <translation>Материал проводника</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>Материал</translation>
    </message>
    <message>
        <source>Fills in the resistivity and density of a standard conductor</source>
        <translation>Подставляет удельное сопротивление и плотность стандартного проводника</translation>
    </message>
    <message>
        <source>Resistivity ρ</source>
        <translation>Уд. сопротивление ρ</translation>
    </message>
    <message>
        <source> nΩ·m</source>
        <translation> нОм·м</translation>
    </message>
    <message>
        <source>Resistivity of the conductor at 20 °C, in nano-ohm metres</source>
        <translation>Удельное сопротивление проводника при 20 °C, в наноом-метрах</translation>
    </message>
    <message>
        <source>Density</source>
        <translation>Плотность</translation>
    </message>
    <message>
        <source> kg/m³</source>
        <translation> кг/м³</translation>
    </message>
    <message>
        <source>Density of the conductor, for the mass of wire</source>
        <translation>Плотность проводника, для массы провода</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Питание</translation>
    </message>
    <message>
        <source>Voltage source</source>
        <translation>Источник напряжения</translation>
    </message>
    <message>
        <source>The supply holds the RMS voltage; the current follows</source>
        <translation>Источник задаёт действующее напряжение; ток получается из расчёта</translation>
    </message>
    <message>
        <source>Current source</source>
        <translation>Источник тока</translation>
    </message>
    <message>
        <source>The supply holds the RMS current; the voltage follows</source>
        <translation>Источник задаёт действующий ток; напряжение получается из расчёта</translation>
    </message>
    <message>
        <source>RMS value</source>
        <translation>Действующее значение</translation>
    </message>
    <message>
        <source> V</source>
        <translation> В</translation>
    </message>
    <message>
        <source>RMS voltage of a voltage source or current of a current source</source>
        <translation>Действующее напряжение источника напряжения или ток источника тока</translation>
    </message>
    <message>
        <source>Frequency f</source>
        <translation>Частота f</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Гц</translation>
    </message>
    <message>
        <source>Supply frequency; 0 for direct current</source>
        <translation>Частота питания; 0 для постоянного тока</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Point, radial x</source>
        <translation>Точка, радиально x</translation>
    </message>
    <message>
        <source>Distance of the field point from the axis</source>
        <translation>Расстояние точки поля от оси</translation>
    </message>
    <message>
        <source>Point, axial z</source>
        <translation>Точка, по оси z</translation>
    </message>
    <message>
        <source>Axial position of the field point from the centre of the pair</source>
        <translation>Положение точки поля вдоль оси от центра системы</translation>
    </message>
    <message>
        <source>Uniform within</source>
        <translation>Однородность в пределах</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>How far |B| may depart from its value at the centre inside the uniform region</source>
        <translation>На сколько |B| может отличаться от значения в центре внутри области однородности</translation>
    </message>
    <message>
        <source>Surroundings</source>
        <translation>Окружающая среда</translation>
    </message>
    <message>
        <source>Ambient temperature</source>
        <translation>Температура среды</translation>
    </message>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source>Temperature of the air around the coils</source>
        <translation>Температура воздуха вокруг катушек</translation>
    </message>
    <message>
        <source> A</source>
        <translation> А</translation>
    </message>
    <message>
        <source>R2 must be larger than R1 (%1 mm).</source>
        <translation>R2 должен быть больше R1 (%1 мм).</translation>
    </message>
    <message>
        <source>The wire must be thinner than the winding, R2 − R1 = %1 mm.</source>
        <translation>Провод должен быть тоньше обмотки, R2 − R1 = %1 мм.</translation>
    </message>
    <message>
        <source>The wire must be thinner than the height H = %1 mm.</source>
        <translation>Провод должен быть тоньше высоты H = %1 мм.</translation>
    </message>
</context>
<context>
    <name>varnel::studio::MapCanvas</name>
    <message>
        <source>Computing the map…</source>
        <translation>Расчёт карты…</translation>
    </message>
    <message>
        <source>Click: set the field point; drag: draw a line for the profiles; right drag: move the view; wheel: zoom; arrow keys: move the field point</source>
        <translation>Щелчок: задать точку поля; протяжка: нарисовать линию для профилей; протяжка правой кнопкой: сдвинуть вид; колесо: масштаб; стрелки: сдвинуть точку поля</translation>
    </message>
</context>
<context>
    <name>varnel::studio::MapView</name>
    <message>
        <source>Deviation from B0</source>
        <translation>Отклонение от B0</translation>
    </message>
    <message>
        <source>Flux density |B|</source>
        <translation>Индукция |B|</translation>
    </message>
    <message>
        <source>What the colours show: |B| / B0d − 1 in bands, or |B| on a scale</source>
        <translation>Что показывает цвет: |B| / B0d − 1 полосами или |B| по шкале</translation>
    </message>
    <message>
        <source>Field lines</source>
        <translation>Силовые линии</translation>
    </message>
    <message>
        <source>Lines along the field, traced from the mid-plane</source>
        <translation>Линии вдоль поля, проведённые от средней плоскости</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>Сбросить вид</translation>
    </message>
    <message>
        <source>Shows the whole pair again after zooming (wheel) or panning (drag)</source>
        <translation>Снова показывает всю систему после масштабирования (колесо) или сдвига (перетаскивание)</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Point at the map for the field there.</source>
        <translation>Наведите указатель на карту, чтобы увидеть поле в точке.</translation>
    </message>
    <message>
        <source>x (radial), mm</source>
        <translation>x (радиально), мм</translation>
    </message>
    <message>
        <source>z (axial), mm</source>
        <translation>z (по оси), мм</translation>
    </message>
    <message>
        <source>|B| / B0d − 1</source>
        <translation>|B| / B0d − 1</translation>
    </message>
    <message>
        <source>|B|, mT</source>
        <translation>|B|, мТл</translation>
    </message>
    <message>
        <source>within 0.01 %</source>
        <translation>в пределах 0,01 %</translation>
    </message>
    <message>
        <source>within 0.1 %</source>
        <translation>в пределах 0,1 %</translation>
    </message>
    <message>
        <source>within 1 %</source>
        <translation>в пределах 1 %</translation>
    </message>
    <message>
        <source>within 10 %</source>
        <translation>в пределах 10 %</translation>
    </message>
    <message>
        <source>beyond 10 %</source>
        <translation>более 10 %</translation>
    </message>
    <message>
        <source>no value</source>
        <translation>нет значения</translation>
    </message>
    <message>
        <source>winding</source>
        <translation>обмотка</translation>
    </message>
    <message>
        <source>0.01, 0.1, 1, 10 %</source>
        <translation>0,01; 0,1; 1; 10 %</translation>
    </message>
    <message>
        <source>field lines</source>
        <translation>силовые линии</translation>
    </message>
    <message>
        <source>uniform sphere</source>
        <translation>сфера однородности</translation>
    </message>
    <message>
        <source>x = %1 mm, z = %2 mm: %3</source>
        <translation>x = %1 мм, z = %2 мм: %3</translation>
    </message>
    <message>
        <source>x = %1 mm, z = %2 mm    Bx = %3 mT, Bz = %4 mT, |B| = %5 mT, angle %6°</source>
        <translation>x = %1 мм, z = %2 мм    Bx = %3 мТл, Bz = %4 мТл, |B| = %5 мТл, угол %6°</translation>
    </message>
    <message>
        <source>There is no map to export yet.</source>
        <translation>Карты для экспорта ещё нет.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>Не удалось записать %1.</translation>
    </message>
    <message>
        <source>Log scale</source>
        <translation>Логарифмическая шкала</translation>
    </message>
    <message>
        <source>|B| on a logarithmic scale</source>
        <translation>|B| в логарифмической шкале</translation>
    </message>
    <message>
        <source> mT</source>
        <translation> мТл</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>авто</translation>
    </message>
    <message>
        <source>The bottom of the |B| scale; auto: 0, or three decades below the top on a log scale</source>
        <translation>Нижний предел шкалы |B|; авто: 0 или три декады ниже верхнего в логарифмической шкале</translation>
    </message>
    <message>
        <source>The top of the |B| scale; auto: the strongest field outside the windings</source>
        <translation>Верхний предел шкалы |B|; авто: наибольшее поле вне обмоток</translation>
    </message>
    <message>
        <source>|B| &amp;from</source>
        <translation>|B| &amp;от</translation>
    </message>
    <message>
        <source>&amp;to</source>
        <translation>д&amp;о</translation>
    </message>
</context>
<context>
    <name>varnel::studio::NumbersView</name>
    <message>
        <source>Turns of one coil N</source>
        <translation>Число витков одной катушки N</translation>
    </message>
    <message>
        <source>Resistance of the pair R, Ω</source>
        <translation>Активное сопротивление системы R, Ом</translation>
    </message>
    <message>
        <source>Inductance of the pair L, H</source>
        <translation>Индуктивность системы L, Гн</translation>
    </message>
    <message>
        <source>Inductive reactance ZL, Ω</source>
        <translation>Индуктивное сопротивление ZL, Ом</translation>
    </message>
    <message>
        <source>Impedance |Z|, Ω</source>
        <translation>Полное сопротивление |Z|, Ом</translation>
    </message>
    <message>
        <source>RMS current Id, A</source>
        <translation>Действующий ток Id, А</translation>
    </message>
    <message>
        <source>Current density in the winding j, A/mm²</source>
        <translation>Плотность тока в обмотке j, А/мм²</translation>
    </message>
    <message>
        <source>Current density in the wire, A/mm²</source>
        <translation>Плотность тока в проводе, А/мм²</translation>
    </message>
    <message>
        <source>Power dissipated P, W</source>
        <translation>Рассеиваемая мощность P, Вт</translation>
    </message>
    <message>
        <source>Flux density at the centre B0, T</source>
        <translation>Индукция в центре B0, Тл</translation>
    </message>
    <message>
        <source>Conversion factor K0 = B0/Id, T/A</source>
        <translation>Коэффициент преобразования K0 = B0/Id, Тл/А</translation>
    </message>
    <message>
        <source>Radial flux density Bx at the point, T</source>
        <translation>Радиальная индукция Bx в точке, Тл</translation>
    </message>
    <message>
        <source>Axial flux density Bz at the point, T</source>
        <translation>Аксиальная индукция Bz в точке, Тл</translation>
    </message>
    <message>
        <source>Flux density |B| at the point, T</source>
        <translation>Модуль индукции |B| в точке, Тл</translation>
    </message>
    <message>
        <source>Angle of the field to the axis φ, °</source>
        <translation>Угол индукции с осью φ, °</translation>
    </message>
    <message>
        <source>Mass of wire m, kg</source>
        <translation>Масса провода m, кг</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Величина</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>Калькулятор</translation>
    </message>
    <message>
        <source>Exact</source>
        <translation>Точно</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Copy table</source>
        <translation>Копировать таблицу</translation>
    </message>
    <message>
        <source>Copies the selected cells, or the whole table, as text</source>
        <translation>Копирует выделенные ячейки или всю таблицу как текст</translation>
    </message>
    <message>
        <source>Self-inductance of one coil, H</source>
        <translation>Собственная индуктивность катушки, Гн</translation>
    </message>
    <message>
        <source>Mutual inductance of the coils, H</source>
        <translation>Взаимная индуктивность катушек, Гн</translation>
    </message>
    <message>
        <source>Force between the coils (− attracts), N</source>
        <translation>Сила между катушками (− притяжение), Н</translation>
    </message>
    <message>
        <source>Temperature rise of the winding, K</source>
        <translation>Перегрев обмотки, К</translation>
    </message>
    <message>
        <source>RMS voltage Ud, V</source>
        <translation>Действующее напряжение Ud, В</translation>
    </message>
    <message>
        <source>Calculated.</source>
        <translation>Рассчитано.</translation>
    </message>
    <message>
        <source>Calculated; the exact values follow.</source>
        <translation>Рассчитано; точные значения вычисляются.</translation>
    </message>
    <message>
        <source>The calculator does not take these inputs: %1</source>
        <translation>Калькулятор не принимает эти данные: %1</translation>
    </message>
    <message>
        <source>The calculation failed: %1</source>
        <translation>Расчёт не удался: %1</translation>
    </message>
    <message>
        <source>beyond %1</source>
        <translation>дальше %1</translation>
    </message>
    <message>
        <source>needs the thermal model</source>
        <translation>нужна тепловая модель</translation>
    </message>
    <message>
        <source>no steady state (thermal runaway)</source>
        <translation>нет установившегося режима (тепловой разгон)</translation>
    </message>
    <message>
        <source>Uniform to %1 % along the axis, mm</source>
        <translation>Однородно до %1 % вдоль оси, мм</translation>
    </message>
    <message>
        <source>Uniform to %1 % in the mid-plane, mm</source>
        <translation>Однородно до %1 % в средней плоскости, мм</translation>
    </message>
    <message>
        <source>Calculated; the exact values failed: %1</source>
        <translation>Рассчитано; точные значения не получены: %1</translation>
    </message>
    <message>
        <source>Calc./exact − 1</source>
        <translation>Кальк./точно − 1</translation>
    </message>
    <message>
        <source>The calculator&apos;s value is more than 1 % from the exact one</source>
        <translation>Значение калькулятора отличается от точного более чем на 1 %</translation>
    </message>
    <message>
        <source>%1 (%2 A, %3 W, %4 mT)</source>
        <translation>%1 (%2 А, %3 Вт, %4 мТл)</translation>
    </message>
    <message>
        <source>Thermal runaway: the winding heats faster than it can lose heat</source>
        <translation>Тепловой разгон: обмотка нагревается быстрее, чем отдаёт тепло</translation>
    </message>
    <message>
        <source>The rise, and in brackets the current, power and B0 at the steady temperature</source>
        <translation>Перегрев, а в скобках ток, мощность и B0 при установившейся температуре</translation>
    </message>
    <message>
        <source>The current density heats the winding without bound, past its insulation&apos;s thermal class of %1 °C</source>
        <translation>Плотность тока нагревает обмотку без предела, выше класса нагревостойкости её изоляции %1 °C</translation>
    </message>
    <message>
        <source>The current density heats the winding to %1 °C at its hottest, past its insulation&apos;s thermal class of %2 °C</source>
        <translation>Плотность тока нагревает самую горячую точку обмотки до %1 °C, выше класса нагревостойкости её изоляции %2 °C</translation>
    </message>
</context>
<context>
    <name>varnel::studio::ProfilesView</name>
    <message>
        <source>within %1 %</source>
        <translation>в пределах %1 %</translation>
    </message>
    <message>
        <source>z along the axis, mm</source>
        <translation>z вдоль оси, мм</translation>
    </message>
    <message>
        <source>x across the mid-plane, mm</source>
        <translation>x в средней плоскости, мм</translation>
    </message>
    <message>
        <source>Computing the profiles…</source>
        <translation>Расчёт профилей…</translation>
    </message>
    <message>
        <source>There are no profiles to export yet.</source>
        <translation>Профилей для экспорта ещё нет.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>Не удалось записать %1.</translation>
    </message>
    <message>
        <source>B, mT</source>
        <translation>B, мТл</translation>
    </message>
    <message>
        <source>Bz, axial</source>
        <translation>Bz, осевая</translation>
    </message>
    <message>
        <source>Bx, radial</source>
        <translation>Bx, радиальная</translation>
    </message>
    <message>
        <source>|B|, modulus</source>
        <translation>|B|, модуль</translation>
    </message>
    <message>
        <source>Wheel: zoom along the line; double click: all of it</source>
        <translation>Колесо: масштаб вдоль линии; двойной щелчок: вся линия</translation>
    </message>
    <message>
        <source>Drag across the map to draw a line.</source>
        <translation>Проведите указателем по карте, чтобы нарисовать линию.</translation>
    </message>
    <message>
        <source>Along the axis</source>
        <translation>Вдоль оси</translation>
    </message>
    <message>
        <source>Across the mid-plane</source>
        <translation>Поперёк средней плоскости</translation>
    </message>
    <message>
        <source>Along the line drawn on the map</source>
        <translation>Вдоль линии, нарисованной на карте</translation>
    </message>
    <message>
        <source>The line the field is plotted along; drag across the map to draw one</source>
        <translation>Линия, вдоль которой строится поле; чтобы нарисовать её, проведите указателем по карте</translation>
    </message>
    <message>
        <source>Flux density Bz, Bx, |B|</source>
        <translation>Индукция Bz, Bx, |B|</translation>
    </message>
    <message>
        <source>Deviation |B| / B0d − 1 in %</source>
        <translation>Отклонение |B| / B0d − 1 в %</translation>
    </message>
    <message>
        <source>Deviation |B| / B0d − 1 in ppm</source>
        <translation>Отклонение |B| / B0d − 1 в млн⁻¹</translation>
    </message>
    <message>
        <source>&amp;Line:</source>
        <translation>&amp;Линия:</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Показать:</translation>
    </message>
    <message>
        <source>distance along the line drawn, mm</source>
        <translation>расстояние вдоль нарисованной линии, мм</translation>
    </message>
    <message>
        <source>|B| / B0d − 1, ppm</source>
        <translation>|B| / B0d − 1, млн⁻¹</translation>
    </message>
    <message>
        <source>|B| / B0d − 1, %</source>
        <translation>|B| / B0d − 1, %</translation>
    </message>
    <message>
        <source>deviation</source>
        <translation>отклонение</translation>
    </message>
    <message>
        <source>x = %1 mm, z = %2 mm    Bz = %3 mT, Bx = %4 mT, |B| = %5 mT, |B| / B0d − 1 = %6 ppm</source>
        <translation>x = %1 мм, z = %2 мм    Bz = %3 мТл, Bx = %4 мТл, |B| = %5 мТл, |B| / B0d − 1 = %6 млн⁻¹</translation>
    </message>
</context>
<context>
    <name>varnel::studio::StudioWindow</name>
    <message>
        <source>Varnel Coils Studio</source>
        <translation>Студия катушек Варнеля</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Новый</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Открыть…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Сохранить &amp;как…</translation>
    </message>
    <message>
        <source>&amp;Command Line for varnel-calc…</source>
        <translation>&amp;Командная строка для varnel-calc…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Copy Numbers</source>
        <translation>&amp;Копировать числа</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>Starts again from the default design</source>
        <translation>Начинает заново с проекта по умолчанию</translation>
    </message>
    <message>
        <source>Shows the varnel-calc command that calculates this design</source>
        <translation>Показывает команду varnel-calc, которая рассчитывает этот проект</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Экспорт</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Числа</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Профили</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Проектирование</translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation>Расчёт…</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <source>%1[*] — Varnel Coils Studio</source>
        <translation>%1[*] — Студия катушек Варнеля</translation>
    </message>
    <message>
        <source>Open Design</source>
        <translation>Открыть проект</translation>
    </message>
    <message>
        <source>Coil designs (*.json)</source>
        <translation>Проекты катушек (*.json)</translation>
    </message>
    <message>
        <source>Save Design</source>
        <translation>Сохранить проект</translation>
    </message>
    <message>
        <source>Command Line for varnel-calc</source>
        <translation>Командная строка для varnel-calc</translation>
    </message>
    <message>
        <source>This command calculates the design shown, with every value in SI units:</source>
        <translation>Эта команда рассчитывает показанный проект; все значения в единицах СИ:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The design has changed. Save it first?</source>
        <translation>Проект изменён. Сохранить его?</translation>
    </message>
    <message>
        <source>&amp;Map as PNG, SVG or CSV…</source>
        <translation>&amp;Карту (рисунок или таблица)…</translation>
    </message>
    <message>
        <source>&amp;Profiles as PNG, SVG or CSV…</source>
        <translation>&amp;Профили (рисунок или таблица)…</translation>
    </message>
    <message>
        <source>Export Map</source>
        <translation>Экспорт карты</translation>
    </message>
    <message>
        <source>Export Profiles</source>
        <translation>Экспорт профилей</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;SVG drawings (*.svg);;CSV tables (*.csv)</source>
        <translation>Рисунки PNG (*.png);;Рисунки SVG (*.svg);;Таблицы CSV (*.csv)</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Руководство</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Недавние файлы</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>change of inputs</source>
        <translation>изменение входных данных</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Varnel Coils Studio %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Shows what a pair of coaxial coils gives: the calculator&apos;s numbers beside exact values, and the field.&lt;/p&gt;&lt;p&gt;Free software under the GNU General Public License, version 3 or later; it comes with no warranty. The licence&apos;s text is installed in %2.&lt;/p&gt;&lt;p&gt;Help › Manual has a short guide with the formulas used and their limits; the README in the same folder describes the calculator and varnel-calc.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Студия катушек Варнеля %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Показывает, что даёт пара соосных катушек: числа калькулятора рядом с точными значениями и поле.&lt;/p&gt;&lt;p&gt;Свободная программа под лицензией GNU General Public License версии 3 или более поздней; поставляется без каких-либо гарантий. Текст лицензии установлен в %2.&lt;/p&gt;&lt;p&gt;В меню Справка › Руководство — краткое руководство с используемыми формулами и их пределами; README в той же папке описывает калькулятор и varnel-calc.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Varnel Coils Studio Manual</source>
        <translation>Руководство Студии катушек Варнеля</translation>
    </message>
</context>
</TS>
