// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/exact_coils.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "accuracy/elliptic.h"

namespace varnel::exact {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

TEST(Elliptic, PublishedValues) {
    // K and E at k^2 = 1/2 (Abramowitz and Stegun, table 17.1), and K(0) = E(0) = pi/2.
    const CompleteElliptic half = EllipticKE(0.5L, std::sqrt(0.5L));
    EXPECT_NEAR(D(half.K), 1.854074677301372, 1e-15);
    EXPECT_NEAR(D(half.E), 1.350643881047675, 1e-15);
    const CompleteElliptic zero = EllipticKE(0, 1);
    EXPECT_NEAR(D(zero.K), M_PI / 2, 1e-16);
    EXPECT_NEAR(D(zero.E), M_PI / 2, 1e-16);
}

// Two loops of radius R a distance R apart: M = 0.39318 mu0 R.
TEST(Filament, MutualInductanceOfLoopsSpacedByTheirRadius) {
    EXPECT_NEAR(D(LoopMutualInductance(1, 1, 0, 1) / kMu0), 0.39318, 0.5e-5);
    EXPECT_NEAR(D(LoopMutualInductance(2, 2, 0, 2) / LoopMutualInductance(1, 1, 0, 1)), 2, 1e-15);
}

TEST(Filament, LoopFieldOnAndNearTheAxis) {
    // On the axis mu0 a^2 / (2 (a^2 + z^2)^(3/2)); just off it the same to second order.
    const long double a = 0.3L, z = 0.2L;
    const long double onAxis = kMu0 * a * a / (2 * std::pow(a * a + z * z, 1.5L));
    EXPECT_NEAR(D(LoopField(a, 0, a, z).axial / onAxis), 1, 1e-18);
    const FieldComponents near = LoopField(a, 1e-6L, a - 1e-6L, z);
    EXPECT_NEAR(D(near.axial / onAxis), 1, 1e-10);
    // Radial: -rho/2 dBz/dz on the axis.
    const long double dBz = -3 * kMu0 * a * a * z / (2 * std::pow(a * a + z * z, 2.5L));
    EXPECT_NEAR(D(near.radial / (-1e-6L / 2 * dBz)), 1, 1e-8);
}

// On the axis of a uniform thick coil: B = mu0 J / 2 [z ln((R2 + sqrt(R2^2 + z^2)) /
// (R1 + sqrt(R1^2 + z^2)))] between the distances to its faces.
long double ThickCoilAxialField(long double R1, long double R2, long double H, long double N,
                                long double z) {
    auto f = [&](long double d) {
        return d * std::log((R2 + std::sqrt(R2 * R2 + d * d)) / (R1 + std::sqrt(R1 * R1 + d * d)));
    };
    const long double J = N / ((R2 - R1) * H);
    return kMu0 * J / 2 * (f(z + H / 2) - f(z - H / 2));
}

TEST(CoilField, MatchesTheClosedFormOnTheAxis) {
    const Coil coil{0.01L, 0.02L, 0.03L, 0, 229.18312L};
    for (long double z : {0.0L, 0.005L, 0.015L, 0.03L, -0.1L}) {
        const long double expected = ThickCoilAxialField(0.01L, 0.02L, 0.03L, 229.18312L, z);
        const FieldComponents b = CoilField(coil, 0, z, 1, 4);
        EXPECT_NEAR(D(b.axial / expected), 1, 1e-12) << D(z);
        EXPECT_EQ(b.radial, 0.0L);
    }
}

TEST(CoilField, ThinHelmholtzPairAtItsCentre) {
    // Loops of radius R spaced by R: B0 = (4/5)^(3/2) mu0 N I / R. Thin windings 2e-4 R square.
    const long double R = 0.5L, e = 1e-4L * R;
    const RefinedField b = PairField(R - e, R + e, 2 * e, R - 2 * e, 100, 0, 0, 2);
    EXPECT_NEAR(D(b.axial.value / (std::pow(0.8L, 1.5L) * kMu0 * 100 * 2 / R)), 1, 1e-8);
}

// Inside the winding the integrand is singular; split at the point, the rule has converged to
// rounding already at its coarser level, and finer levels agree.
TEST(CoilField, ConvergesAtAPointInsideTheWinding) {
    const Coil coil{0.01L, 0.02L, 0.03L, -0.02L, 229.18312L};
    const FieldComponents l3 = CoilField(coil, 0.015L, 0.02L - 0.02L, 1, 3);
    const FieldComponents l4 = CoilField(coil, 0.015L, 0.0L, 1, 4);
    const FieldComponents l5 = CoilField(coil, 0.015L, 0.0L, 1, 5);
    for (const FieldComponents& coarser : {l3, l4}) {
        EXPECT_NEAR(D(coarser.axial / l5.axial), 1, 1e-12);
        EXPECT_NEAR(D(coarser.radial / l5.radial), 1, 1e-12);
    }
}

// Brooks's coil (R1 = c, R2 = 2c, H = c): L = 1.6994e-6 a N^2 H for the mean radius a in metres.
TEST(SelfInductance, BrooksCoil) {
    for (long double c : {0.01L, 0.1L}) {
        const Refined L = SelfInductance(c, 2 * c, c, 100);
        EXPECT_NEAR(D(L.value / (1.6994e-6L * 1.5L * c * 100 * 100)), 1, 3e-5) << D(c);
        EXPECT_LT(D(L.change / L.value), 1e-9);
    }
}

// A thin current sheet of radius 1 m and length 2 m with one turn: L / mu0 = 1.08137 m.
TEST(SelfInductance, ThinCurrentSheet) {
    const Refined L = SelfInductance(1 - 5e-8L, 1 + 5e-8L, 2, 1);
    EXPECT_NEAR(D(L.value / kMu0), 1.08137, 0.5e-5);
    EXPECT_LT(D(L.change / L.value), 1e-6);
}

TEST(MutualInductance, DerivativeMatchesADifferenceQuotient) {
    const long double h = 0.01L, step = 1e-6L;
    const MutualResult at = MutualInductance(0.01L, 0.02L, 0.03L, h, 229.18312L);
    const long double up = MutualInductance(0.01L, 0.02L, 0.03L, h + step, 229.18312L).mutual.value;
    const long double down =
        MutualInductance(0.01L, 0.02L, 0.03L, h - step, 229.18312L).mutual.value;
    EXPECT_NEAR(D(at.derivative.value / ((up - down) / (2 * step))), 1, 1e-6);
    EXPECT_LT(at.derivative.value, 0);  // the mutual inductance falls as the coils part
    EXPECT_LT(D(at.mutual.change / at.mutual.value), 1e-9);
}

// Thin coils far apart compared with their size act as loops.
TEST(MutualInductance, ThinCoilsApproachTheirFilaments) {
    const long double e = 1e-5L;
    const MutualResult m = MutualInductance(1 - e, 1 + e, 2 * e, 1 - 2 * e, 1);
    EXPECT_NEAR(D(m.mutual.value / LoopMutualInductance(1, 1, 0, 1)), 1, 1e-8);
}

// Loops far apart act as coaxial dipoles: M -> mu0 pi a^2 b^2 / (2 d^3), dM/dd -> -3 M / d, with
// corrections of relative size (a^2 + b^2) / d^2. Maxwell's form gives a negative M here.
TEST(Filament, FarLoopsApproachTheDipoleLimit) {
    const long double a = 0.01L, b = 0.02L;
    for (long double d : {1e3L, 1e6L, 1e9L}) {
        const long double dipole =
            kMu0 * std::numbers::pi_v<long double> * a * a * b * b / (2 * d * d * d);
        const double tolerance = D(10 * (a * a + b * b) / (d * d)) + 1e-15;
        const long double M = LoopMutualInductance(a, b, a - b, d);
        EXPECT_NEAR(D(M / dipole), 1, tolerance) << D(d);
        EXPECT_NEAR(D(LoopMutualDerivative(a, b, a - b, d) / (-3 * dipole / d)), 1, tolerance)
            << D(d);
    }
}

// Where Maxwell's form still keeps its digits (16 / k^4 = 178 at k^2 = 0.3), the series agrees
// with it; on either side of the switch the derivative matches a difference quotient, which it
// would not if the two forms stepped apart there.
TEST(Filament, SeriesAgreesWithMaxwellsFormAndJoinsItAtTheSwitch) {
    const long double a = 1, b = 1;
    const long double k2 = 0.3L, d = std::sqrt(4 / k2 - 4);  // k^2 = 4 / (4 + d^2)
    const long double k = std::sqrt(k2);
    const CompleteElliptic ke = EllipticKE(k2, std::sqrt(1 - k2));
    const long double maxwell = kMu0 * ((2 / k - k) * ke.K - 2 / k * ke.E);
    EXPECT_NEAR(D(LoopMutualInductance(a, b, 0, d) / maxwell), 1, 1e-15);

    const long double atSwitch = std::sqrt(4 / kSeriesBelow - 4);
    for (long double x : {atSwitch, 0.999L * atSwitch, 1.001L * atSwitch, 0.5L, 4.0L}) {
        const long double step = 1e-6L * x;
        const long double quotient =
            (LoopMutualInductance(a, b, 0, x + step) - LoopMutualInductance(a, b, 0, x - step)) /
            (2 * step);
        EXPECT_NEAR(D(quotient / LoopMutualDerivative(a, b, 0, x)), 1, 1e-9) << D(x);
    }
}

// Windings far apart: the product of their moments, M -> mu0 m1 m2 / (2 pi s^3) for the centre
// distance s, with m = N pi (R1^2 + R1 R2 + R2^2) / 3 per ampere for a uniform winding.
TEST(MutualInductance, FarCoilsApproachTheProductOfTheirMoments) {
    const long double R1 = 0.01L, R2 = 0.02L, H = 0.03L, N = 229.18312L;
    const long double m = N * std::numbers::pi_v<long double> * (R1 * R1 + R1 * R2 + R2 * R2) / 3;
    for (long double h : {1e4L, 1e6L}) {
        const long double s = H + h;
        const long double dipole = kMu0 * m * m / (2 * std::numbers::pi_v<long double> * s * s * s);
        const MutualResult r = MutualInductance(R1, R2, H, h, N);
        EXPECT_NEAR(D(r.mutual.value / dipole), 1, 1e-9) << D(h);
        EXPECT_NEAR(D(r.derivative.value / (-3 * dipole / s)), 1, 1e-9) << D(h);
        EXPECT_LT(D(r.mutual.change / r.mutual.value), 1e-12) << D(h);
        EXPECT_LT(D(r.derivative.change / -r.derivative.value), 1e-12) << D(h);
    }
}

// The derivative changes its sum where the gap reaches the coil height; it must not jump there.
TEST(MutualInductance, DerivativeIsContinuousWhereItsFormChanges) {
    const long double H = 0.03L;
    const MutualResult below = MutualInductance(0.01L, 0.02L, H, H * (1 - 1e-12L), 229.18312L);
    const MutualResult at = MutualInductance(0.01L, 0.02L, H, H, 229.18312L);
    EXPECT_NEAR(D(below.derivative.value / at.derivative.value), 1, 1e-10);
}

// The refinement's change is an honest error estimate: where the coarser rule has not yet
// converged it is not zero, and it covers the returned value's distance from a much finer rule.
TEST(SelfInductance, RefinementChangeCoversTheError) {
    struct Case {
        long double R1, R2, H;
    };
    for (const Case& c : {Case{1 - 5e-8L, 1 + 5e-8L, 2}, Case{0.01L, 0.02L, 0.01L}}) {
        const Refined coarse = SelfInductance(c.R1, c.R2, c.H, 1, 1);
        const Refined reference = SelfInductance(c.R1, c.R2, c.H, 1, 4);
        EXPECT_GT(D(coarse.change), 0) << D(c.H);
        EXPECT_LE(D(std::fabs(coarse.value - reference.value)), D(coarse.change)) << D(c.H);
        EXPECT_LT(D(coarse.change / coarse.value), 1e-2) << D(c.H);
    }
}

TEST(Angle, DegreesWithPiItselfAndTheClassicConventions) {
    struct Case {
        long double radial, axial, degrees;
    };
    const Case cases[] = {{1, 1, 45},  {1, -1, 135},       {-1, -1, -135}, {-1, 1, -45},
                          {1, 0, 90},  {-1, 0, -90},       {0, 1, 0},      {0, -1, -180},
                          {0, 0, 360}, {0, -1e-300L, -180}};
    for (const Case& c : cases)
        EXPECT_NEAR(D(AngleDegrees(c.radial, c.axial)), D(c.degrees), 1e-15)
            << D(c.radial) << ", " << D(c.axial);
    // Components each uncertain by 1e-6 at 45 degrees: (1e-6 + 1e-6) / 2 radians at worst.
    const RefinedField f{{1, 1e-6L}, {1, 1e-6L}};
    EXPECT_NEAR(D(AngleError(f)), 1e-6 * 180 / M_PI, 1e-18);
}

// Far from the pair (5 m from a pair 0.07 m long) its field is a dipole's: at polar angle t from
// the axis Bx : Bz = 3 sin t cos t : 3 cos^2 t - 1, which at (x, z) = (3, +/-4) m is
// +/-1.44 : 0.92. Bx points away from the axis above the mid-plane and towards it below.
TEST(PairField, SignOfBxAndAngleOffTheAxis) {
    for (long double z : {4.0L, -4.0L}) {
        const RefinedField f = PairField(0.01L, 0.02L, 0.03L, 0.01L, 229.18312L, 3, z, 1);
        const long double sign = z > 0 ? 1 : -1;
        EXPECT_GT(D(sign * f.radial.value), 0) << D(z);
        EXPECT_GT(D(f.axial.value), 0) << D(z);
        EXPECT_NEAR(D(f.radial.value / f.axial.value), D(sign * 1.44L / 0.92L), 1e-3) << D(z);
        const long double expected = std::atan2(sign * 1.44L, 0.92L) * 180 / M_PI;
        EXPECT_NEAR(D(AngleDegrees(f.radial.value, f.axial.value)), D(expected), 0.02) << D(z);
    }
}

}  // namespace
}  // namespace varnel::exact
