// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/catalogue.h"

#include <QCoreApplication>
#include <cmath>
#include <exception>

#include "design/catalogue.h"

namespace varnel::studio {

Catalogue BuiltInCatalogue() {
    Catalogue c;
    // Resistivity at 20 °C and density of the standard conductor grades.
    c.materials = {
        {QStringLiteral("copper"),
         QCoreApplication::translate("Catalogue", "Copper, annealed (IEC 60028)"), 17.241, 8890},
        {QStringLiteral("aluminium"),
         QCoreApplication::translate("Catalogue", "Aluminium (EC 1350)"), 28.264, 2703},
        {kGivenKey, QCoreApplication::translate("Catalogue", "Other (as typed)"), 0, 0},
    };
    // The calculator's presets: the middle of the range each style reaches.
    c.windings = {
        {kGivenKey, QCoreApplication::translate("Catalogue", "Packing factor as typed"),
         std::nullopt},
        {QStringLiteral("random"),
         QCoreApplication::translate("Catalogue", "Random winding (0.5–0.6)"), 0.55},
        {QStringLiteral("layer"),
         QCoreApplication::translate("Catalogue", "Layer winding (0.6–0.7)"), 0.65},
        {QStringLiteral("bar"), QCoreApplication::translate("Catalogue", "Bar winding (0.7–0.8)"),
         0.75},
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
    // Wound in layers, the packing factor follows from the bare and overall diameters: turns
    // stacked square fill pi/4 of the cell of the overall diameter, orthocyclic turns pi/(2
    // sqrt 3).
    c.windings.append({QStringLiteral("orthocyclic"),
                       QCoreApplication::translate("Catalogue", "Orthocyclic, from the wire"),
                       std::nullopt});
    c.windings.append({QStringLiteral("square"),
                       QCoreApplication::translate("Catalogue", "Layer on layer, from the wire"),
                       std::nullopt});
    c.packing = [](const WindingEntry& w, double bare, double overall) -> std::optional<double> {
        if (w.packingFactor)
            return w.packingFactor;
        if (!(bare > 0) || !(overall >= bare))
            return std::nullopt;
        const double ratio = (bare / overall) * (bare / overall);
        constexpr double kPi = 3.14159265358979323846;
        if (w.key == QStringLiteral("orthocyclic"))
            return kPi / (2 * std::sqrt(3.0)) * ratio;
        if (w.key == QStringLiteral("square"))
            return kPi / 4 * ratio;
        return std::nullopt;
    };
    return c;
}

}  // namespace varnel::studio
