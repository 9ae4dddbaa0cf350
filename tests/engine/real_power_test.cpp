// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/real_power.h"

#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(RealPower, ZeroBaseGivesOneOnlyForZeroExponent) {
    EXPECT_EQ(RealPower(0, 0), 1.0L);
    EXPECT_EQ(RealPower(0, 2), 0.0L);
    EXPECT_EQ(RealPower(0, -1), 0.0L);  // not an infinity, and no fault
}

TEST(RealPower, PowersOfPositiveAndNegativeBases) {
    struct Case {
        long double x, y, expected;
    };
    const Case cases[] = {
        {-2, 3, 8},  // the sign of the base is dropped
        {2, 10, 1024}, {4, 0.5L, 2},       {2, -1, 0.5L}, {-3, 2, 9}, {0.5L, 13, 1.0L / 8192},
        {10, 3, 1000}, {1.5L, 4, 5.0625L}, {7, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(static_cast<double>(RealPower(c.x, c.y) / c.expected), 1.0, 1e-17)
            << static_cast<double>(c.x) << "^" << static_cast<double>(c.y);
    }
}

TEST(RealPower, ResultsBeyondTheRangeRaiseOverflow) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const long double v = RealPower(1e4000L, 2);
    EXPECT_TRUE(std::isinf(v));
    EXPECT_NE(std::fetestexcept(FE_OVERFLOW), 0);
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(RealPower(1e-4000L, 2), 0.0L);  // underflow passes as zero
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace varnel
