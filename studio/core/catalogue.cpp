// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/catalogue.h"

#include <QCoreApplication>
#include <exception>

#include "command/number_styles.h"
#include "design/catalogue.h"
#include "design/winding.h"

namespace varnel::studio {

namespace {

// The list's name of a shipped material, translated; a material the program has no words for
// shows its name in the table.
QString MaterialName(const std::string& key, const std::string& name) {
    if (key == "copper")
        return QCoreApplication::translate("Catalogue", "Copper, annealed (IEC 60028)");
    if (key == "aluminium")
        return QCoreApplication::translate("Catalogue", "Aluminium (EC 1350)");
    return QString::fromStdString(name);
}

}  // namespace

// Every material of the shipped table, its resistivity in nOhm m by moving the point of its
// text, so that 1.7241e-08 becomes exactly 17.241.
QList<MaterialEntry> ShippedMaterialEntries() {
    QList<MaterialEntry> out;
    try {
        for (const design::Material& m : design::ShippedMaterials()) {
            const std::string key = design::MaterialKey(m);
            const std::string nano = ShiftedText(static_cast<double>(m.resistivity20), 9);
            out.append({QString::fromStdString(key), MaterialName(key, m.name),
                        static_cast<double>(ReadDigitsText(nano).value_or(0)),
                        static_cast<double>(m.density)});
        }
    } catch (const std::exception&) {
        out.clear();  // without the table, the resistivity and density are typed
    }
    return out;
}

Catalogue BuiltInCatalogue() {
    Catalogue c;
    c.materials = ShippedMaterialEntries();
    c.materials.append(
        {kGivenKey, QCoreApplication::translate("Catalogue", "Other (as typed)"), 0, 0});
    // The calculator's presets: the middle of the range each style reaches. Their keys say
    // "typical" so that none reads as one of the design tool's winding styles below.
    c.windings = {
        {kGivenKey, QCoreApplication::translate("Catalogue", "Packing factor as typed"),
         std::nullopt},
        {QStringLiteral("typical-random"),
         QCoreApplication::translate("Catalogue", "Random winding (0.5–0.6)"), 0.55},
        {QStringLiteral("typical-layer"),
         QCoreApplication::translate("Catalogue", "Layer winding (0.6–0.7)"), 0.65},
        {QStringLiteral("typical-bar"),
         QCoreApplication::translate("Catalogue", "Bar winding (0.7–0.8)"), 0.75},
    };
    // The enamelled wires of the shipped metric table, with the thinnest enamel; none where
    // the table is not found, and the diameter is typed.
    try {
        for (const design::Wire& w : design::LoadWires("metric", "")) {
            const QString name = QString::fromStdString(w.name);
            c.wires.append({name, name, static_cast<double>(w.bare * 1000),
                            static_cast<double>(w.overall * 1000)});
        }
    } catch (const std::exception&) {
        c.wires.clear();
    }
    // Wound in layers, the packing factor follows from the bare and overall diameters, by the
    // design tool's winding styles, under the design tool's own names.
    c.windings.append({QStringLiteral("orthocyclic"),
                       QCoreApplication::translate("Catalogue", "Orthocyclic, from the wire"),
                       std::nullopt});
    c.windings.append({QStringLiteral("layer"),
                       QCoreApplication::translate("Catalogue", "Layer on layer, from the wire"),
                       std::nullopt});
    c.packing = [](const WindingEntry& w, double bare, double overall) -> std::optional<double> {
        if (w.packingFactor)
            return w.packingFactor;
        if (!(bare > 0) || !(overall >= bare))
            return std::nullopt;
        design::Winding style{design::WindingStyle::Orthocyclic, 0};
        if (w.key == QStringLiteral("layer")) {
            style.style = design::WindingStyle::LayerOnLayer;
        } else if (w.key != QStringLiteral("orthocyclic")) {
            return std::nullopt;
        }
        return static_cast<double>(
            design::IdealPackingFactor(style, design::Wire{"", bare / 1000.0L, overall / 1000.0L}));
    };
    return c;
}

}  // namespace varnel::studio
