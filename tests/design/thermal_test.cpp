// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include <gtest/gtest.h>

#include "design/thermal.h"

namespace {

using namespace varnel::design;

ThermalInput Coil(bool currentSource, long double source, long double h) {
    ThermalInput in;
    in.resistance20 = 2;
    in.alpha = 0.00393L;
    in.ambient = 20;
    in.heatTransfer = h;
    in.area = 0.05L;
    in.currentSource = currentSource;
    in.source = source;
    return in;
}

TEST(Thermal, NoHeatTransferIsRunawayNotANumber) {
    EXPECT_TRUE(SteadyState(Coil(false, 12, 0)).runaway);
    EXPECT_TRUE(SteadyState(Coil(true, 6, 0)).runaway);
}

// g dT = I^2 R20 (1 + a dT) at 20 C: dT = I^2 R20 / (g - I^2 R20 a).
TEST(Thermal, CurrentSourceFollowsTheLinearBalance) {
    const ThermalState s = SteadyState(Coil(true, 3, 12));
    const long double g = 12 * 0.05L, p = 9 * 2.0L;
    EXPECT_FALSE(s.runaway);
    EXPECT_NEAR(s.rise, p / (g - p * 0.00393L), 1e-9L);
    EXPECT_NEAR(s.power, g * s.rise, 1e-9L);
    // Past g = I^2 R20 a there is no steady state.
    EXPECT_TRUE(SteadyState(Coil(true, std::sqrt(g / (2 * 0.00393L)) * 1.01L, 12)).runaway);
}

// The same cold power, 72 W: the voltage source's power falls as the winding warms, the
// current source's rises, so the voltage-fed coil settles cooler.
TEST(Thermal, VoltageSourceRunsCoolerThanTheCurrentOfTheSameColdPower) {
    const ThermalState voltage = SteadyState(Coil(false, 12, 12));
    const ThermalState current = SteadyState(Coil(true, 6, 12));
    ASSERT_FALSE(voltage.runaway);
    ASSERT_FALSE(current.runaway);
    EXPECT_LT(voltage.rise, current.rise);
    EXPECT_LT(voltage.power, 72);
    EXPECT_GT(current.power, 72);
    // Both balance: power in equals heat out.
    EXPECT_NEAR(voltage.power, 12 * 0.05L * voltage.rise, 1e-9L);
    EXPECT_NEAR(voltage.resistance, 2 * (1 + 0.00393L * voltage.rise), 1e-12L);
}

// A reactance lowers the current; the balance still holds at the first steady state.
TEST(Thermal, AlternatingSupplyBalancesWithTheImpedance) {
    ThermalInput in = Coil(false, 12, 12);
    in.reactance = 3;
    const ThermalState s = SteadyState(in);
    ASSERT_FALSE(s.runaway);
    EXPECT_NEAR(s.current, 12 / std::hypot(s.resistance, 3.0L), 1e-12L);
    EXPECT_NEAR(s.power, 12 * 0.05L * s.rise, 1e-9L);
}

// Two coils: outside 2 pi R2 H, inside 2 pi R1 H, two ends pi (R2^2 - R1^2) each.
TEST(Thermal, ExposedAreaCountsEverySurfaceOfBothCoils) {
    const long double pi = 3.141592653589793238462643383279502884L;
    EXPECT_NEAR(ExposedArea(0.01L, 0.02L, 0.03L),
                2 * (2 * pi * 0.02L * 0.03L + 2 * pi * 0.01L * 0.03L + 2 * pi * (4e-4L - 1e-4L)),
                1e-15L);
}

}  // namespace
