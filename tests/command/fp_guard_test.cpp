// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/fp_guard.h"

#include <cfenv>
#include <cmath>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "command/errors.h"

namespace varnel {
namespace {

// Operands the optimiser cannot see through, so the arithmetic really runs at run time and
// only the guard's pinning keeps it ahead of the flag test. These tests are built at the
// project's usual optimisation level (-O2).
volatile long double g_huge = std::numeric_limits<long double>::max();
volatile long double g_zero = 0;
volatile long double g_one = 1;
volatile long double g_minusOne = -1;

struct FaultCase {
    const char* why;
    std::function<long double()> compute;
    const char* message;
};

TEST(FloatingPointGuard, EachFaultBecomesItsMessage) {
    const FaultCase cases[] = {
        {"product beyond the range", [] { return g_huge * 2; }, "Floating point overflow"},
        {"one over zero", [] { return g_one / g_zero; }, "Floating point division by zero"},
        {"zero over zero", [] { return g_zero / g_zero; }, "Invalid floating point operation"},
        {"root of a negative", [] { return std::sqrt(g_minusOne); },
         "Invalid floating point operation"},
        {"logarithm of zero", [] { return std::log(g_zero); }, "Floating point division by zero"},
        {"overflow then infinity minus infinity: the overflow is named",
         [] {
             const long double inf = g_huge * 2;
             return inf - inf;
         },
         "Floating point overflow"},
        {"division by zero then zero times infinity: the division is named",
         [] { return (g_one / g_zero) * g_zero; }, "Floating point division by zero"},
    };
    for (const FaultCase& c : cases) {
        ResetFloatingPointEnvironment();
        try {
            const long double v = Checked(c.compute());
            ADD_FAILURE() << c.why << ": no fault, value " << static_cast<double>(v);
        } catch (const ArithmeticError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.why;
        }
        EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0) << c.why << ": flags left raised";
    }
}

TEST(FloatingPointGuard, UnderflowAndInexactPassSilently) {
    ResetFloatingPointEnvironment();
    volatile long double tiny = std::numeric_limits<long double>::min();
    EXPECT_NO_THROW(Checked(tiny * tiny));
    EXPECT_NO_THROW(Checked(g_one / 3));
}

// An inline computation whose result is only pinned, not passed to a call, must still be done
// before the flags are read.
TEST(FloatingPointGuard, PinnedArithmeticIsDoneBeforeTheTest) {
    ResetFloatingPointEnvironment();
    long double a = g_huge;
    long double product = a * a;
    PinValue(product);
    EXPECT_THROW(RaiseFloatingPointFaults(), ArithmeticError);
}

TEST(FloatingPointGuard, FlagsScopeRestoresTheCallersFlags) {
    ResetFloatingPointEnvironment();
    std::feraiseexcept(FE_DIVBYZERO);
    {
        FloatingPointFlagsScope scope;
        EXPECT_FALSE(scope.OverflowOrInvalid());
        long double v = g_huge * 2;
        PinValue(v);
        EXPECT_TRUE(scope.OverflowOrInvalid());
    }
    EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW), 0);
    ResetFloatingPointEnvironment();
}

TEST(FloatingPointGuard, ExtendedPrecisionIsInForce) {
    ResetFloatingPointEnvironment();
    // 1 + 2^-63 is exact only with a 64-bit significand in the arithmetic itself.
    volatile long double step = 0x1p-63L;
    EXPECT_NE(g_one + step, g_one);
}

}  // namespace
}  // namespace varnel
