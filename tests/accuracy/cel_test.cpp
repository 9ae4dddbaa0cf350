// SPDX-License-Identifier: GPL-3.0-or-later
// Bulirsch's cel against the complete integrals it generalises, taken by the arithmetic-geometric
// mean in extended precision: cel(kc, 1, 1, 1) = K(k) and cel(kc, 1, 1, kc^2) = E(k); and the
// third kind where it has a closed form.
#include <array>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "accuracy/elliptic.h"

namespace varnel::exact {
namespace {

TEST(Cel, KAndEAgreeWithTheArithmeticGeometricMean) {
    for (double k2 : {0.0, 1e-6, 0.3, 0.5, 0.9, 0.999999}) {
        const double kc = std::sqrt(1 - k2);
        const CompleteElliptic ke = EllipticKE(k2, std::sqrt(1 - static_cast<long double>(k2)));
        EXPECT_NEAR(Cel(kc, 1, 1, 1) / static_cast<double>(ke.K), 1, 1e-15) << k2;
        EXPECT_NEAR(Cel(kc, 1, 1, kc * kc) / static_cast<double>(ke.E), 1, 1e-15) << k2;
    }
}

TEST(Cel, ThirdKindAtUnitComplementaryModulus) {
    // kc = 1: int_0^pi/2 dt / (cos^2 t + p sin^2 t) = pi / (2 sqrt(p)) for p > 0.
    EXPECT_NEAR(Cel(1, 4, 1, 1), std::numbers::pi / 4, 1e-15);
    EXPECT_NEAR(Cel(1, 0.25, 1, 1), std::numbers::pi, 1e-15);
}

TEST(Cel, PairOfOneModulusEqualsTwoSingleCalls) {
    for (double kc : {1e-8, 0.01, 0.37, 0.99}) {
        const auto pair = CelPair(kc, 1, 1, -1, 0.09, 1, 0.3);
        EXPECT_EQ(pair[0], Cel(kc, 1, 1, -1)) << kc;
        EXPECT_EQ(pair[1], Cel(kc, 0.09, 1, 0.3)) << kc;
    }
}

// The thin solenoid's four moduli at once against Cel one by one, with moduli far apart in one
// call (so that the slower lane's extra steps must leave the faster one's value as it was),
// both signs of gamma, gamma = 0 (the p <= 0 transformation) and a modulus near zero (a point
// on a sheet's end edge), within a few units in the last place of the larger values.
TEST(Cel, SolenoidCelsAgreeWithCelOneByOne) {
    const std::array<double, 4> kc[] = {{0.999, 1e-9, 0.5, 0.02}, {0.3, 0.3, 0.97, 1e-5}};
    const std::array<double, 4> gamma[] = {{0.7, -0.7, 0, -0.001}, {-0.999, 0.5, 1e-8, 0}};
    for (int row = 0; row < 2; ++row) {
        const SolenoidCels cels = SolenoidCelsOf(kc[row], gamma[row]);
        for (std::size_t j = 0; j < 4; ++j) {
            const double k = kc[row][j], g = gamma[row][j];
            const double radial = Cel(k, 1, 1, -1);
            EXPECT_NEAR(cels.radial[j], radial, 2e-15 * std::fabs(radial)) << row << j;
            // Cel takes gamma = 0 through its p <= 0 branch too.
            const double axial = Cel(k, g * g, 1, g);
            EXPECT_NEAR(cels.axial[j], axial, 2e-15 * std::fabs(axial)) << row << j;
        }
    }
}

}  // namespace
}  // namespace varnel::exact
