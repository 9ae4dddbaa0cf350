#include "accuracy/exact_coils.h"

#include <cmath>

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

}  // namespace
}  // namespace varnel::exact
