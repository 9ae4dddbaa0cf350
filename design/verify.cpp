// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/verify.h"

#include <algorithm>
#include <cmath>

#include "accuracy/filament.h"
#include "command/control_names.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "design/report.h"
#include "design/sensitivity.h"
#include "engine/constants.h"
#include "study/calc_output.h"
#include "study/calc_request.h"

namespace varnel::design {
namespace {

constexpr int kReportOrder = 40;  // terms of the expansion for the extents reported

void Set(CalcRequest& r, std::string_view option, long double value) {
    // Every digit, so the calculator reads the value itself; its separator, so it reads at all.
    r.texts[*InputIndex(option)] = WithDecimalSeparator(FullPrecisionText(value));
}

bool Holds(const Goals& g, const Box& box, const Placed& p, const Design& d) {
    const Evaluation& m = d.model;
    bool holds = std::fabs(d.B0exact / g.B0 - 1) <= g.B0Tol;
    if (g.robust.Any()) {
        const WorstCase w = RobustWorst(g, p.candidate, std::fabs(d.I));
        holds = holds && std::fabs(w.B0low / g.B0 - 1) <= g.B0Tol &&
                std::fabs(w.B0high / g.B0 - 1) <= g.B0Tol;
        holds = holds && (!g.uniform || w.deviation <= g.uniform->tol);
    }
    holds = holds && (!g.maxPower || d.P <= *g.maxPower);
    holds = holds && (!g.maxMass || m.mass <= *g.maxMass);
    holds = holds && m.geometry.R2 <= box.R2max;
    holds = holds && 2 * m.geometry.H + m.geometry.h + 2 * g.cheek <= box.lengthMax;
    holds = holds && m.geometry.R1 >= box.R1min * (1 - 1e-12L) && !m.hot.runaway;
    holds = holds && TemperatureLoad(g, m.hot) <= 1;
    holds = holds && m.geometry.h >= box.gapMin * (1 - 1e-12L);
    if (g.uniform)
        holds = holds && d.sphereExact <= g.uniform->tol;
    return holds;
}

}  // namespace

CalcRequest DesignRequest(const Goals& g, const Wire& w, const Evaluation& e,
                          long double hotResistivity) {
    CalcRequest r = CalcRequest::Defaults();
    Set(r, "R1", e.geometry.R1);
    Set(r, "R2", e.geometry.R2);
    Set(r, "H", e.geometry.H);
    Set(r, "h", e.geometry.h);
    Set(r, "D", w.bare);
    Set(r, "Lambda", e.fit.lambda);
    Set(r, "Roe", hotResistivity);
    Set(r, "Ro", g.material.density);
    Set(r, "f", g.frequency);
    Set(r, "source", g.source);
    Set(r, "x", 0);
    Set(r, "z", 0);
    r.currentSource = g.currentSource;
    return r;
}

std::string DesignCommand(const CalcRequest& request) {
    std::string command = "varnel-calc";
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        if (i == kXInput || i == kZInput)
            continue;
        command += " --" + std::string(kInputBoxes[i].option) + " " +
                   ShortestText(static_cast<double>(ParseNumber(request.texts[i])));
    }
    if (request.currentSource)
        command += " --current";
    return command;
}

ExactOnTurns ExactField(const std::vector<Loop>& loops, long double I, long double radius) {
    auto at = [&](long double rho, long double z) {
        long double radial = 0, axial = 0;
        for (const Loop& l : loops) {
            const exact::FieldComponents f =
                exact::LoopField(l.radius, rho, l.radius - rho, z - l.z);
            radial += f.radial;
            axial += f.axial;
        }
        return std::array<long double, 2>{radial * I, axial * I};
    };
    ExactOnTurns out;
    out.B0 = at(0, 0)[1];
    if (radius <= 0)
        return out;
    // The half circle from the +z pole to the -z pole: the odd terms of an unequal pair too.
    constexpr int kSteps = 24;
    for (int i = 0; i <= kSteps; ++i) {
        const long double theta = kTruePi * i / kSteps;
        // The poles exactly on the axis, where the loop field has its own form.
        const long double rho = i == 0 || i == kSteps ? 0 : radius * std::sin(theta);
        const auto f = at(rho, radius * std::cos(theta));
        const long double modulus = std::hypot(f[0], f[1]);
        out.sphere = std::max({out.sphere, modulus / out.B0 - 1, 1 - f[1] / out.B0});
    }
    return out;
}

bool Verify(const Goals& g, const Box& box, const Placed& found, Design* out) {
    Design d;
    d.wire = *found.candidate.wire;
    d.model = found.eval;
    d.hotResistivity =
        g.material.resistivity20 * (1 + g.material.alpha * (g.ambient + found.eval.hot.rise - 20));
    const CalcRequest request = DesignRequest(g, d.wire, found.eval, d.hotResistivity);
    const CalcOutcome calc = RunCalculation(request);
    if (calc.kind != CalcOutcome::Kind::Results)
        return false;
    const CalcRecord& rec = calc.rec;
    d.R20 = found.eval.resistance20;
    d.Rhot = rec.R;
    d.L = rec.L;
    d.I = rec.Id;
    d.U = rec.Ud;
    d.P = rec.P;
    d.B0classic = calc.field.centre;
    d.timeConstant = rec.L / rec.R;
    d.heatingRate = rec.P / (found.eval.mass * g.material.specificHeat);
    const Candidate& c = found.candidate;
    const std::vector<Loop> loops = PairLoops(c.build, c.R1, c.h);
    const ExactOnTurns exact =
        ExactField(loops, std::fabs(rec.Id), g.uniform ? g.uniform->radius : 0);
    d.B0exact = exact.B0;
    d.sphereExact = exact.sphere;
    d.thermalTimeConstant = found.eval.hot.timeConstant;
    d.B0switchOn = d.B0exact * found.eval.hot.coldCurrent / found.eval.hot.current;
    const CentreExpansion e(loops, std::fabs(rec.Id), kReportOrder);
    d.extentsTol = g.uniform ? g.uniform->tol : 1e-3L;
    d.extents = FindUniformExtents(loops, e, d.extentsTol, 2 * (c.h / 2 + c.build.height));
    d.sensitivity = Sensitivities(g, found);
    d.binding = BindingLimits(g, box, found.eval, false);
    d.inputs.clear();
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        if (i == kXInput || i == kZInput)
            continue;
        d.inputs.push_back("--" + std::string(kInputBoxes[i].option));
        d.inputs.push_back(ShortestText(static_cast<double>(ParseNumber(request.texts[i]))));
    }
    d.command = DesignCommand(request);
    *out = d;
    return Holds(g, box, found, d);
}

}  // namespace varnel::design
