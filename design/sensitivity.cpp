// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/sensitivity.h"

#include <algorithm>
#include <cmath>

namespace varnel::design {
namespace {

constexpr long double kStep = 1e-4L;  // 0.1 mm
constexpr int kOrder = 24;

long double DeviationOf(const std::vector<Loop>& loops, long double radius) {
    const CentreExpansion x(loops, 1, kOrder);
    return DeviationOnSphere(x, radius).deviation;
}

// The winding pitch, both ways, scaled as the wire's diameter over the enamel changes.
WoundBuild Scaled(WoundBuild b, long double radial, long double axial) {
    b.radialPitch *= radial;
    b.firstLayer *= radial;
    b.depth *= radial;
    b.axialPitch *= axial;
    b.height *= axial;
    return b;
}

}  // namespace

std::vector<Loop> VariantLoops(const Candidate& c, const std::string& what, long double change) {
    if (what == "h")
        return PairLoops(c.build, c.R1, c.h + change);
    if (what == "R1")
        return PairLoops(c.build, c.R1 + change, c.h);
    if (what == "H")
        return PairLoops(Scaled(c.build, 1, 1 + change / c.build.height), c.R1, c.h);
    if (what == "turn")
        return PairLoops(c.build, c.R1, c.h, change > 0 ? 1 : -1);
    if (what == "wire") {
        const long double s = 1 + change / c.wire->overall;
        return PairLoops(Scaled(c.build, s, s), c.R1, c.h);
    }
    return PairLoops(c.build, c.R1, c.h);
}

std::vector<Sensitivity> Sensitivities(const Goals& g, const Placed& design) {
    const Candidate& c = design.candidate;
    const std::vector<Loop> nominal = PairLoops(c.build, c.R1, c.h);
    const long double B0 = AxialFieldOfLoops(nominal, 0, 1);
    // The enamel's range: from the catalogue's largest overall diameter down to the bare one.
    const long double wireChange = -(c.wire->overall - c.wire->bare);
    const std::vector<std::pair<std::string, long double>> changes = {
        {"h", kStep},  {"h", -kStep}, {"R1", kStep}, {"R1", -kStep},       {"H", kStep},
        {"H", -kStep}, {"turn", 1},   {"turn", -1},  {"wire", wireChange},
    };
    std::vector<Sensitivity> out;
    for (const auto& [what, change] : changes) {
        const std::vector<Loop> loops = VariantLoops(c, what, change);
        Sensitivity s;
        s.what = what;
        s.change = change;
        s.B0 = AxialFieldOfLoops(loops, 0, 1) / B0 - 1;
        if (g.uniform)
            s.deviation = DeviationOf(loops, g.uniform->radius);
        out.push_back(s);
    }
    return out;
}

WorstCase RobustWorst(const Goals& g, const Candidate& c, long double current) {
    WorstCase w;
    const std::vector<Loop> nominal = PairLoops(c.build, c.R1, c.h);
    w.B0low = w.B0high = AxialFieldOfLoops(nominal, 0, current);
    if (g.uniform)
        w.deviation = DeviationOf(nominal, g.uniform->radius);
    const Tolerances& t = g.robust;
    std::vector<std::pair<std::string, long double>> changes;
    for (long double sign : {1.0L, -1.0L}) {
        if (t.gap > 0)
            changes.push_back({"h", sign * t.gap});
        if (t.radius > 0)
            changes.push_back({"R1", sign * t.radius});
        if (t.height > 0)
            changes.push_back({"H", sign * t.height});
    }
    if (t.turns > 0) {
        // One turn each way on one coil: the stray a careful winder makes.
        changes.push_back({"turn", 1});
        changes.push_back({"turn", -1});
    }
    if (t.wire)
        changes.push_back({"wire", -(c.wire->overall - c.wire->bare)});
    for (const auto& [what, change] : changes) {
        const std::vector<Loop> loops = VariantLoops(c, what, change);
        const long double b = AxialFieldOfLoops(loops, 0, current);
        w.B0low = std::min(w.B0low, b);
        w.B0high = std::max(w.B0high, b);
        if (g.uniform)
            w.deviation = std::max(w.deviation, DeviationOf(loops, g.uniform->radius));
    }
    return w;
}

void ApplyRobust(const Goals& g, const Candidate& c, const Evaluation& e, const Margins& m,
                 std::array<long double, kLimits>& limits) {
    if (!g.robust.Any())
        return;
    const WorstCase w = RobustWorst(g, c, e.hot.current);
    const long double high = (w.B0high / g.B0 - 1) / g.B0Tol - (1 - m.b0);
    const long double low = -(w.B0low / g.B0 - 1) / g.B0Tol - (1 - m.b0);
    limits[kB0High] = std::max(limits[kB0High], high);
    limits[kB0Low] = std::max(limits[kB0Low], low);
    if (g.uniform) {
        const long double u = std::min(w.deviation / g.uniform->tol, 1e3L) - (1 - m.uniform);
        limits[kUniform] = std::max(limits[kUniform], u);
    }
}

}  // namespace varnel::design
