// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/design_file.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "studio/core/design_inputs.h"

namespace varnel::studio {
namespace {

// Away from every default: aluminium, a current source at 50 Hz, a field point off the axis
// with x != z, an ambient of 35 C.
DesignInputs Unusual() {
    DesignInputs in;
    in.innerRadiusMm = 12.5;
    in.outerRadiusMm = 27.25;
    in.heightMm = 31;
    in.gapMm = 7.5;
    in.wireDiameterMm = 0.71;
    in.winding = QStringLiteral("given");
    in.packingFactor = 0.7123;
    in.material = QStringLiteral("aluminium");
    in.resistivityNanoOhmM = 28.2;
    in.densityKgM3 = 2700;
    in.currentSource = true;
    in.source = 2.5;
    in.frequencyHz = 50;
    in.pointXMm = 3;
    in.pointZMm = -8;
    in.uniformityPercent = 0.05;
    in.ambientC = 35;
    return in;
}

TEST(DesignFile, WritesAndReadsBackEveryValue) {
    const DesignInputs in = Unusual();
    const auto read = ReadDesign(WriteDesign(in));
    ASSERT_TRUE(std::holds_alternative<DesignInputs>(read));
    EXPECT_EQ(std::get<DesignInputs>(read), in);
}

// The goals travel with the inputs; a file without them gives none, so the window keeps its own.
TEST(DesignFile, CarriesTheGoalsBesideTheInputs) {
    DesignGoals goals;
    goals.centreFieldMt = 3.5;
    goals.currentSource = true;
    goals.maxOuterMm = 60;
    goals.maxLengthMm = 90;
    goals.material = QStringLiteral("aluminium");
    goals.minimise = QStringLiteral("power");
    goals.count = 7;
    const auto back = ReadDesignGoals(WriteDesign(Unusual(), goals));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, goals);
    EXPECT_FALSE(ReadDesignGoals(WriteDesign(Unusual())).has_value());
}

// A value outside its box's range refuses the whole file and names the key and the value.
TEST(DesignFile, RefusesAValueNoBoxCanShowNamingIt) {
    QJsonObject object = QJsonDocument::fromJson(WriteDesign(Unusual())).object();
    object.insert(QStringLiteral("R1_mm"), -5);
    const auto read = ReadDesign(QJsonDocument(object).toJson());
    ASSERT_TRUE(std::holds_alternative<QString>(read));
    const QString message = std::get<QString>(read);
    EXPECT_TRUE(message.contains(QStringLiteral("R1_mm"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("-5"))) << message.toStdString();
}

TEST(DesignFile, RefusesAFileFromANewerVersion) {
    QJsonObject object = QJsonDocument::fromJson(WriteDesign(Unusual())).object();
    object.insert(QStringLiteral("schema"), kDesignSchema + 1);
    EXPECT_TRUE(std::holds_alternative<QString>(ReadDesign(QJsonDocument(object).toJson())));
}

// N = 4 lambda H (R2 - R1) / (pi D^2) with the calculator's pi 3.1415926: for R1 12.5, R2
// 27.25, H 31, D 0.71 and 361 turns, lambda = 361 * 3.1415926 * 0.5041 / (4 * 31 * 14.75)
// = 571.707 / 1829 = 0.3125792, and putting it back gives 361 turns.
TEST(DesignInputs, PackingForTurnsGivesTheTurnsBackInTheCalculatorsSum) {
    const DesignInputs in = Unusual();
    const double lambda = PackingForTurns(in, 361);
    EXPECT_NEAR(lambda, 0.3125792, 5e-7);
    const double turns = 4 * lambda * in.heightMm * (in.outerRadiusMm - in.innerRadiusMm) /
                         (3.1415926 * in.wireDiameterMm * in.wireDiameterMm);
    EXPECT_NEAR(turns, 361, 1e-9);
}

TEST(DesignInputs, DecimalTextMovesThePointWithoutRounding) {
    EXPECT_EQ(DecimalText(12.3, -3), QStringLiteral("0.0123"));
    EXPECT_EQ(DecimalText(0.71, 0), QStringLiteral("0.71"));
    EXPECT_EQ(DecimalText(27.25, -3), QStringLiteral("0.02725"));
}

}  // namespace
}  // namespace varnel::studio
