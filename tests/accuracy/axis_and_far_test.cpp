// SPDX-License-Identifier: GPL-3.0-or-later
// The filament formulas at the ends of the number range: a point as near the axis as a number
// can be, and loops further apart than any square of their distance can be held.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "accuracy/filament.h"

namespace varnel::exact {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

// Near the axis Br = -rho/2 B'(z) + rho^3/16 B'''(z) + O(rho^5), with the on-axis field
// B = C s^(-3/2), s = a^2 + z^2, C = mu0 a^2 / 2:
// B' = -3 C z s^(-5/2), B''' = 45 C z s^(-7/2) - 105 C z^3 s^(-9/2).
long double RadialNearAxis(long double a, long double rho, long double z) {
    const long double s = a * a + z * z, C = kMu0 * a * a / 2;
    const long double B1 = -3 * C * z * std::pow(s, -2.5L);
    const long double B3 =
        45 * C * z * std::pow(s, -3.5L) - 105 * C * z * z * z * std::pow(s, -4.5L);
    return -rho / 2 * B1 + rho * rho * rho / 16 * B3;
}

// Br / rho tends to 3 mu0 a^2 z / (4 s^(5/2)) however small rho is: the closed form's
// dz / rho overflowed below about 1e-4932 and gave NaN.
TEST(FilamentNearAxis, RadialFieldIsContinuousDownToTheSmallestNumber) {
    const long double a = 0.015L, z = 0.02L;
    const long double slope = 3 * kMu0 * a * a * z / (4 * std::pow(a * a + z * z, 2.5L));
    for (long double rho : {3.6e-4951L, 1e-4940L, 1e-4000L, 1e-300L, 1e-12L}) {
        const FieldComponents b = LoopField(a, rho, a - rho, z);
        ASSERT_TRUE(std::isfinite(b.radial)) << D(rho);
        if (rho >= 1e-4000L)
            EXPECT_NEAR(D(b.radial / rho / slope), 1, 1e-15) << D(rho);
        else
            EXPECT_GE(b.radial, 0);  // a denormal's product, of few digits
    }
}

// Either side of where the expansion takes over, both forms agree with the two-term
// expansion to about 1e-13, as the switch is placed (its next term is about (rho^2/s)^2).
TEST(FilamentNearAxis, ClosedFormAndExpansionMeetAtTheSwitch) {
    const long double a = 0.03L, z = -0.01L;
    const long double distance = std::sqrt(a * a + z * z);
    for (long double share : {0.9L, 1.1L, 1.5L}) {
        const long double rho = share * kNearAxis * distance;
        const FieldComponents b = LoopField(a, rho, a - rho, z);
        EXPECT_NEAR(D(b.radial / RadialNearAxis(a, rho, z)), 1, 2e-13) << D(share);
    }
}

// Loops d apart, far beyond their radii: M = mu0 pi a^2 b^2 / (2 d^3), dM/dd = -3 M / d, to a
// relative (a^2 + b^2) / d^2. At d = 1e1000 the old form's r^5 passed the largest number and
// gave a derivative of 0; at 1e1500 the derivative (about 1e-6000) is beyond the range and 0 is
// the nearest value, while M (about 1e-4500) is not.
TEST(FilamentFarApart, DipoleLimitsWhereThePowersOverflow) {
    const long double a = 0.01L, b = 0.02L, pi = std::numbers::pi_v<long double>;
    for (long double d : {1e10L, 1e1000L, 1e1500L}) {
        // (ab/d)^2 / d and / d^2, formed so that they stay in range.
        const long double M = kMu0 * pi * (a * b / d) * (a * b / d) / (2 * d);
        EXPECT_NEAR(D(LoopMutualInductance(a, b, b - a, d) / M), 1, 1e-15) << D(std::log10(d));
        const long double dM = -3 * kMu0 * pi * (a * b / d) * (a * b / d) / (2 * d * d);
        if (dM != 0) {
            EXPECT_NEAR(D(LoopMutualDerivative(a, b, b - a, d) / dM), 1, 1e-15) << D(std::log10(d));
        } else {
            EXPECT_EQ(LoopMutualDerivative(a, b, b - a, d), 0);
        }
    }
}

}  // namespace
}  // namespace varnel::exact
