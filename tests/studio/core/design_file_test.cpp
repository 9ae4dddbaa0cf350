// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/design_file.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "studio/core/catalogue.h"
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

// Layout 1 named the presets "random", "layer", "bar" and the layer-on-layer winding "square";
// a file of that layout opens with today's names, and one of layout 2 keeps its own.
TEST(DesignFile, ReadsTheWindingNamesOfLayout1AsTodaysNames) {
    const struct {
        const char* written;
        int schema;
        const char* read;
    } cases[] = {
        {"layer", 1, "typical-layer"}, {"random", 1, "typical-random"},   {"bar", 1, "typical-bar"},
        {"square", 1, "layer"},        {"orthocyclic", 1, "orthocyclic"}, {"given", 1, "given"},
        {"layer", 2, "layer"},         {"typical-bar", 2, "typical-bar"},
    };
    for (const auto& c : cases) {
        QJsonObject object = QJsonDocument::fromJson(WriteDesign(Unusual())).object();
        object.insert(QStringLiteral("schema"), c.schema);
        object.insert(QStringLiteral("winding"), QString::fromLatin1(c.written));
        const auto read = ReadDesign(QJsonDocument(object).toJson());
        ASSERT_TRUE(std::holds_alternative<DesignInputs>(read)) << c.written;
        EXPECT_EQ(std::get<DesignInputs>(read).winding, QString::fromLatin1(c.read))
            << c.written << " in layout " << c.schema;
    }
}

// "layer" is the design tool's layer-on-layer winding, whose packing is a square of circles:
// pi/4 (bare/overall)^2; for 0.71 mm in 0.77 mm, pi/4 * 0.850228 = 0.667767. "orthocyclic"
// packs hexagonally, pi/(2 sqrt 3) (bare/overall)^2 = 0.906900 * 0.850228 = 0.771071.
TEST(Catalogue, LayerMeansTheDesignToolsLayerOnLayerWinding) {
    const Catalogue c = BuiltInCatalogue();
    auto packing = [&](const QString& key) -> std::optional<double> {
        for (const WindingEntry& w : c.windings)
            if (w.key == key)
                return c.packing(w, 0.71, 0.77);
        return std::nullopt;
    };
    ASSERT_TRUE(packing(QStringLiteral("layer")).has_value());
    EXPECT_NEAR(*packing(QStringLiteral("layer")), 0.667767, 2e-6);
    EXPECT_NEAR(*packing(QStringLiteral("orthocyclic")), 0.771071, 2e-6);
    EXPECT_NEAR(*packing(QStringLiteral("typical-layer")), 0.65, 1e-12);
    EXPECT_FALSE(packing(QStringLiteral("square")).has_value());
}

TEST(DesignInputs, DecimalTextMovesThePointWithoutRounding) {
    EXPECT_EQ(DecimalText(12.3, -3), QStringLiteral("0.0123"));
    EXPECT_EQ(DecimalText(0.71, 0), QStringLiteral("0.71"));
    EXPECT_EQ(DecimalText(27.25, -3), QStringLiteral("0.02725"));
}

}  // namespace
}  // namespace varnel::studio
