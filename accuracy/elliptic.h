// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace varnel::exact {

// Complete elliptic integrals of the first and second kind.
struct CompleteElliptic {
    long double K;
    long double E;
};

// K(k) and E(k) from the modulus squared k^2 and the complementary modulus k' = sqrt(1 - k^2),
// both given so that k' stays accurate near k = 1, where a filament meets the point. By the
// arithmetic-geometric mean.
CompleteElliptic EllipticKE(long double kSquared, long double kComplement);

// Bulirsch's generalised complete elliptic integral, in double precision for the fast field:
// cel(kc, p, c, s) = int_0^pi/2 (c cos^2 t + s sin^2 t) / ((cos^2 t + p sin^2 t)
//                    sqrt(cos^2 t + kc^2 sin^2 t)) dt,
// by Bulirsch's descending transformation (Numer. Math. 13, 1969), to full double precision.
double Cel(double kc, double p, double c, double s);

// cel(kc, p1, c1, s1) and cel(kc, p2, c2, s2) from one iteration of the modulus: each the
// same value as Cel gives, at about half the square roots of two calls.
std::array<double, 2> CelPair(double kc, double p1, double c1, double s1, double p2, double c2,
                              double s2);

// What a thin solenoid's field takes, for four moduli at once (both ends of two solenoids):
// radial[j] = cel(kc[j], 1, 1, -1) and axial[j] = cel(kc[j], gamma[j]^2, 1, gamma[j]), with
// -1 < gamma < 1. The starting terms of these arguments are known without a square root, and
// the four iterations run two by two, in step, for as many steps as the slowest needs (further
// steps keep a value as accurate); each value agrees with Cel's to a few units in the last
// place.
struct SolenoidCels {
    std::array<double, 4> radial, axial;
};
SolenoidCels SolenoidCelsOf(const std::array<double, 4>& kc, const std::array<double, 4>& gamma);

// The same for a thin solenoid's flux function: radial[j] = cel(kc[j], 1, 0, 1) and
// axial[j] = gamma[j]^2 cel(kc[j], gamma[j]^2, 0, 1) (that is, cel(kc, gamma^2, 0, gamma^2),
// zero at gamma = 0).
SolenoidCels SolenoidFluxCelsOf(const std::array<double, 4>& kc,
                                const std::array<double, 4>& gamma);

}  // namespace varnel::exact
