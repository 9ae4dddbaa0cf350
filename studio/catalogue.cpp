#include "studio/catalogue.h"

#include <QCoreApplication>

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
    c.packing = [](const WindingEntry& w, double, double) { return w.packingFactor; };
    return c;
}

}  // namespace varnel::studio
