// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// What the inputs panel offers in its lists: wires, materials and winding styles. The panel
// only shows what it is given, so a catalogue read from data files can replace the built-in
// one without touching the window.
namespace varnel::studio {

struct WireEntry {
    QString key;   // stored in design files
    QString name;  // as the list shows it, e.g. "0.500 mm grade 1"
    double bareMm = 0;
    double overallMm = 0;  // with its insulation; 0 when unknown
};

struct MaterialEntry {
    QString key;
    QString name;                    // translated
    double resistivityNanoOhmM = 0;  // at 20 °C
    double densityKgM3 = 0;
};

struct WindingEntry {
    QString key;
    QString name;  // translated
    // The packing factor the style gives whatever the wire; none when it depends on the wire
    // or the user types it.
    std::optional<double> packingFactor;
};

// The packing factor a winding style gives with a wire of these bare and overall diameters
// (mm; overall 0 when not known), or none when the user types it.
using PackingRule =
    std::function<std::optional<double>(const WindingEntry&, double bareMm, double overallMm)>;

struct Catalogue {
    QList<WireEntry> wires;  // may be empty: then the diameter is typed
    QList<MaterialEntry> materials;
    QList<WindingEntry> windings;
    PackingRule packing;
};

// Keys of the entries that are not from a list: a diameter, a material or a packing factor
// typed by the user.
inline const QString kGivenKey = QStringLiteral("given");

// The conductor metals of the program's one table of materials, in its order, keyed as the
// design search names them ("copper"), with translated names; none where the table cannot be
// read.
QList<MaterialEntry> ShippedMaterialEntries();

// The lists the studio has without data files: no wires, the two conductor metals, the
// winding styles of the calculator's presets, each with its fixed packing factor, and a typed
// packing factor. Names in the
// language of the current translators, so make it after they are installed.
Catalogue BuiltInCatalogue();

}  // namespace varnel::studio
