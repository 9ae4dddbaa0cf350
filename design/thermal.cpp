// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/thermal.h"

#include <cmath>

namespace varnel::design {
namespace {

constexpr long double kPiTrue = 3.141592653589793238462643383279502884L;

ThermalState AtRise(const ThermalInput& in, long double rise) {
    ThermalState s;
    s.rise = rise;
    s.resistance = in.resistance20 * (1 + in.alpha * (in.ambient + rise - 20));
    const long double z = std::sqrt(s.resistance * s.resistance + in.reactance * in.reactance);
    if (in.currentSource) {
        s.current = in.source;
        s.voltage = z * in.source;
    } else {
        s.voltage = in.source;
        s.current = in.source / z;
    }
    s.power = s.current * s.current * s.resistance;
    return s;
}

}  // namespace

long double ExposedArea(long double R1, long double R2, long double H) {
    const long double one = 2 * kPiTrue * (R1 + R2) * H + 2 * kPiTrue * (R2 * R2 - R1 * R1);
    return 2 * one;
}

ThermalState SteadyState(const ThermalInput& in) {
    const long double g = in.heatTransfer * in.area;  // W/K
    ThermalState cold = AtRise(in, 0);
    if (cold.power == 0)
        return cold;
    if (!(g > 0)) {
        // Nothing carries the heat away: the winding warms for as long as it is fed.
        cold.runaway = true;
        return cold;
    }
    if (in.currentSource) {
        // g*dT = I^2 R_a (1 + a dT), a referred to the ambient: linear in dT, and no steady
        // state once the resistance heats faster than the surface cools.
        const long double ra = cold.resistance;
        const long double a = in.alpha * in.resistance20 / ra;
        const long double denominator = g - in.source * in.source * ra * a;
        if (denominator <= 0) {
            cold.runaway = true;
            return cold;
        }
        return AtRise(in, in.source * in.source * ra / denominator);
    }
    // A voltage source: the power falls as the winding warms, so g*dT - P(dT) rises through
    // zero; where a reactance makes P rise at first, the first crossing is where it settles.
    auto excess = [&](long double rise) { return g * rise - AtRise(in, rise).power; };
    // The power never exceeds U^2/R at the ambient, which bounds the rise.
    long double hi = in.source * in.source / cold.resistance / g;
    long double lo = 0;
    constexpr int kSteps = 64;
    for (int i = 1; i <= kSteps; ++i) {
        const long double x = hi * i / kSteps;
        if (excess(x) >= 0) {
            hi = x;
            break;
        }
        lo = x;
    }
    for (int k = 0; k < 100 && hi - lo > 1e-12L * hi; ++k) {
        const long double mid = (lo + hi) / 2;
        (excess(mid) >= 0 ? hi : lo) = mid;
    }
    return AtRise(in, (lo + hi) / 2);
}

}  // namespace varnel::design
