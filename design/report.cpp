// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/report.h"

#include <cmath>

#include "command/number_styles.h"

namespace varnel::design {

std::string FieldText(long double tesla) {
    if (std::fabs(tesla) >= 1)
        return QuantityText(tesla, 3, "T");
    if (std::fabs(tesla) >= 1e-3L)
        return QuantityText(tesla * 1e3L, 3, "mT");
    return QuantityText(tesla * 1e6L, 3, "uT");
}

std::string Sentence(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += i + 1 == parts.size() ? " and " : ", ";
        out += parts[i];
    }
    return out;
}

std::vector<std::string> BindingLimits(const Goals& g, const Box& box, const Evaluation& e,
                                       bool phrases) {
    std::vector<std::string> out;
    const auto c = LimitValues(g, box, e, Margins{});
    auto add = [&](const std::string& name, const std::string& phrase) {
        out.push_back(phrases ? phrase : name);
    };
    if (g.uniform && c[kUniform] > -0.2L) {
        add("uniform", "a uniformity of " + QuantityText(g.uniform->tol * 100, 3, "%") + " over " +
                           QuantityText(g.uniform->radius * 1e3L, 3, "mm"));
    }
    if (g.uniform && c[kReach] > -0.02L) {
        add("search-reach", "the search's own bound on the sphere, " +
                                DigitsText(g.bounds.reach, 3) + " of the distance to the turns");
    }
    if (g.maxPower && c[kPower] > -0.02L)
        add("max-power", QuantityText(*g.maxPower, 3, "W"));
    // A runaway passes both.
    if (g.maxTempRise && (e.hot.runaway || e.hot.rise / *g.maxTempRise > 0.98L))
        add("max-temp-rise", "a temperature rise of " + QuantityText(*g.maxTempRise, 3, "K"));
    if (e.hot.runaway || e.hot.hotSpot / (g.thermalClass - g.ambient) > 0.98L)
        add("class", "a hot spot of " + QuantityText(g.thermalClass, 3, "C"));
    if (c[kOuter] > -0.02L) {
        add(box.outerOwn ? "search-outer" : "max-outer",
            (box.outerOwn ? "the search's own bound on the outer radius, "
                          : "an outer radius of ") +
                QuantityText(box.R2max * 1e3L, 3, "mm"));
    }
    if (c[kLength] > -0.02L) {
        add(box.lengthOwn ? "search-length" : "max-length",
            (box.lengthOwn ? "the search's own bound on the length, " : "a length of ") +
                QuantityText(box.lengthMax * 1e3L, 3, "mm"));
    }
    if (g.maxMass && c[kMass] > -0.02L)
        add("max-mass", "a mass of " + QuantityText(*g.maxMass, 3, "kg"));
    if (e.geometry.R1 < box.R1min * 1.02L) {
        if (box.innerOwn) {
            add("search-inner",
                "the search's own bound on R1, " + QuantityText(box.R1min * 1e3L, 3, "mm"));
        } else if (g.bore > 0 || g.formerWall > 0) {
            add("bore", "a bore of " + QuantityText(g.bore * 1e3L, 3, "mm") +
                            (g.formerWall > 0
                                 ? " inside a wall of " + QuantityText(g.formerWall * 1e3L, 3, "mm")
                                 : std::string()));
        }
    }
    if (g.cheek > 0 && e.geometry.h < box.gapMin * 1.02L)
        add("cheek", "cheeks of " + QuantityText(g.cheek * 1e3L, 3, "mm"));
    return out;
}

std::string NoDesignMessage(const Goals& g, const Box& box, const Evaluation* closest) {
    const std::string goal = "no design reaches " + FieldText(g.B0);
    if (!closest) {
        return goal + ": no wire of the catalogue can, at this supply and a bore of " +
               QuantityText(box.R1min * 1e3L, 3, "mm");
    }
    std::vector<std::string> why = BindingLimits(g, box, *closest, true);
    if (why.empty())
        why.push_back(g.currentSource ? "the supply current" : "the supply voltage");
    std::string reach = "the best reaches " + FieldText(closest->B0);
    if (g.uniform)
        reach += ", a deviation of " + DigitsText(closest->sphereDeviation, 3) + " on the sphere";
    reach += ", " + QuantityText(closest->hot.power, 3, "W");
    reach += closest->hot.runaway ? " and runs away thermally"
                                  : " and a rise of " + QuantityText(closest->hot.rise, 3, "K");
    return goal + " within " + Sentence(why) + "; " + reach;
}

}  // namespace varnel::design
