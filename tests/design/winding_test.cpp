// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include <gtest/gtest.h>

#include "design/winding.h"
#include "engine/calc_record.h"
#include "engine/circuit.h"

namespace {

using namespace varnel;
using namespace varnel::design;

const Wire kWire{"1 mm", 0.001L, 0.00106L};

TEST(Winding, LayerOnLayerStacksSquare) {
    // 10.7 / 1.06 -> 10 layers, 32 / 1.06 -> 30 turns each.
    const WindingFit f = FitWinding({WindingStyle::LayerOnLayer, 0}, kWire, 0.0107L, 0.032L);
    EXPECT_EQ(f.layers, 10);
    EXPECT_EQ(f.turnsPerLayer, 30);
    EXPECT_EQ(f.turns, 300);
}

// The search may try a section 1e15 wires across; its counts are held at a billion rather than
// overflowing when converted or multiplied (the sanitizers stop on either).
TEST(Winding, AVastSectionGivesBoundedCounts) {
    for (WindingStyle style : {WindingStyle::LayerOnLayer, WindingStyle::Orthocyclic}) {
        const WindingFit f = FitWinding({style, 0}, kWire, 1e12L, 1e12L);
        EXPECT_EQ(f.layers, 1000000000);
        EXPECT_EQ(f.turnsPerLayer, 1000000000);
        EXPECT_GT(f.turns, 0);
    }
    EXPECT_EQ(FitWinding({WindingStyle::Random, 0.5L}, kWire, 1e12L, 1e12L).turns, 1000000000);
}

TEST(Winding, OrthocyclicNestsLayersAndShortensTheShiftedOnes) {
    // Layers: 1 + floor((10 - 1.06) / (0.866 * 1.06)) = 1 + 9 = 10. Turns per layer
    // floor(32 / 1.06) = 30, 0.2 mm to spare, less than half a wire: shifted layers hold 29.
    const WindingFit f = FitWinding({WindingStyle::Orthocyclic, 0}, kWire, 0.010L, 0.032L);
    EXPECT_EQ(f.layers, 10);
    EXPECT_EQ(f.turnsPerLayer, 30);
    EXPECT_EQ(f.turns, 5 * 30 + 5 * 29);
    // With 0.6 mm to spare the shifted layers hold as many.
    const WindingFit g = FitWinding({WindingStyle::Orthocyclic, 0}, kWire, 0.010L, 0.0324L);
    EXPECT_EQ(g.turns, 300);
}

TEST(Winding, RandomFillsTheShareGiven) {
    // 0.7 * 100 mm^2 / (pi/4 * 1.06^2 mm^2) = 79.3...
    const WindingFit f = FitWinding({WindingStyle::Random, 0.7L}, kWire, 0.010L, 0.010L);
    EXPECT_EQ(f.turns, 79);
}

// The Lambda reported makes the calculator's turns equal the whole turns.
TEST(Winding, LambdaReproducesTheWholeTurnsInTheCalculator) {
    for (const Winding& w :
         {Winding{WindingStyle::Orthocyclic, 0}, Winding{WindingStyle::LayerOnLayer, 0},
          Winding{WindingStyle::Random, 0.6L}}) {
        const WindingFit f = FitWinding(w, kWire, 0.0123L, 0.0456L);
        CalcRecord rec;
        rec.R1 = 0.03L;
        rec.R2 = 0.03L + 0.0123L;
        rec.H = 0.0456L;
        rec.D = kWire.bare;
        rec.Lambda = f.lambda;
        EXPECT_NEAR(TurnsOfOneCoil(rec), static_cast<long double>(f.turns), 1e-9L);
        EXPECT_LT(f.lambda, 1);
    }
}

TEST(Winding, ParsesTheStylesAndRefusesOthers) {
    EXPECT_EQ(ParseWinding("orthocyclic").style, WindingStyle::Orthocyclic);
    EXPECT_EQ(ParseWinding("layer").style, WindingStyle::LayerOnLayer);
    EXPECT_EQ(ParseWinding("random:0.55").fill, 0.55L);
    EXPECT_THROW(ParseWinding("random:1.2"), std::invalid_argument);
    EXPECT_THROW(ParseWinding("spiral"), std::invalid_argument);
}

}  // namespace
