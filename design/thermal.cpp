// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/thermal.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/constants.h"

namespace varnel::design {
namespace {

// Air in the gap between the coils, at a 45 C film (a 20 C room and a 50 K rise, the middle of
// what the coils run at): g*beta*dT/(nu*a) with beta = 1/T, nu = 1.772e-5 m^2/s and
// a = 2.519e-5 m^2/s (Incropera & DeWitt, table A.4, between 300 and 350 K). Its fourth root
// enters the gap, so a rise of 25 K or 100 K moves the gap by less than a fifth.
constexpr long double kGravity = 9.80665L;
constexpr long double kFilm = 318.15L;  // K
constexpr long double kReferenceRise = 50;
constexpr long double kAirViscosity = 1.772e-5L;    // kinematic, m^2/s
constexpr long double kAirDiffusivity = 2.519e-5L;  // m^2/s
constexpr long double kBuoyancy =
    kGravity / kFilm * kReferenceRise / (kAirViscosity * kAirDiffusivity);  // 1/m^3

ThermalState AtRise(const ThermalInput& in, long double rise) {
    ThermalState s;
    s.rise = rise;
    s.hotSpot = rise;
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

// How the power changes with the winding's temperature at a state, W/K: I^2 R20 alpha with a
// current source; with a voltage, P = U^2 R / (R^2 + X^2) and dP/dR = U^2 (X^2 - R^2) /
// (R^2 + X^2)^2, falling as the winding warms unless the reactance dominates.
long double PowerSlope(const ThermalInput& in, const ThermalState& s) {
    const long double dRdT = in.resistance20 * in.alpha;
    if (in.currentSource)
        return in.source * in.source * dRdT;
    const long double r2 = s.resistance * s.resistance, x2 = in.reactance * in.reactance;
    return in.source * in.source * (x2 - r2) / ((r2 + x2) * (r2 + x2)) * dRdT;
}

// The steady state at a rise, with what follows from it: the hot spot, the current at
// switch-on and the time constant. Near the steady rise T*, m c dT/dt = P(T) - g T linearises
// to m c d(dT)/dt = -(g - dP/dT) dT, a decay with the time constant m c / (g - dP/dT).
ThermalState Settled(const ThermalInput& in, long double g, long double rise) {
    ThermalState s = AtRise(in, rise);
    s.coldCurrent = AtRise(in, 0).current;
    const long double volume = 2 * kTruePi * (in.R2 * in.R2 - in.R1 * in.R1) * in.H;
    if (in.conductivity > 0 && volume > 0 && s.power > 0) {
        // The generation taken uniform, at the mean resistivity. The core, dT hotter than the
        // mean, generates alpha*dT more (2 % at 5 K, 16 % at 40 K, for copper); in a slab that
        // raises the excess by about three quarters of the share (1.4 % and 12 %), which is
        // left out.
        s.hotSpot = rise + InternalRise(s.power / volume, in.R1, in.R2, in.conductivity,
                                        in.heatTransfer, in.heatTransfer);
    }
    const long double net = g - PowerSlope(in, s);
    if (in.heatCapacity > 0 && net > 0)
        s.timeConstant = in.heatCapacity / net;
    return s;
}

}  // namespace

long double ExposedArea(long double R1, long double R2, long double H) {
    const long double one = 2 * kTruePi * (R1 + R2) * H + 2 * kTruePi * (R2 * R2 - R1 * R1);
    return 2 * one;
}

// Two end faces at one temperature facing each other: they exchange no radiation, and the air
// between them is a channel that the heated air must leave through its open rims. Elenbaas
// (Physica 9, 1942, 1-28) measured such channels between isothermal plates: with the Elenbaas
// number El = g beta dT s^4 / (nu a L) (gap s, plate length L along the flow), a plate of the
// channel passes Nu_s = (El/24) (1 - exp(-35/El))^(3/4) against 0.6 El^(1/4) for the same
// plate alone, far from the other (the limit of the same formula at large El). Their ratio is
// ((1 - exp(-x)) / x)^(3/4) with x = 35/El: 1 for a wide gap, x^(-3/4), proportional to s^3, once
// the air in a narrow gap barely moves. The share is applied to the whole lumped coefficient,
// the radiation too: across a narrow gap the faces see mostly each other.
long double FacingFaceShare(long double gap, long double faceDepth) {
    if (!(faceDepth > 0))
        return 1;  // no face to cool
    if (!(gap > 0))
        return 0;
    const long double s = gap / FacingFaceGap(faceDepth);
    // Below s = 0.35, x > 66 and exp(-x) lies below the precision: the share is x^(-3/4) = s^3,
    // worked without the fourth power that would underflow for a vanishing gap.
    if (s < 0.35L)
        return s * s * s;
    const long double x = 1 / (s * s * s * s);
    return std::pow(-std::expm1(-x) / x, 0.75L);
}

// El = 35, where x = 1.
long double FacingFaceGap(long double faceDepth) {
    return std::sqrt(std::sqrt(35 * faceDepth / kBuoyancy));
}

long double CooledArea(long double R1, long double R2, long double H, long double h) {
    const long double face = kTruePi * (R2 * R2 - R1 * R1);
    const long double one = 2 * kTruePi * (R1 + R2) * H + face + face * FacingFaceShare(h, R2 - R1);
    return 2 * one;
}

// The steady radial heat equation in the winding, with T the rise above the ambient, uniform
// generation q and conductivity k:
//   (1/r) d/dr (k r dT/dr) + q = 0,  so  T(r) = -q r^2 / (4k) + A ln(r/R1) + B.
// The surfaces pass the heat on: at the outside -k T'(R2) = ho T(R2), at the inside (heat
// flowing inwards) k T'(R1) = hi T(R1). Dividing each by its h and subtracting removes B:
//   A (ln(R2/R1) + k/(ho R2) + k/(hi R1)) = q (R2/(2 ho) + R1/(2 hi) + (R2^2 - R1^2)/(4k)),
// here multiplied through by hi ho so that an insulated surface (h = 0) needs no division:
// then A = q R1^2 / (2k) (T'(R1) = 0) or q R2^2 / (2k). With A > 0, T is concave and peaks
// where T' = -q r/(2k) + A/r = 0, r*^2 = 2kA/q, held within R1..R2. The mean weighted by
// volume (by r dr, as the resistance of the turns is) is
//   -q (R2^2 + R1^2) / (8k) + A (R2^2 ln(R2/R1) / (R2^2 - R1^2) - 1/2) + B,
// and the hottest point's excess over it does not depend on B.
long double InternalRise(long double q, long double R1, long double R2, long double k,
                         long double hi, long double ho) {
    if (!(R2 > R1) || !(R1 > 0) || !(q > 0) || !(k > 0))
        return 0;
    if (!(hi > 0) && !(ho > 0))  // no surface passes the heat on: no steady state
        return std::numeric_limits<long double>::infinity();
    const long double ln = std::log1p((R2 - R1) / R1);
    const long double A = q *
                          (hi * R2 / 2 + ho * R1 / 2 + hi * ho * (R2 * R2 - R1 * R1) / (4 * k)) /
                          (hi * ho * ln + k * hi / R2 + k * ho / R1);
    const long double peak = A > 0 ? std::clamp(std::sqrt(2 * k * A / q), R1, R2) : R1;
    const long double atPeak = -q * peak * peak / (4 * k) + A * std::log(peak / R1);
    const long double mean =
        -q * (R2 * R2 + R1 * R1) / (8 * k) + A * (R2 * R2 * ln / ((R2 - R1) * (R2 + R1)) - 0.5L);
    return std::max(atPeak - mean, 0.0L);
}

ThermalState SteadyState(const ThermalInput& in) {
    const long double g = in.heatTransfer * in.area;  // W/K
    ThermalState cold = AtRise(in, 0);
    cold.coldCurrent = cold.current;
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
        return Settled(in, g, in.source * in.source * ra / denominator);
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
    return Settled(in, g, (lo + hi) / 2);
}

}  // namespace varnel::design
