// SPDX-License-Identifier: GPL-3.0-or-later
// The fast exact field (thin solenoids in closed form, added over the radius) against the
// accuracy library's tanh-sinh integrals of the filament field over the whole cross-section:
// within 1e-9 of |B| for both components, over coil shapes from thin to disc and points on the
// axis, in the gap, inside a winding, on a winding's end face, near its corner and far away.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "accuracy/exact_coils.h"
#include "accuracy/flux_function.h"
#include "accuracy/winding_field.h"

namespace varnel::exact {
namespace {

struct Shape {
    const char* name;
    long double R1, R2, H, h, N;
};

// The shapes of README's accuracy table, with unequal turns so no two share a scale.
const Shape kShapes[] = {
    {"defaults", 0.01L, 0.02L, 0.03L, 0.01L, 229.18L}, {"thin", 0.05L, 0.051L, 0.05L, 0.02L, 31.5L},
    {"thick", 0.005L, 0.05L, 0.05L, 0.01L, 4000},      {"short", 0.05L, 0.06L, 0.005L, 0.01L, 77},
    {"long", 0.01L, 0.012L, 0.2L, 0.02L, 1500},        {"disc", 0.02L, 0.2L, 0.01L, 0.05L, 900},
};

// The reference: both coils by the integrals at a fine rule, checked against the next coarser
// rule so that it is known to be good to well below the tolerance.
FieldComponents Reference(const Shape& s, long double rho, long double z, long double I,
                          long double* change) {
    const long double offset = s.H / 2 + s.h / 2;
    auto at = [&](int level) {
        const FieldComponents lower = CoilField({s.R1, s.R2, s.H, -offset, s.N}, rho, z, I, level);
        const FieldComponents upper = CoilField({s.R1, s.R2, s.H, offset, s.N}, rho, z, I, level);
        return FieldComponents{lower.radial + upper.radial, lower.axial + upper.axial};
    };
    const FieldComponents coarse = at(5), fine = at(6);
    *change = std::hypot(fine.radial - coarse.radial, fine.axial - coarse.axial);
    return fine;
}

TEST(WindingField, AgreesWithTheIntegralsWithinOnePartInABillion) {
    const long double I = 1.7L;
    for (const Shape& s : kShapes) {
        const long double offset = s.H / 2 + s.h / 2;
        const long double middle = (s.R1 + s.R2) / 2;
        struct Point {
            const char* where;
            long double x, z;
        };
        const Point points[] = {
            {"centre", 0, 0},
            {"on the axis beyond the upper coil", 0, 2 * offset + s.H},
            {"inside the lower winding", s.R1 + 0.3L * (s.R2 - s.R1), -offset + 0.2L * s.H},
            {"on the upper winding's outer end face", middle, offset + s.H / 2},
            {"just outside the upper winding's outer corner", s.R2 * 1.001L,
             offset + s.H / 2 + 0.001L * s.H},
            {"in the gap's mid-plane under the winding", middle, 0},
            {"inside, 0.15 of the winding's depth below its end face", middle,
             offset + s.H / 2 - 0.15L * (s.R2 - s.R1)},
            {"in the bore", 0.5L * s.R1, 0.25L * offset},
            {"far off", 7 * s.R2, -3 * (offset + s.H)},
            // Where the rule's length is chosen from the nearest singular radius: level with a
            // winding beside it (the sheets pass through the point), just above an end face,
            // and just beside the threshold for the double-exponential rule.
            {"in the bore level with the lower winding's middle", 0.6L * s.R1, -offset},
            {"beside the upper winding, 1e-4 of its depth outside", s.R2 + 1e-4L * (s.R2 - s.R1),
             offset + 0.1L * s.H},
            {"1e-3 of the depth above the upper winding's end face", s.R1 + 0.7L * (s.R2 - s.R1),
             offset + s.H / 2 + 1e-3L * (s.R2 - s.R1)},
            {"0.011 of the depth outside the lower winding's inner corner",
             s.R1 - 0.011L * (s.R2 - s.R1), -offset - s.H / 2},
        };
        for (const Point& p : points) {
            long double change = 0;
            const FieldComponents ref = Reference(s, p.x, p.z, I, &change);
            const long double modulus = std::hypot(ref.radial, ref.axial);
            const std::string where = std::string(s.name) + ", " + p.where;
            ASSERT_LT(static_cast<double>(change / modulus), 1e-10) << where;
            const FastField fast = PairWindingField(
                static_cast<double>(s.R1), static_cast<double>(s.R2), static_cast<double>(s.H),
                static_cast<double>(s.h), static_cast<double>(s.N), static_cast<double>(I),
                static_cast<double>(p.x), static_cast<double>(p.z));
            EXPECT_LT(std::fabs(fast.radial - ref.radial) / modulus, 1e-9) << where;
            EXPECT_LT(std::fabs(fast.axial - ref.axial) / modulus, 1e-9) << where;
        }
    }
}

// The mirror image: a negative x gives the same axial and the opposite radial component, and
// the pair is even in z for Bz and odd for Bx.
TEST(WindingField, MirrorImagesAcrossTheAxisAndTheMidPlane) {
    const FastField p = PairWindingField(0.01, 0.02, 0.03, 0.01, 229, 1, 0.013, 0.017);
    const FastField left = PairWindingField(0.01, 0.02, 0.03, 0.01, 229, 1, -0.013, 0.017);
    const FastField below = PairWindingField(0.01, 0.02, 0.03, 0.01, 229, 1, 0.013, -0.017);
    EXPECT_EQ(left.radial, -p.radial);
    EXPECT_EQ(left.axial, p.axial);
    EXPECT_NEAR(below.radial, -p.radial, 1e-12 * std::fabs(p.axial));
    EXPECT_NEAR(below.axial, p.axial, 1e-12 * std::fabs(p.axial));
    EXPECT_NE(p.radial, 0);
}

// The flux function of the same thin solenoids against the loops' psi integrated over both
// sections by the tanh-sinh rule (flux_function.h), relative to psi itself (positive off the
// axis: both coils carry the current the same way): near the axis, where psi ~ rho^2 comes
// from a difference of two elliptic integrals, inside a winding, on an end face, beside a
// winding level with it and far off.
TEST(WindingFluxFunction, AgreesWithTheLoopsIntegralsWithinOnePartInABillion) {
    const long double I = 0.83L;
    for (const Shape& s : kShapes) {
        const long double offset = s.H / 2 + s.h / 2;
        const long double middle = (s.R1 + s.R2) / 2;
        struct Point {
            const char* where;
            long double x, z;
        };
        const Point points[] = {
            {"next to the axis", 1e-3L * s.R1, 0.1L * offset},
            {"in the bore", 0.5L * s.R1, -0.25L * offset},
            {"inside the upper winding", s.R1 + 0.3L * (s.R2 - s.R1), offset - 0.2L * s.H},
            {"on the lower winding's end face", middle, -offset - s.H / 2},
            {"beside the upper winding, level with it", s.R2 * 1.2L, offset},
            {"far off", 7 * s.R2, -3 * (offset + s.H)},
        };
        for (const Point& p : points) {
            const long double coarse = PairFluxFunction(s.R1, s.R2, s.H, s.h, s.N, p.x, p.z, I, 5);
            const long double fine = PairFluxFunction(s.R1, s.R2, s.H, s.h, s.N, p.x, p.z, I, 6);
            const std::string where = std::string(s.name) + ", " + p.where;
            ASSERT_LT(static_cast<double>(std::fabs(fine - coarse) / fine), 1e-11) << where;
            const double fast = PairWindingFluxFunction(
                static_cast<double>(s.R1), static_cast<double>(s.R2), static_cast<double>(s.H),
                static_cast<double>(s.h), static_cast<double>(s.N), static_cast<double>(I),
                static_cast<double>(p.x), static_cast<double>(p.z));
            EXPECT_LT(std::fabs(fast - static_cast<double>(fine)) / static_cast<double>(fine), 1e-9)
                << where;
        }
    }
}

TEST(WindingFluxFunction, ZeroOnTheAxisAndEvenInX) {
    EXPECT_EQ(PairWindingFluxFunction(0.01, 0.02, 0.03, 0.01, 229, 1, 0, 0.017), 0);
    const double right = PairWindingFluxFunction(0.01, 0.02, 0.03, 0.01, 229, 1, 0.013, 0.017);
    EXPECT_GT(right, 0);
    EXPECT_EQ(PairWindingFluxFunction(0.01, 0.02, 0.03, 0.01, 229, 1, -0.013, 0.017), right);
}

}  // namespace
}  // namespace varnel::exact
