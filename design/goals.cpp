// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/goals.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>

#include "command/number_styles.h"
#include "command/number_text.h"
#include "study/calc_output.h"
#include "study/csv_table.h"

namespace varnel::design {
namespace {

// The least gap between the coils when no cheek is given: 0.1 mm.
constexpr long double kLeastGap = 1e-4L;

std::string Text(long double v) {
    return DigitsText(v, 4);
}

bool Finite(long double v) {
    return std::isfinite(v);
}

bool Within(const std::optional<long double>& v, long double lo, long double hi) {
    return !v || (*v > lo && *v <= hi);
}

// One rule: its key, a test that holds for goals that make sense, and the sentence when it does
// not.
struct Rule {
    const char* key;
    std::function<bool(const Goals&)> holds;
    std::function<std::string(const Goals&)> sentence;
};

// Where a material's linear resistivity, rho20 (1 + alpha (T - 20)), reaches zero.
long double ZeroResistivityAt(const Material& m) {
    return 20 - 1 / m.alpha;
}

std::string ClassList() {
    std::string out;
    for (long double c : ThermalClasses())
        out += (out.empty() ? "" : ", ") + Text(c);
    return out;
}

bool IsClass(long double c) {
    const auto classes = ThermalClasses();
    return std::find(classes.begin(), classes.end(), c) != classes.end();
}

// The field, its tolerances and the supply.
std::vector<Rule> SupplyRules() {
    using S = std::string;
    return {
        {"B0", [](const Goals& g) { return g.B0 > 0 && Finite(g.B0) && g.B0 <= 100; },
         [](const Goals&) { return S("--B0 must be a field in tesla above 0 and at most 100"); }},
        {"B0-tol", [](const Goals& g) { return g.B0Tol >= 1e-4L && g.B0Tol <= 0.5L; },
         [](const Goals&) {
             return S(
                 "--B0-tol must lie between 1e-4 and 0.5: the build is set to 1 um, "
                 "which moves B0 by some 1e-5");
         }},
        {"uniform-tol",
         [](const Goals& g) {
             return !g.uniform || (g.uniform->tol >= 1e-8L && g.uniform->tol < 1);
         },
         [](const Goals&) { return S("--uniform: the tolerance must lie between 1e-8 and 1"); }},
        {"uniform-radius",
         [](const Goals& g) {
             return !g.uniform || (g.uniform->radius > 0 && Finite(g.uniform->radius));
         },
         [](const Goals&) { return S("--uniform: the radius must be positive and finite"); }},
        {"source",
         [](const Goals& g) { return g.source > 0 && Finite(g.source) && g.source <= 1e6L; },
         [](const Goals& g) {
             return S(g.currentSource ? "--current" : "--voltage") +
                    " must be positive and at most 1e6";
         }},
        {"f", [](const Goals& g) { return g.frequency >= 0 && g.frequency <= 1e6L; },
         [](const Goals&) { return S("--f must lie between 0 and 1e6 Hz"); }},
    };
}

// The limits, the former, the search's bounds, the heat and the catalogue.
std::vector<Rule> BuildRules() {
    using S = std::string;
    return {
        {"limits",
         [](const Goals& g) {
             return Within(g.maxPower, 0, 1e9L) && Within(g.maxTempRise, 0, 1e4L) &&
                    Within(g.maxMass, 0, 1e6L);
         },
         [](const Goals&) {
             return S("--max-power, --max-temp-rise and --max-mass must be positive and finite");
         }},
        {"max-size",
         [](const Goals& g) { return Within(g.maxOuter, 0, 100) && Within(g.maxLength, 0, 100); },
         [](const Goals&) {
             return S("--max-outer and --max-length must lie above 0 and at most 100 m");
         }},
        {"former",
         [](const Goals& g) {
             return g.bore >= 0 && g.formerWall >= 0 && g.cheek >= 0 && g.bore < 100 &&
                    g.formerWall < 100 && g.cheek < 100;
         },
         [](const Goals&) {
             return S("--bore, --former-wall and --cheek must lie between 0 and 100 m");
         }},
        {"search-bounds",
         [](const Goals& g) {
             return g.bounds.outer > 0 && g.bounds.outer <= 100 && g.bounds.length > 0 &&
                    g.bounds.length <= 100 && g.bounds.inner > 0 &&
                    g.bounds.inner < g.bounds.outer && g.bounds.reach > 0 && g.bounds.reach < 1;
         },
         [](const Goals&) {
             return S(
                 "the search's own bounds: --search-outer and --search-length between 0 and "
                 "100 m, --search-inner above 0 and below --search-outer, --search-reach "
                 "between 0 and 1");
         }},
        {"bore-outer", [](const Goals& g) { return SearchBox(g).R1min < SearchBox(g).R2max; },
         [](const Goals& g) {
             return S("the bore and the former's wall (R1 at least ") +
                    Text(SearchBox(g).R1min * 1e3L) + " mm) must lie below the largest R2, " +
                    Text(SearchBox(g).R2max * 1e3L) + " mm";
         }},
        {"sphere-fit",
         [](const Goals& g) { return !g.uniform || g.uniform->radius < SearchBox(g).R2max; },
         [](const Goals&) {
             return S("--uniform: the sphere does not fit inside the largest R2");
         }},
        {"heat-transfer",
         [](const Goals& g) { return g.heatTransfer >= 0 && g.heatTransfer <= 1e4L; },
         [](const Goals&) {
             return S(
                 "--heat-transfer must lie between 0 and 10000 W/(m^2 K) (still air is "
                 "10-15, forced water cooling some thousands)");
         }},
        {"winding-conductivity",
         [](const Goals& g) {
             return g.windingConductivity >= 0.01L && g.windingConductivity <= 400;
         },
         [](const Goals&) {
             return S(
                 "--winding-conductivity must lie between 0.01 and 400 W/(m K) (a dry winding "
                 "is about 0.2, an impregnated one 0.5-1, copper itself 400)");
         }},
        {"material-resistivity",
         [](const Goals& g) { return g.material.alpha > 0 && g.material.resistivity20 > 0; },
         [](const Goals&) { return S("the material has no resistivity or coefficient"); }},
        {"ambient",
         [](const Goals& g) {
             return g.ambient > ZeroResistivityAt(g.material) && g.ambient <= 400;
         },
         [](const Goals& g) {
             return "--ambient must lie above " + Text(ZeroResistivityAt(g.material)) +
                    " C, where the resistivity of " + g.material.name +
                    " would reach zero, and at most 400 C";
         }},
        {"class", [](const Goals& g) { return IsClass(g.thermalClass); },
         [](const Goals&) {
             return "--class must be one of the thermal classes " + ClassList() + " C";
         }},
        {"class-ambient", [](const Goals& g) { return g.thermalClass > g.ambient; },
         [](const Goals&) {
             return S("--class: the insulation's class must lie above the ambient temperature");
         }},
        {"count", [](const Goals& g) { return g.count >= 1 && g.count <= 100; },
         [](const Goals&) { return S("--count must lie between 1 and 100"); }},
        {"wires", [](const Goals& g) { return !g.wires.empty(); },
         [](const Goals&) { return S("the wire catalogue is empty"); }},
        {"material-density", [](const Goals& g) { return g.material.density > 0; },
         [](const Goals&) { return S("the material has no density"); }},
        {"robust",
         [](const Goals& g) {
             return g.robust.gap >= 0 && g.robust.gap < 0.01L && g.robust.radius >= 0 &&
                    g.robust.radius < 0.01L && g.robust.height >= 0 && g.robust.height < 0.01L &&
                    g.robust.turns >= 0 && g.robust.turns <= 10;
         },
         [](const Goals&) {
             return S(
                 "--robust: the tolerances lie between 0 and 10 mm, the turns between 0 and "
                 "10");
         }},
    };
}

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = [] {
        std::vector<Rule> all = SupplyRules();
        for (Rule& r : BuildRules())
            all.push_back(std::move(r));
        return all;
    }();
    return rules;
}

}  // namespace

std::vector<long double> ThermalClasses() {
    static const std::vector<long double> classes = [] {
        std::vector<long double> out;
        std::ifstream in(DataDirectory() + "/insulation-classes.csv", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::vector<CsvRow> rows = ReadCsv(text.str());
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (!rows[i].error.empty() || rows[i].fields.empty())
                continue;
            if (const auto v = ReadDigitsText(TrimText(rows[i].fields[0])))
                out.push_back(*v);
        }
        return out;
    }();
    return classes;
}

namespace {

// The numbers and names a rule's sentence gives, for a window's own words.
std::vector<std::string> RuleValues(std::string_view key, const Goals& g) {
    if (key == "source")
        return {g.currentSource ? "current" : "voltage"};
    if (key == "bore-outer")
        return {Text(SearchBox(g).R1min * 1e3L), Text(SearchBox(g).R2max * 1e3L)};
    if (key == "ambient")
        return {Text(ZeroResistivityAt(g.material)), MaterialKey(g.material)};
    if (key == "class")
        return {ClassList()};
    return {};
}

}  // namespace

void CheckGoals(const Goals& g) {
    for (const Rule& rule : Rules()) {
        if (!rule.holds(g))
            throw GoalError(rule.sentence(g), rule.key, RuleValues(rule.key, g));
    }
}

long double AllowedRise(const Goals& g) {
    const long double byClass = g.thermalClass - g.ambient;
    return g.maxTempRise ? std::min(*g.maxTempRise, byClass) : byClass;
}

long double TemperatureLoad(const Goals& g, const ThermalState& t) {
    const long double byClass = t.hotSpot / (g.thermalClass - g.ambient);
    return g.maxTempRise ? std::max(t.rise / *g.maxTempRise, byClass) : byClass;
}

Box SearchBox(const Goals& g) {
    Box b;
    b.R1min = g.bore + g.formerWall;
    b.innerOwn = b.R1min < g.bounds.inner;
    b.R1min = std::max(b.R1min, g.bounds.inner);
    if (g.uniform)
        b.R1min = std::max(b.R1min, g.uniform->radius * 1.05L);
    b.outerOwn = !g.maxOuter;
    b.R2max = g.maxOuter.value_or(g.bounds.outer);
    b.lengthOwn = !g.maxLength;
    b.lengthMax = g.maxLength.value_or(g.bounds.length);
    b.gapMin = std::max(kLeastGap, 2 * g.cheek);
    return b;
}

}  // namespace varnel::design
