// SPDX-License-Identifier: GPL-3.0-or-later
// The mutual inductance of two loops switches from Maxwell's form to the hypergeometric series
// where Maxwell's form starts to lose digits (k^2 below kSeriesBelow). Both sides of the switch
// are held against Neumann's integral taken independently: M = mu0 a b int_0^pi cos(phi) / R dphi,
// R^2 = a^2 + b^2 + d^2 - 2 a b cos(phi). Since cos(phi) integrates to 0, 1/R may be replaced by
// 1/R - 1/R0 with R0^2 = a^2 + b^2 + d^2, which is 2 a b cos(phi) / (R R0 (R + R0)): then every
// term is positive and nothing cancels, however far apart the loops. The integrand is smooth
// and periodic, so the trapezoid rule converges exponentially.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "accuracy/filament.h"

namespace varnel::exact {
namespace {

long double Neumann(long double a, long double b, long double d) {
    constexpr int kSteps = 4096;
    const long double h = std::numbers::pi_v<long double> / kSteps;
    const long double r0 = std::sqrt(a * a + b * b + d * d);
    long double sum = 0;
    for (int i = 0; i <= kSteps; ++i) {
        const long double c = std::cos(i * h);
        const long double r = std::sqrt(a * a + b * b + d * d - 2 * a * b * c);
        const long double term = 2 * a * b * c * c / (r * r0 * (r + r0));
        sum += (i == 0 || i == kSteps) ? term / 2 : term;
    }
    return kMu0 * a * b * sum * h;
}

// The distance at which loops of radii a and b have the given k^2 = 4ab / ((a + b)^2 + d^2).
long double DistanceFor(long double a, long double b, long double k2) {
    return std::sqrt(4 * a * b / k2 - (a + b) * (a + b));
}

double Relative(long double value, long double reference) {
    return static_cast<double>(std::fabs(value / reference - 1));
}

// Just above and just below the switch both forms keep all but a few digits, so the switch
// costs nothing; the value returned on either side is the one form or the other.
TEST(SeriesSwitch, BothFormsKeepTheirDigitsOnEitherSide) {
    const long double a = 0.02L, b = 0.013L;  // unequal radii, so a swap would show
    for (long double k2 : {kSeriesBelow * 0.98L, kSeriesBelow * 1.02L}) {
        const long double d = DistanceFor(a, b, k2);
        const long double reference = Neumann(a, b, d);
        EXPECT_LT(Relative(LoopMutualByMaxwell(a, b, a - b, d), reference), 2e-16) << double(k2);
        EXPECT_LT(Relative(LoopMutualBySeries(a, b, a - b, d), reference), 2e-16) << double(k2);
        const long double chosen = LoopMutualInductance(a, b, a - b, d);
        EXPECT_EQ(chosen, k2 < kSeriesBelow ? LoopMutualBySeries(a, b, a - b, d)
                                            : LoopMutualByMaxwell(a, b, a - b, d));
    }
}

// Far below the switch Maxwell's form has lost digits (about 16 / k^4 roundings, 1.6e9 of them
// at k^2 = 1e-4) while the series keeps them: the reason for the switch.
TEST(SeriesSwitch, FarBelowItOnlyTheSeriesKeepsItsDigits) {
    const long double a = 0.02L, b = 0.013L;
    const long double d = DistanceFor(a, b, 1e-4L);
    const long double reference = Neumann(a, b, d);
    EXPECT_LT(Relative(LoopMutualInductance(a, b, a - b, d), reference), 1e-14);
    EXPECT_GT(Relative(LoopMutualByMaxwell(a, b, a - b, d), reference), 1e-13);
}

// The inductance sums take M and dM/dd from one evaluation; each must be bit for bit what its
// own routine gives, on both sides of the switch.
TEST(SeriesSwitch, SharedEvaluationEqualsTheSeparateRoutines) {
    const long double a = 0.031L, b = 0.017L;
    for (long double k2 : {0.9L, 0.3L, kSeriesBelow * 1.001L, kSeriesBelow * 0.999L, 1e-3L}) {
        const long double d = DistanceFor(a, b, k2);
        const LoopMutualValues both = LoopMutualAndDerivative(a, b, a - b, d);
        EXPECT_EQ(both.mutual, LoopMutualInductance(a, b, a - b, d)) << double(k2);
        EXPECT_EQ(both.derivative, LoopMutualDerivative(a, b, a - b, d)) << double(k2);
    }
}

}  // namespace
}  // namespace varnel::exact
