// SPDX-License-Identifier: GPL-3.0-or-later
// Bulirsch's cel against the complete integrals it generalises, taken by the arithmetic-geometric
// mean in extended precision: cel(kc, 1, 1, 1) = K(k) and cel(kc, 1, 1, kc^2) = E(k); and the
// third kind where it has a closed form.
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

}  // namespace
}  // namespace varnel::exact
