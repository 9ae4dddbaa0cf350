// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/candidate.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/constants.h"
#include "engine/inductance.h"

namespace varnel::design {
namespace {

constexpr int kSearchOrder = 24;  // terms of the expansion for the sphere

}  // namespace

std::vector<Loop> PairLoops(const WoundBuild& b, long double R1, long double h, int extraTurn) {
    std::vector<Loop> loops;
    const std::vector<TurnPlace> places = TurnPlaces(b);
    loops.reserve(2 * places.size() + 1);
    for (const TurnPlace& p : places) {
        loops.push_back({R1 + p.radius, h / 2 + p.height});
        loops.push_back({R1 + p.radius, -(h / 2 + p.height)});
    }
    if (extraTurn > 0 && b.layers > 0) {
        // One more on the outside of coil one, beside its outer layer's last turn.
        const long double r =
            R1 + b.firstLayer + static_cast<long double>(b.layers) * b.radialPitch;
        loops.push_back({r, h / 2 + b.axialPitch / 2});
    } else if (extraTurn < 0 && !places.empty()) {
        // Coil one's outermost turn left off (its loop is the second last pushed of that coil).
        const TurnPlace& last = places.back();
        const auto it = std::find_if(loops.begin(), loops.end(), [&](const Loop& l) {
            return l.radius == R1 + last.radius && l.z == h / 2 + last.height;
        });
        if (it != loops.end())
            loops.erase(it);
    }
    return loops;
}

PairGeometry SheetGeometry(const WoundBuild& b, long double R1, long double h) {
    const SheetSection s = EquivalentSheet(b);
    return {R1 + s.inner, R1 + s.outer, s.farEnd - s.nearEnd, h + 2 * s.nearEnd,
            static_cast<long double>(b.turns)};
}

Heat HeatOf(const Goals& g, const Wire& w, const WoundBuild& b, long double R1, long double h) {
    Heat heat;
    const long double N = static_cast<long double>(b.turns);
    const long double R2 = R1 + b.depth;
    // Two coils of N turns of mean radius R1 + offset: 4 pi N r of wire over its section.
    const long double meanRadius = R1 + MeanTurnOffset(b);
    heat.resistance20 = g.material.resistivity20 * N * 16 * meanRadius / (w.bare * w.bare);
    if (g.frequency > 0) {
        const long double lambda = PackingFactor(N, w.bare, b.depth, b.height);
        heat.inductance = PairInductance(R1, R2, b.height, h, w.bare, lambda).inductance;
    }
    ThermalInput t;
    t.resistance20 = heat.resistance20;
    t.alpha = g.material.alpha;
    t.ambient = g.ambient;
    t.reactance = 2 * kTruePi * g.frequency * heat.inductance;
    t.heatTransfer = g.heatTransfer;
    t.area = CooledArea(R1, R2, b.height, h);
    t.R1 = R1;
    t.R2 = R2;
    t.H = b.height;
    t.conductivity = g.windingConductivity;
    // The wire's heat capacity, both coils: 4 pi N r of wire of section pi D^2 / 4.
    t.heatCapacity = g.material.density * 4 * kTruePi * N * meanRadius * kTruePi * w.bare * w.bare /
                     4 * g.material.specificHeat;
    t.currentSource = g.currentSource;
    t.source = g.source;
    heat.hot = SteadyState(t);
    return heat;
}

long double CentreFieldPerAmpere(const WoundBuild& b, long double R1, long double h,
                                 FieldModel model) {
    if (model == FieldModel::Sheet)
        return AxialFieldOnAxis(SheetGeometry(b, R1, h), 0, 1);
    return AxialFieldOfLoops(PairLoops(b, R1, h), 0, 1);
}

SphereLook SphereOf(const WoundBuild& b, long double R1, long double h, long double radius,
                    FieldModel model) {
    SphereLook look;
    if (model == FieldModel::Sheet) {
        const CentreExpansion x(SheetGeometry(b, R1, h), 1, kSearchOrder);
        look.reachRatio = radius / x.Reach();
        look.deviation = DeviationOnSphere(x, radius).deviation;
    } else {
        const CentreExpansion x(PairLoops(b, R1, h), 1, kSearchOrder);
        look.reachRatio = radius / x.Reach();
        look.deviation = DeviationOnSphere(x, radius).deviation;
    }
    return look;
}

Evaluation Evaluate(const Goals& g, const Candidate& c, FieldModel model) {
    Evaluation e;
    const WoundBuild& b = c.build;
    const long double N = static_cast<long double>(b.turns);
    e.build = b;
    e.geometry = {c.R1, c.R1 + b.depth, b.height, c.h, N};
    e.fit.turns = b.turns;
    e.fit.layers = g.winding.style == WindingStyle::Random ? 0 : b.layers;
    e.fit.turnsPerLayer = g.winding.style == WindingStyle::Random ? 0 : b.turnsPerLayer;
    e.fit.idealTurns = N;
    e.fit.lambda = PackingFactor(N, c.wire->bare, b.depth, b.height);
    const Heat heat = HeatOf(g, *c.wire, b, c.R1, c.h);
    e.resistance20 = heat.resistance20;
    e.inductance = heat.inductance;
    e.hot = heat.hot;
    e.B0 = CentreFieldPerAmpere(b, c.R1, c.h, model) * e.hot.current;
    if (g.uniform) {
        const SphereLook look = SphereOf(b, c.R1, c.h, g.uniform->radius, model);
        e.reachRatio = look.reachRatio;
        e.sphereDeviation = look.deviation;
    }
    e.wireLength = 4 * kTruePi * N * (c.R1 + MeanTurnOffset(b));
    e.mass = g.material.density * e.wireLength * kTruePi * c.wire->bare * c.wire->bare / 4;
    e.size = kTruePi * e.geometry.R2 * e.geometry.R2 * (2 * b.height + c.h + 2 * g.cheek);
    return e;
}

long double Objective(const Goals& g, const Evaluation& e) {
    switch (g.minimise) {
        case Minimise::Power:
            return e.hot.power;
        case Minimise::Mass:
            return e.mass;
        case Minimise::Size:
            return e.size;
    }
    return e.hot.power;
}

std::array<long double, kLimits> LimitValues(const Goals& g, const Box& box, const Evaluation& e,
                                             const Margins& m) {
    std::array<long double, kLimits> c{};
    const long double off = (e.B0 / g.B0 - 1) / g.B0Tol;
    c[kB0High] = off - (1 - m.b0);
    c[kB0Low] = -off - (1 - m.b0);
    c[kUniform] = -1;
    c[kReach] = -1;
    if (g.uniform) {
        const long double dev = std::isfinite(e.sphereDeviation) ? e.sphereDeviation : 1e3L;
        c[kUniform] = std::min(dev / g.uniform->tol, 1e3L) - (1 - m.uniform);
        c[kReach] = e.reachRatio / g.bounds.reach - 1;
    }
    c[kPower] = g.maxPower ? e.hot.power / *g.maxPower - (1 - m.other) : -1;
    c[kTemp] = e.hot.runaway ? 10 : TemperatureLoad(g, e.hot) - (1 - m.other);
    c[kOuter] = e.geometry.R2 / box.R2max - 1;
    c[kLength] = (2 * e.geometry.H + e.geometry.h + 2 * g.cheek) / box.lengthMax - 1;
    c[kMass] = g.maxMass ? e.mass / *g.maxMass - (1 - m.other) : -1;
    for (long double& v : c) {
        if (!std::isfinite(v))
            v = 1e3L;
    }
    return c;
}

long double WorstLimit(const std::array<long double, kLimits>& values) {
    return *std::max_element(values.begin(), values.end());
}

}  // namespace varnel::design
