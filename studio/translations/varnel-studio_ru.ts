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
        <source>The map of the field in the r–z half-plane will be shown here: |B| or its deviation from the centre, contours, field lines, the coil sections and the uniform region.</source>
        <translation>Здесь будет карта поля в полуплоскости r–z: |B| или его отклонение от центра, изолинии, силовые линии, сечения катушек и область однородности.</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>The field along the axis and across the mid-plane will be plotted here, with the uniform extents marked.</source>
        <translation>Здесь будут графики поля вдоль оси и поперёк средней плоскости с отмеченными границами однородности.</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Профили</translation>
    </message>
    <message>
        <source>The design search will be here: goals and limits, the designs it finds, and a choice of one to load into the inputs.</source>
        <translation>Здесь будет поиск конструкции: цели и ограничения, найденные варианты и загрузка выбранного в исходные данные.</translation>
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
        <source>Varnel Coils Studio shows what a pair of coaxial coils gives: the calculator&apos;s numbers beside exact values, and the field.</source>
        <translation>Студия катушек Варнеля показывает, что даёт пара соосных катушек: числа калькулятора рядом с точными значениями и поле.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The design has changed. Save it first?</source>
        <translation>Проект изменён. Сохранить его?</translation>
    </message>
</context>
</TS>
