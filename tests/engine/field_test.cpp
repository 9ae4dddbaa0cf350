// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/field.h"

#include <cmath>

#include <gtest/gtest.h>

namespace varnel {
namespace {

// The window's default geometry, with the turns of one coil for D = 0.001 and Lambda = 0.6.
CalcRecord ExampleRecord(long double current = 1) {
    CalcRecord rec;
    rec.R1 = 0.01L;
    rec.R2 = 0.02L;
    rec.H = 0.03L;
    rec.hh = 0.01L;
    rec.N = 0.03L * 4 * 0.01L * 0.6L / (3.1415926L * 0.001L * 0.001L);  // 229.1831
    rec.Id = current;
    return rec;
}

double D(long double v) {
    return static_cast<double>(v);
}

TEST(Field, CentreOfTheExampleAgreesWithTheClosedForm) {
    const CalcRecord rec = ExampleRecord();
    const long double b0 = FieldModulus(rec, 0, 0, 1);
    EXPECT_NEAR(D(b0), 5.683e-3, 0.5e-6);
    // On the axis of a uniform thick coil B = mu0*J/2 * [z ln((R2 + sqrt(R2^2 + z^2)) /
    // (R1 + sqrt(R1^2 + z^2)))] between the faces' distances 0.005 and 0.035 m, twice:
    // 5.68502e-3 T. The midpoint sum stays within 0.05 % of it.
    EXPECT_NEAR(D(b0 / 5.68502e-3L), 1.0, 5e-4);
    EXPECT_LT(b0, 5.68502e-3L);
}

struct PointCase {
    const char* where;
    long double x, z, current;
    double radial, axial, angle;  // T, T, degrees, to four digits
};

TEST(Field, ComponentsAndAngleAtTheExamplePoints) {
    const PointCase cases[] = {
        {"inside the winding", 0.015L, 0.02L, 1, 2.093e-4, 3.385e-3, 3.539},
        {"outside, below the centre", 0.03L, -0.01L, 1, 6.167e-5, -2.825e-4, 167.69},
        {"outside, above the centre", 0.03L, 0.01L, 1, -6.167e-5, -2.825e-4, -167.69},
        {"reversed current", 0.015L, 0.02L, -1, -2.093e-4, -3.385e-3, -176.46},
    };
    for (const PointCase& c : cases) {
        const CalcRecord rec = ExampleRecord(c.current);
        const long double radial = FieldRadial(rec, c.x, c.z, c.current);
        const long double axial = FieldAxial(rec, c.x, c.z, c.current);
        EXPECT_NEAR(D(radial / c.radial), 1.0, 2.5e-4) << c.where;
        EXPECT_NEAR(D(axial / c.axial), 1.0, 2.5e-4) << c.where;
        EXPECT_NEAR(D(FieldModulus(rec, c.x, c.z, c.current)),
                    std::sqrt(c.radial * c.radial + c.axial * c.axial), 1e-3 * std::fabs(c.axial))
            << c.where;
        EXPECT_NEAR(D(FieldAngle(rec, c.x, c.z, c.current)), c.angle, 0.006) << c.where;
    }
    EXPECT_NEAR(D(FieldModulus(ExampleRecord(), 0.015L, 0.02L, 1)), 3.391e-3, 0.5e-6);
}

TEST(Field, ZeroCurrentGivesNoFieldAndTheAngle360) {
    const CalcRecord rec = ExampleRecord(0);
    EXPECT_EQ(FieldRadial(rec, 0.015L, 0.02L, 0), 0.0L);
    EXPECT_EQ(FieldAxial(rec, 0.015L, 0.02L, 0), 0.0L);
    EXPECT_EQ(FieldAngle(rec, 0.015L, 0.02L, 0), 360.0L);
}

TEST(Field, MirrorSymmetryAboutTheMidPlane) {
    const CalcRecord rec = ExampleRecord();
    for (long double x : {0.005L, 0.015L, 0.03L}) {
        for (long double z : {0.004L, 0.02L, 0.05L}) {
            const long double up = FieldAxial(rec, x, z, 1), down = FieldAxial(rec, x, -z, 1);
            EXPECT_NEAR(D(up / down), 1.0, 1e-15) << "axial is even";
            const long double rUp = FieldRadial(rec, x, z, 1), rDown = FieldRadial(rec, x, -z, 1);
            EXPECT_NEAR(D(rUp / -rDown), 1.0, 1e-12) << "radial is odd";
        }
    }
}

// The thirty azimuths spaced with 3.1415926 leave a cosine sum of about -5.13e-7, so on the
// axis the radial component is a small residual rather than zero.
TEST(Field, RadialResidualOnTheAxis) {
    const CalcRecord rec = ExampleRecord();
    const long double near = FieldRadial(rec, 0, 0.02L, 1) / FieldAxial(rec, 0, 0.02L, 1);
    EXPECT_GT(std::fabs(near), 1e-9L);
    EXPECT_LT(std::fabs(near), 1e-8L);
    const long double far = FieldRadial(rec, 0, 1, 1) / FieldAxial(rec, 0, 1, 1);
    EXPECT_NEAR(D(std::fabs(far)), 1.1e-6, 0.1e-6);
    // At the centre the residuals of the two coils cancel to rounding level.
    EXPECT_LT(std::fabs(FieldRadial(rec, 0, 0, 1) / FieldAxial(rec, 0, 0, 1)), 1e-15L);
}

TEST(FieldAngleOf, CaseTableWithExactZeros) {
    struct Case {
        long double radial, axial, angle;
    };
    const Case cases[] = {
        {0, 0, 360}, {1, 0, 90},   {-1, 0, -90}, {0, 1, 0},      {0, -1, -180},
        {1, 1, 45},  {-1, 1, -45}, {1, -1, 135}, {-1, -1, -135},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(D(FieldAngleOf(c.radial, c.axial)), D(c.angle), 2e-6)
            << D(c.radial) << ", " << D(c.axial);
    }
    EXPECT_EQ(FieldAngleOf(0, -1e-300L), -180.0L);  // exact comparisons, however small
    EXPECT_EQ(FieldAngleOf(-1e-300L, 0), -90.0L);
}

// One pass with both accumulators gives each sum bit for bit as its own routine does.
TEST(Field, SharedSumsEqualTheOneComponentRoutinesExactly) {
    const CalcRecord rec = ExampleRecord(1.5L);
    const long double points[][2] = {{0, 0}, {0.015L, 0.02L}, {0.03L, -0.01L}, {0, 1}, {0.1L, 0}};
    for (const auto& p : points) {
        const PairSums sums = PairFieldSums(rec, p[0], p[1]);
        for (long double current : {1.0L, 1.5L, -0.25L}) {
            EXPECT_EQ(PairRadialFromSums(rec, sums, current),
                      FieldRadial(rec, p[0], p[1], current));
            EXPECT_EQ(PairAxialFromSums(rec, sums, current), FieldAxial(rec, p[0], p[1], current));
        }
    }
}

}  // namespace
}  // namespace varnel
