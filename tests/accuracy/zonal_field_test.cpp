// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "accuracy/exact_coils.h"
#include "accuracy/filament.h"
#include "accuracy/zonal_field.h"

namespace {

using namespace varnel::exact;

constexpr long double kMu0 = 4e-7L * 3.141592653589793238462643383279502884L;

struct Case {
    const char* name;
    PairGeometry g;
};

const Case kPairs[] = {
    {"square section, wide gap", {0.04L, 0.06L, 0.03L, 0.02L, 500}},
    {"thin gap, thick winding", {0.02L, 0.08L, 0.05L, 0.002L, 3000}},
    {"flat discs", {0.03L, 0.09L, 0.005L, 0.04L, 120}},
    {"long coils", {0.01L, 0.012L, 0.2L, 0.01L, 900}},
};

// The model against the high-accuracy integrals: on the axis by the closed form and off it
// by the expansion, at points inside its reach.
TEST(ZonalField, AgreesWithTheAccuracyLibraryWithinOnePartPerMillion) {
    for (const Case& c : kPairs) {
        const PairGeometry& g = c.g;
        const CentreExpansion e(g, 1.5L, 40);
        const long double b0 =
            varnel::exact::PairField(g.R1, g.R2, g.H, g.h, g.N, 0, 0, 1.5L).axial.value;
        EXPECT_NEAR(AxialFieldOnAxis(g, 0, 1.5L) / b0, 1, 1e-6L) << c.name;
        EXPECT_NEAR(e.B0() / b0, 1, 1e-6L) << c.name;
        const long double reach = e.Reach();
        for (const auto& [fx, fz] :
             {std::pair{0.0L, 0.3L}, {0.3L, 0.0L}, {0.2L, 0.25L}, {0.35L, 0.1L}}) {
            const long double rho = fx * reach, z = fz * reach;
            const auto exact = varnel::exact::PairField(g.R1, g.R2, g.H, g.h, g.N, rho, z, 1.5L);
            const auto fast = e.At(rho, z);
            EXPECT_NEAR(fast.axial / b0, exact.axial.value / b0, 1e-6L) << c.name;
            EXPECT_NEAR(fast.radial / b0, exact.radial.value / b0, 1e-6L) << c.name;
        }
        // The closed form holds beyond the expansion's reach, outside the coils too.
        for (long double z : {0.5L * reach, g.h / 2 + g.H / 2, 2 * (g.h + g.H)}) {
            const auto exact = varnel::exact::PairField(g.R1, g.R2, g.H, g.h, g.N, 0, z, 1.5L);
            EXPECT_NEAR(AxialFieldOnAxis(g, z, 1.5L) / exact.axial.value, 1, 1e-6L) << c.name;
        }
    }
}

// Two thin loops of radius R a distance R apart: B0 = (4/5)^(3/2) mu0 N I / R.
TEST(ZonalField, ThinHelmholtzPairGivesTheTextbookCentreField) {
    const long double R = 0.1L, t = 1e-5L;
    const PairGeometry g{R - t / 2, R + t / 2, t, R - t, 100};
    const long double expected = std::pow(0.8L, 1.5L) * kMu0 * 100 * 2 / R;
    EXPECT_NEAR(AxialFieldOnAxis(g, 0, 2) / expected, 1, 1e-8L);
}

TEST(ZonalField, SphereDeviationBoundsTheSurfaceField) {
    const PairGeometry g{0.04L, 0.06L, 0.03L, 0.02L, 500};
    const CentreExpansion e(g, 1, 24);
    const long double r = 0.008L;
    const SphereDeviation d = DeviationOnSphere(e, r);
    EXPECT_LT(d.tail, 1e-6L);
    for (long double theta : {0.0L, 0.5L, 1.0L, 1.5707963267948966L}) {
        const auto f = varnel::exact::PairField(g.R1, g.R2, g.H, g.h, g.N, r * std::sin(theta),
                                                r * std::cos(theta), 1);
        const long double dev = std::fabs(std::hypot(f.radial.value, f.axial.value) / e.B0() - 1);
        EXPECT_LE(dev, d.deviation * (1 + 1e-4L) + 1e-9L);
    }
}

// The expansion of loops where they lie, against the exact loop field summed over them: an
// unequal pair (three loops above, two below, at other radii) so the odd terms count too.
TEST(ZonalField, LoopExpansionMatchesTheExactLoopField) {
    const std::vector<Loop> loops = {{0.040L, 0.012L},
                                     {0.041L, 0.013L},
                                     {0.043L, 0.0125L},
                                     {0.040L, -0.012L},
                                     {0.042L, -0.0135L}};
    const CentreExpansion e(loops, 2, 40);
    EXPECT_FALSE(e.Even());
    auto exact = [&](long double rho, long double z) {
        long double br = 0, bz = 0;
        for (const Loop& l : loops) {
            const auto f = varnel::exact::LoopField(l.radius, rho, l.radius - rho, z - l.z);
            br += 2 * f.radial;
            bz += 2 * f.axial;
        }
        return std::array<long double, 2>{br, bz};
    };
    EXPECT_NEAR(e.B0() / exact(0, 0)[1], 1, 1e-15L);
    EXPECT_NEAR(AxialFieldOfLoops(loops, 0.004L, 2) / exact(0, 0.004L)[1], 1, 1e-15L);
    // Well inside the reach (about 41.8 mm), 40 terms leave less than (0.2)^40 of the field.
    for (const auto& [rho, z] : std::vector<std::array<long double, 2>>{
             {0.0L, 0.006L}, {0.006L, 0.0L}, {0.004L, -0.005L}, {0.005L, 0.004L}}) {
        const auto f = e.At(rho, z);
        const auto x = exact(rho, z);
        EXPECT_NEAR(f.axial / x[1], 1, 1e-13L) << rho << " " << z;
        if (rho > 0) {
            EXPECT_NEAR(f.radial, x[0], 1e-13L * std::fabs(x[1])) << rho << " " << z;
        }
    }
    // The odd terms show: the field is not even in z.
    EXPECT_GT(std::fabs(e.At(0, 0.006L).axial - e.At(0, -0.006L).axial), 1e-8L * e.B0());
}

}  // namespace
