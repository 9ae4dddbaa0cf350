// SPDX-License-Identifier: GPL-3.0-or-later
// The tabulated field sum against the element-by-element sum it replaced: every bit of both
// coils' radial and axial sums, and of the pair's Bx and Bz, over random shapes and points
// (inside and outside the windings, on the axis, in the gap, far away, negative x too).
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "engine/field.h"
#include "reference_field_sum.h"

namespace varnel {
namespace {

constexpr int kShapesPerBlock = 5;
constexpr int kBlocks = 12;           // 60 shapes in all
constexpr int kPointsPerShape = 170;  // 10,200 points in all

// Equal bits, not merely equal values: -0 against +0 or two NaNs would show here.
bool SameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;
}

CalcRecord RandomShape(std::mt19937_64& random) {
    // Radii from a millimetre to a metre, thin to thick, flat to long, touching to far apart:
    // logarithmic draws so that every proportion is met.
    auto logUniform = [&random](long double low, long double high) {
        std::uniform_real_distribution<double> u(0, 1);
        return low * std::pow(high / low, static_cast<long double>(u(random)));
    };
    CalcRecord rec;
    rec.R1 = logUniform(1e-3L, 1);
    rec.R2 = rec.R1 + logUniform(1e-5L, 1);
    rec.H = logUniform(1e-4L, 2);
    rec.hh = std::uniform_int_distribution<int>(0, 4)(random) == 0 ? 0 : logUniform(1e-5L, 1);
    rec.N = logUniform(1, 1e5L);
    return rec;
}

// A point near the pair: up to twice the outer radius off the axis (either side) and a little
// beyond the pair's ends, with some points placed on the axis, in the mid-plane, far away or
// on a sample ring's radius.
void RandomPoint(std::mt19937_64& random, const CalcRecord& rec, long double& x, long double& z) {
    std::uniform_real_distribution<double> u(-1, 1);
    const long double reach = rec.H + rec.hh / 2;
    x = 2 * rec.R2 * static_cast<long double>(u(random));
    z = 1.5L * reach * static_cast<long double>(u(random));
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0:
            x = 0;
            break;
        case 1:
            z = 0;
            break;
        case 2:
            x *= 1e3L;
            z *= 1e3L;
            break;
        case 3:
            x = (7 + 0.5L) * (rec.R2 - rec.R1) / 25 + rec.R1;
            break;  // on ring 7
        default:
            break;
    }
}

class TabulatedFieldSum : public testing::TestWithParam<int> {};

TEST_P(TabulatedFieldSum, EqualsTheElementByElementSumBitForBit) {
    std::mt19937_64 random(0x5eed + static_cast<unsigned>(GetParam()));
    for (int s = 0; s < kShapesPerBlock; ++s) {
        const CalcRecord rec = RandomShape(random);
        for (int p = 0; p < kPointsPerShape; ++p) {
            long double x, z;
            RandomPoint(random, rec, x, z);
            const PairSums fast = PairFieldSums(rec, x, z);
            const PairSums old = reference::PairFieldSums(rec, x, z);
            ASSERT_TRUE(SameBits(fast.lower.radial, old.lower.radial) &&
                        SameBits(fast.lower.axial, old.lower.axial) &&
                        SameBits(fast.upper.radial, old.upper.radial) &&
                        SameBits(fast.upper.axial, old.upper.axial))
                << "R1 " << static_cast<double>(rec.R1) << " R2 " << static_cast<double>(rec.R2)
                << " H " << static_cast<double>(rec.H) << " h " << static_cast<double>(rec.hh)
                << " at x " << static_cast<double>(x) << " z " << static_cast<double>(z);
            const long double current = 1.5L - p % 3;  // 1.5, 0.5, -0.5 A
            EXPECT_TRUE(SameBits(PairRadialFromSums(rec, fast, current),
                                 PairRadialFromSums(rec, old, current)));
            EXPECT_TRUE(SameBits(PairAxialFromSums(rec, fast, current),
                                 PairAxialFromSums(rec, old, current)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SixtyShapesInTwelveBlocks, TabulatedFieldSum, testing::Range(0, kBlocks));

// The one-component routines use the same tabulated pass; they must equal the reference's
// components too, for every current, in the pair and for one coil.
TEST(TabulatedFieldSum, OneComponentRoutinesEqualTheReference) {
    CalcRecord rec;
    rec.R1 = 0.013L;
    rec.R2 = 0.041L;
    rec.H = 0.027L;
    rec.hh = 0.006L;
    rec.N = 517.25L;
    const long double points[][2] = {{0, 0}, {0.02L, 0.017L}, {0.05L, -0.03L}, {0, -0.4L}};
    for (const auto& p : points) {
        const CoilSums one = reference::CoilFieldSums(rec, p[0], p[1]);
        EXPECT_TRUE(SameBits(FieldRadialOne(rec, p[0], p[1], -2.5L),
                             CoilFieldFromSum(rec, one.radial, -2.5L)));
        EXPECT_TRUE(SameBits(FieldAxialOne(rec, p[0], p[1], -2.5L),
                             CoilFieldFromSum(rec, one.axial, -2.5L)));
        const PairSums pair = reference::PairFieldSums(rec, p[0], p[1]);
        EXPECT_TRUE(
            SameBits(FieldRadial(rec, p[0], p[1], 0.75L), PairRadialFromSums(rec, pair, 0.75L)));
        EXPECT_TRUE(
            SameBits(FieldAxial(rec, p[0], p[1], 0.75L), PairAxialFromSums(rec, pair, 0.75L)));
    }
}

}  // namespace
}  // namespace varnel
