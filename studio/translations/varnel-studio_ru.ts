<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Catalogue</name>
    <message>
        <source>Copper, annealed (IEC 60028)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aluminium (EC 1350)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other (as typed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packing factor as typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Random winding (0.5–0.6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer winding (0.6–0.7)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bar winding (0.7–0.8)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesignFile</name>
    <message>
        <source>The file is damaged and was not opened: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at byte %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no layout version (&quot;schema&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file was written by a newer version of the studio (layout %1; this version reads up to %2) and was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not a text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing or not true or false</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is far too large for a design</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>varnel::studio::InputsPanel</name>
    <message>
        <source>Coils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inner radius R1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inner radius of the winding of each coil, from the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outer radius R2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outer radius of the winding of each coil, from the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Axial length of the winding of one coil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Axial gap between the facing ends of the two coils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wire and winding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A standard wire from the catalogue, or a diameter typed below</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diameter as typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wire diameter D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diameter of the bare conductor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Winding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the turns lie, which sets the packing factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packing factor λ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share of the winding&apos;s cross-section filled by conductor (below 1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conductor material</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Material</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fills in the resistivity and density of a standard conductor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resistivity ρ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> nΩ·m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resistivity of the conductor at 20 °C, in nano-ohm metres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Density</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> kg/m³</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Density of the conductor, for the mass of wire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The supply holds the RMS voltage; the current follows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The supply holds the RMS current; the voltage follows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMS value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMS voltage of a voltage source or current of a current source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency f</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply frequency; 0 for direct current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point, radial x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance of the field point from the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point, axial z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Axial position of the field point from the centre of the pair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uniform within</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How far |B| may depart from its value at the centre inside the uniform region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Surroundings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambient temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature of the air around the coils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> A</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>varnel::studio::NumbersView</name>
    <message>
        <source>Turns of one coil N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resistance of the pair R, Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inductance of the pair L, H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inductive reactance ZL, Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Impedance |Z|, Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMS current Id, A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current density in the winding j, A/mm²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current density in the wire, A/mm²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power dissipated P, W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flux density at the centre B0, T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion factor K0 = B0/Id, T/A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radial flux density Bx at the point, T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Axial flux density Bz at the point, T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flux density |B| at the point, T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angle of the field to the axis φ, °</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mass of wire m, kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator/exact − 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copies the selected cells, or the whole table, as text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self-inductance of one coil, H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mutual inductance of the coils, H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force between the coils (− attracts), N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature rise of the winding, K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uniform within %1 % along the axis, |z| below, mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uniform within %1 % in the mid-plane, x below, mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RMS voltage Ud, V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculated; the exact values follow.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calculator does not take these inputs: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calculation failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>beyond %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>needs the thermal model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no steady state (thermal runaway)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>varnel::studio::StudioWindow</name>
    <message>
        <source>Varnel Coils Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Command Line for varnel-calc…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts again from the default design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the varnel-calc command that calculates this design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The map of the field in the r–z half-plane will be shown here: |B| or its deviation from the centre, contours, field lines, the coil sections and the uniform region.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field along the axis and across the mid-plane will be plotted here, with the uniform extents marked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The design search will be here: goals and limits, the designs it finds, and a choice of one to load into the inputs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1[*] — Varnel Coils Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coil designs (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command Line for varnel-calc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This command calculates the design shown, with every value in SI units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Varnel Coils Studio shows what a pair of coaxial coils gives: the calculator&apos;s numbers beside exact values, and the field.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
