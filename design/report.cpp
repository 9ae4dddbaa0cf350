// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/report.h"

#include <cmath>

#include "study/calc_output.h"

namespace varnel::design {

std::string Quantity(long double v, const char* unit) {
    return DigitsText(v, 3) + " " + unit;
}

std::string FieldText(long double tesla) {
    if (std::fabs(tesla) >= 1)
        return Quantity(tesla, "T");
    if (std::fabs(tesla) >= 1e-3L)
        return Quantity(tesla * 1e3L, "mT");
    return Quantity(tesla * 1e6L, "uT");
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
        add("uniform", "a uniformity of " + Quantity(g.uniform->tol * 100, "%") + " over " +
                           Quantity(g.uniform->radius * 1e3L, "mm"));
    }
    if (g.uniform && c[kReach] > -0.02L) {
        add("search-reach", "the search's own bound on the sphere, " +
                                DigitsText(g.bounds.reach, 3) + " of the distance to the turns");
    }
    if (g.maxPower && c[kPower] > -0.02L)
        add("max-power", Quantity(*g.maxPower, "W"));
    // A runaway passes both.
    if (g.maxTempRise && (e.hot.runaway || e.hot.rise / *g.maxTempRise > 0.98L))
        add("max-temp-rise", "a temperature rise of " + Quantity(*g.maxTempRise, "K"));
    if (e.hot.runaway || e.hot.hotSpot / (g.thermalClass - g.ambient) > 0.98L)
        add("class", "a hot spot of " + Quantity(g.thermalClass, "C"));
    if (c[kOuter] > -0.02L) {
        add(box.outerOwn ? "search-outer" : "max-outer",
            (box.outerOwn ? "the search's own bound on the outer radius, "
                          : "an outer radius of ") +
                Quantity(box.R2max * 1e3L, "mm"));
    }
    if (c[kLength] > -0.02L) {
        add(box.lengthOwn ? "search-length" : "max-length",
            (box.lengthOwn ? "the search's own bound on the length, " : "a length of ") +
                Quantity(box.lengthMax * 1e3L, "mm"));
    }
    if (g.maxMass && c[kMass] > -0.02L)
        add("max-mass", "a mass of " + Quantity(*g.maxMass, "kg"));
    if (e.geometry.R1 < box.R1min * 1.02L) {
        if (box.innerOwn) {
            add("search-inner",
                "the search's own bound on R1, " + Quantity(box.R1min * 1e3L, "mm"));
        } else if (g.bore > 0 || g.formerWall > 0) {
            add("bore",
                "a bore of " + Quantity(g.bore * 1e3L, "mm") +
                    (g.formerWall > 0 ? " inside a wall of " + Quantity(g.formerWall * 1e3L, "mm")
                                      : std::string()));
        }
    }
    if (g.cheek > 0 && e.geometry.h < box.gapMin * 1.02L)
        add("cheek", "cheeks of " + Quantity(g.cheek * 1e3L, "mm"));
    return out;
}

std::string NoDesignMessage(const Goals& g, const Box& box, const Evaluation* closest) {
    const std::string goal = "no design reaches " + FieldText(g.B0);
    if (!closest) {
        return goal + ": no wire of the catalogue can, at this supply and a bore of " +
               Quantity(box.R1min * 1e3L, "mm");
    }
    std::vector<std::string> why = BindingLimits(g, box, *closest, true);
    if (why.empty())
        why.push_back(g.currentSource ? "the supply current" : "the supply voltage");
    std::string reach = "the best reaches " + FieldText(closest->B0);
    if (g.uniform)
        reach += ", a deviation of " + DigitsText(closest->sphereDeviation, 3) + " on the sphere";
    reach += ", " + Quantity(closest->hot.power, "W");
    reach += closest->hot.runaway ? " and runs away thermally"
                                  : " and a rise of " + Quantity(closest->hot.rise, "K");
    return goal + " within " + Sentence(why) + "; " + reach;
}

}  // namespace varnel::design
