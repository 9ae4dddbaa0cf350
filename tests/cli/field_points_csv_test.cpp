// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/field_points_csv.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

FieldPoint Held() {
    FieldPoint p;
    p.xText = "0.01";
    p.zText = "-0.02";
    p.x = 0.01L;
    p.z = -0.02L;
    p.field.radial = 0.5L;
    p.field.axial = -0.25L;
    p.field.modulus = 0.75L;
    p.field.angle = 30;
    p.deviation = 0.125L;
    return p;
}

FieldPoint Failed() {
    FieldPoint p;
    p.xText = "-1";
    p.zText = "0";
    p.field.radial = 9;  // left over: a failed point's values are never written
    p.status = "Введите x >= 0, then";
    return p;
}

// Every value below is a short binary fraction, so all 21 digits of it read as the literal.
TEST(FieldPointsCsv, WritesEveryColumnAndKeepsAFailedPointWithItsReason) {
    EXPECT_EQ(FieldPointsHeader(kEveryPointColumn), "x,z,Bx,Bz,B,angle,deviation,status,model\n");
    EXPECT_EQ(FieldPointLine(Held(), FieldModel::Exact, kEveryPointColumn),
              "0.01,-0.02,0.5,-0.25,0.75,30,0.125,,exact\n");
    EXPECT_EQ(FieldPointLine(Failed(), FieldModel::Classic, kEveryPointColumn),
              "-1,0,,,,,,\"Введите x >= 0, then\",classic\n");
}

TEST(FieldPointsCsv, WritesTheColumnsAskedForInTheirOrder) {
    constexpr PointColumn kStudio[] = {PointColumn::X,  PointColumn::Z, PointColumn::Bx,
                                       PointColumn::Bz, PointColumn::B, PointColumn::Deviation};
    EXPECT_EQ(FieldPointsCsv({Held(), Failed()}, FieldModel::Exact, kStudio),
              "x,z,Bx,Bz,B,deviation\n"
              "0.01,-0.02,0.5,-0.25,0.75,0.125\n"
              "-1,0,,,,\n");
    constexpr PointColumn kSwapped[] = {PointColumn::Deviation, PointColumn::Z, PointColumn::X};
    EXPECT_EQ(FieldPointLine(Held(), FieldModel::Exact, kSwapped), "0.125,-0.02,0.01\n");
}

TEST(FieldPointsCsv, CoordinatesWithoutTextsHaveEveryDigitAndTextsAreMadeSafe) {
    FieldPoint p = Held();
    p.xText.clear();
    p.x = -0.375L;  // a position along a slanted line
    p.zText = "=1+2";
    constexpr PointColumn kPlace[] = {PointColumn::X, PointColumn::Z};
    EXPECT_EQ(FieldPointLine(p, FieldModel::Exact, kPlace), "-0.375,'=1+2\n");
}

}  // namespace
}  // namespace varnel
