// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "accuracy/filament.h"
#include "design/search.h"

namespace {

using namespace varnel::design;

Goals Example() {
    // 10 mT, 0.1 % over a 5 mm sphere, 12 V, at most 20 W, a 40 mm bore, 60 K.
    Goals g;
    g.B0 = 0.01L;
    g.uniform = Uniformity{0.001L, 0.005L};
    g.source = 12;
    g.maxPower = 20;
    g.bore = 0.04L;
    g.maxTempRise = 60;
    g.material = LoadMaterial("copper");
    g.wires = LoadWires("metric", "grade1");
    g.count = 2;
    return g;
}

// The turns of a design where a winder lays them, worked out here from its printed counts:
// layer k at R1 + d/2 + k * pitch (pitch sqrt(3)/2 d orthocyclic, d layer on layer), turn j
// at h/2 + d/2 + j d above the centre, every second orthocyclic layer half a wire further;
// the second coil the mirror of the first.
struct Turn {
    long double radius, z;
};
std::vector<Turn> WoundTurns(const Goals& g, const Design& d) {
    const long double w = d.wire.overall;
    const bool ortho = g.winding.style == WindingStyle::Orthocyclic;
    const long double pitch = ortho ? w * std::sqrt(3.0L) / 2 : w;
    std::vector<Turn> turns;
    const auto& geo = d.model.geometry;
    for (long long k = 0; k < d.model.fit.layers; ++k) {
        for (long long j = 0; j < d.model.fit.turnsPerLayer; ++j) {
            const long double r = geo.R1 + w / 2 + static_cast<long double>(k) * pitch;
            const long double z = geo.h / 2 + w / 2 + static_cast<long double>(j) * w +
                                  (ortho && k % 2 == 1 ? w / 2 : 0);
            turns.push_back({r, z});
            turns.push_back({r, -z});
        }
    }
    return turns;
}

// The field of the turns by the accuracy library's exact loop field.
std::array<long double, 2> TurnsField(const std::vector<Turn>& turns, long double rho,
                                      long double z, long double I) {
    long double radial = 0, axial = 0;
    for (const Turn& t : turns) {
        const auto f = varnel::exact::LoopField(t.radius, rho, t.radius - rho, z - t.z);
        radial += f.radial;
        axial += f.axial;
    }
    return {radial * I, axial * I};
}

// Everything a returned design claims, checked independently on its turns where they lie:
// the exact field at the centre and on the sphere's surface, and the limits from its printed
// geometry. (Before the wound model, the check spread N turns evenly over R1..R2 x H; the
// coil wound from the sheet does not do that.)
void ExpectHolds(const Goals& g, const Design& d) {
    const PairGeometry& geo = d.model.geometry;
    const long double I = std::fabs(d.I);
    const std::vector<Turn> turns = WoundTurns(g, d);
    ASSERT_EQ(turns.size(), static_cast<std::size_t>(2 * d.model.fit.turns)) << d.command;
    const long double b0 = TurnsField(turns, 0, 0, I)[1];
    EXPECT_LE(std::fabs(b0 / g.B0 - 1), g.B0Tol) << d.command;
    if (g.maxPower) {
        EXPECT_LE(d.P, *g.maxPower) << d.command;
    }
    if (g.maxOuter) {
        EXPECT_LE(geo.R2, *g.maxOuter) << d.command;
    }
    if (g.maxLength) {
        EXPECT_LE(2 * geo.H + geo.h, *g.maxLength) << d.command;
    }
    if (g.maxMass) {
        EXPECT_LE(d.model.mass, *g.maxMass) << d.command;
    }
    if (g.maxTempRise) {
        EXPECT_LE(d.model.hot.rise, *g.maxTempRise) << d.command;
    }
    EXPECT_GE(geo.R1, g.bore);
    EXPECT_FALSE(d.model.hot.runaway);
    // The section printed is the wound build: the outermost turn touches R2, the last turn H.
    const long double w = d.wire.overall;
    long double outer = 0, top = 0;
    for (const Turn& t : turns) {
        outer = std::max(outer, t.radius + w / 2);
        top = std::max(top, t.z + w / 2);
    }
    EXPECT_NEAR(outer, geo.R2, 1e-12L) << d.command;
    EXPECT_NEAR(top, geo.h / 2 + geo.H, 1e-12L) << d.command;
    EXPECT_NEAR(geo.N, static_cast<long double>(d.model.fit.turns), 1e-6L);
    if (g.uniform) {
        const long double r = g.uniform->radius;
        for (int i = 0; i <= 12; ++i) {
            const long double theta = 0.2617993877991494365L * i;  // 15 degree steps
            // On the axis exactly at the poles: LoopField takes rho = 0 as the axis.
            const long double rho = i % 12 == 0 ? 0 : r * std::sin(theta);
            const auto f = TurnsField(turns, rho, r * std::cos(theta), I);
            EXPECT_LE(std::fabs(std::hypot(f[0], f[1]) / b0 - 1), g.uniform->tol)
                << d.command << " at " << i * 15 << " degrees";
        }
    }
}

TEST(Search, ExampleGoalsGiveDesignsThatHold) {
    const Goals g = Example();
    const Answer a = FindDesigns(g, {}, nullptr, 2);
    ASSERT_FALSE(a.designs.empty()) << a.error;
    for (const Design& d : a.designs)
        ExpectHolds(g, d);
    for (std::size_t i = 1; i < a.designs.size(); ++i)
        EXPECT_LE(a.designs[i - 1].model.mass, a.designs[i].model.mass);
    EXPECT_NE(a.designs.front().command.find("--Roe"), std::string::npos);
}

// Random goal sets, from a fixed seed: whatever comes back meets every goal; a set that cannot
// be met gets a reason and no design.
TEST(Search, RandomGoalSetsNeverGiveAWrongDesign) {
    std::mt19937 random(20261208);
    auto pick = [&](long double lo, long double hi) {
        return lo + (hi - lo) * std::uniform_real_distribution<double>(0, 1)(random);
    };
    int answered = 0;
    for (int set = 0; set < 4; ++set) {
        Goals g = Example();
        g.B0 = pick(0.002L, 0.02L);
        g.B0Tol = pick(0.003L, 0.02L);
        g.uniform = Uniformity{pick(1e-4L, 3e-3L), pick(0.002L, 0.008L)};
        g.currentSource = set % 2 == 1;
        g.source = g.currentSource ? pick(0.5L, 3) : pick(6, 24);
        g.maxPower = pick(10, 60);
        g.bore = pick(0.02L, 0.05L);
        g.maxOuter = g.bore * pick(2, 4);
        g.maxMass = pick(1, 8);
        g.maxTempRise = pick(30, 80);
        g.winding = set == 2 ? Winding{WindingStyle::LayerOnLayer, 0} : Winding{};
        g.minimise = set == 3 ? Minimise::Power : Minimise::Mass;
        const Answer a = FindDesigns(g, {}, nullptr, 2);
        if (a.designs.empty()) {
            EXPECT_FALSE(a.error.empty()) << "set " << set;
            continue;
        }
        ++answered;
        for (const Design& d : a.designs)
            ExpectHolds(g, d);
    }
    EXPECT_GE(answered, 2);
}

TEST(Search, UnreachableFieldNamesTheLimitAndTheBestValue) {
    Goals g = Example();
    g.B0 = 0.05L;
    g.uniform.reset();
    g.maxPower = 10;
    g.maxOuter = 0.06L;
    const Answer a = FindDesigns(g, {}, nullptr, 2);
    ASSERT_TRUE(a.designs.empty());
    EXPECT_EQ(a.error.rfind("no design reaches 50 mT within ", 0), 0u) << a.error;
    EXPECT_NE(a.error.find("the best reaches"), std::string::npos) << a.error;
    ASSERT_TRUE(a.best.has_value());
    EXPECT_LT(a.best->B0exact, 0.05L);
}

TEST(Search, NonsenseGoalsAreRefused) {
    struct Case {
        const char* name;
        void (*change)(Goals&);
    };
    const Case cases[] = {
        {"negative field", [](Goals& g) { g.B0 = -0.01L; }},
        {"tolerance of one", [](Goals& g) { g.B0Tol = 1; }},
        {"uniformity of one", [](Goals& g) { g.uniform->tol = 1.5L; }},
        {"bore above the outer limit",
         [](Goals& g) {
             g.bore = 0.05L;
             g.maxOuter = 0.05L;
         }},
        {"empty catalogue", [](Goals& g) { g.wires.clear(); }},
        {"no supply", [](Goals& g) { g.source = 0; }},
    };
    for (const Case& c : cases) {
        Goals g = Example();
        c.change(g);
        EXPECT_THROW(FindDesigns(g, {}, nullptr, 1), GoalError) << c.name;
    }
}

TEST(Search, StopsWhenAsked) {
    std::stop_source stop;
    stop.request_stop();
    const Answer a = FindDesigns(Example(), stop.get_token(), nullptr, 2);
    EXPECT_TRUE(a.interrupted);
    EXPECT_TRUE(a.designs.empty());
}

}  // namespace
