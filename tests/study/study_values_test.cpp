// SPDX-License-Identifier: GPL-3.0-or-later
// The studies' numbers against independent computations: the accuracy library's refined
// quadrature, the flux function worked directly, a numerical derivative, and identities of the
// classic formulas. One asymmetric pair throughout (R1 20, R2 35, H 15, h 12 mm) fed 2 A from a
// current source, so that a swap of x and z or of Bx and Bz changes every number.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "accuracy/exact_coils.h"
#include "accuracy/flux_function.h"
#include "command/control_names.h"
#include "command/field_source.h"
#include "command/number_text.h"
#include "study/accuracy_check.h"
#include "study/calc_request.h"
#include "study/field_study.h"
#include "study/map_field.h"
#include "study/map_flux.h"
#include "study/shared_sums.h"

namespace varnel {
namespace {

constexpr long double kR1 = 0.02L, kR2 = 0.035L, kH = 0.015L, kGap = 0.012L;

CalcRequest Pair() {
    CalcRequest r = CalcRequest::Defaults();
    auto set = [&r](std::string_view option, const char* text) {
        r.texts[*InputIndex(option)] = WithDecimalSeparator(text);
    };
    set("R1", "0.02");
    set("R2", "0.035");
    set("H", "0.015");
    set("h", "0.012");
    set("D", "0.0005");
    set("Lambda", "0.7");
    set("source", "2");
    set("x", "0.007");
    set("z", "0.011");
    r.currentSource = true;
    return r;
}

CalcOutcome Base() {
    const CalcOutcome base = StudyBase(Pair());
    EXPECT_EQ(base.kind, CalcOutcome::Kind::Results) << base.message;
    return base;
}

// The exact model's Bx and Bz at (7, 11) mm are the accuracy library's refined quadrature.
TEST(StudyValues, ExactFieldIsTheRefinedQuadrature) {
    const CalcOutcome base = Base();
    const long double x = 0.007L, z = 0.011L;
    const std::vector<FieldPoint> p =
        FieldGrid(base, GridRange{x, x, 1}, GridRange{z, z, 1}, 1, {}, {}, FieldModel::Exact);
    ASSERT_EQ(p.size(), 1u);
    ASSERT_TRUE(p[0].status.empty()) << p[0].status;
    const exact::RefinedField f =
        exact::PairField(kR1, kR2, kH, kGap, base.rec.N, x, z, base.rec.Id);
    ASSERT_GT(std::fabs(f.radial.value), 1e-3L * std::fabs(f.axial.value));
    EXPECT_NEAR(p[0].field.radial, f.radial.value, 1e-6L * std::fabs(f.radial.value));
    EXPECT_NEAR(p[0].field.axial, f.axial.value, 1e-6L * std::fabs(f.axial.value));
}

// A profile along z at x = 4 mm keeps x and steps z; one across at z = 4 mm the other way.
TEST(StudyValues, ProfilesRunAlongTheirOwnAxis) {
    const CalcOutcome base = Base();
    const std::vector<FieldPoint> along =
        FieldProfile(base, true, GridRange{0, 0.01L, 3}, "0.004", 1);
    const std::vector<FieldPoint> across =
        FieldProfile(base, false, GridRange{0, 0.01L, 3}, "0.004", 1);
    ASSERT_EQ(along.size(), 3u);
    ASSERT_EQ(across.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(along[i].x, 0.004L, 1e-18L);
        EXPECT_NEAR(along[i].z, 0.005L * i, 1e-18L);
        EXPECT_NEAR(across[i].x, 0.005L * i, 1e-18L);
        EXPECT_NEAR(across[i].z, 0.004L, 1e-18L);
    }
}

// With a tolerance no point exceeds (|B| never reaches twice B0 outside the windings), the
// search reports how far it looked: along the axis twice the outer face plus R2, across the
// mid-plane twice R2.
TEST(StudyValues, UniformRegionScansPastThePair) {
    const UniformRegion region = FindUniformRegion(Base(), 1.5L);
    EXPECT_FALSE(region.axialFound);
    EXPECT_FALSE(region.radialFound);
    EXPECT_NEAR(region.scanAxial, 2 * (kH + kGap / 2) + kR2, 1e-15L);
    EXPECT_NEAR(region.scanRadial, 2 * kR2, 1e-15L);
    EXPECT_NEAR(region.axial, region.scanAxial, 1e-15L);
    EXPECT_NEAR(region.radial, region.scanRadial, 1e-15L);
}

// A map about the mid-plane computes half of it and mirrors the rest: Bx is odd in z, Bz
// even. Every cell against the field computed at that very cell.
TEST(StudyValues, MirroredMapHalfMatchesTheFieldThere) {
    const CalcOutcome base = Base();
    const GridRange x{0.005L, 0.015L, 3}, z{-0.01L, 0.01L, 5};
    const double I = static_cast<double>(base.rec.Id);
    const MapGrid grid = MapFieldGrid(base.rec, I, x, z, 1, {});
    ASSERT_TRUE(grid.complete);
    ASSERT_EQ(grid.field.size(), 15u);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 5; ++j) {
            const MapVector want =
                MapFieldAt(base.rec, I, static_cast<double>(x.At(i)), static_cast<double>(z.At(j)));
            const MapVector& got = grid.field[static_cast<std::size_t>(i * 5 + j)];
            EXPECT_NEAR(got.radial, want.radial, 1e-12 * std::fabs(want.axial)) << i << " " << j;
            EXPECT_NEAR(got.axial, want.axial, 1e-12 * std::fabs(want.axial)) << i << " " << j;
        }
    }
}

// The field lines' flux function r A_phi at points of a grid off the mid-plane, against the
// accuracy library's pair flux function at its finest rule.
TEST(StudyValues, FluxGridIsThePairsFluxFunction) {
    const CalcOutcome base = Base();
    const GridRange x{0.01L, 0.03L, 3}, z{0.005L, 0.025L, 3};
    const double I = static_cast<double>(base.rec.Id);
    const FluxGrid grid = MapFluxGrid(base.rec, I, x, z, 1, {});
    ASSERT_TRUE(grid.complete);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const long double want = exact::PairFluxFunction(kR1, kR2, kH, kGap, base.rec.N,
                                                             x.At(i), z.At(j), base.rec.Id, 3);
            EXPECT_NEAR(grid.psi[static_cast<std::size_t>(i * 3 + j)], static_cast<double>(want),
                        1e-4 * std::fabs(static_cast<double>(want)))
                << i << " " << j;
        }
    }
}

// The classic mutual inductance is what the pair has beyond its two coils: L = 2 Ls + 2 M.
// The force is I^2 dM/dh, the derivative here by central differences of the exact mutual.
TEST(StudyValues, CheckOfInductancesAndForce) {
    const CalcOutcome base = Base();
    const std::vector<CheckedQuantity> q = CheckAccuracy(base);
    ASSERT_EQ(q.size(), 9u);
    ASSERT_EQ(q[2].name, "pair inductance L");
    EXPECT_NEAR(q[2].classic, 2 * q[0].classic + 2 * q[1].classic, 1e-12L * q[2].classic);
    const long double N = base.rec.N, step = 1e-6L;
    const long double dM = (exact::MutualInductance(kR1, kR2, kH, kGap + step, N).mutual.value -
                            exact::MutualInductance(kR1, kR2, kH, kGap - step, N).mutual.value) /
                           (2 * step);
    ASSERT_EQ(q[8].name, "force between the coils");
    EXPECT_NEAR(base.rec.Id, 2, 1e-18L);
    EXPECT_NEAR(q[8].exact, 4 * dM, 1e-5L * std::fabs(4 * dM));
}

// Sums shared between rows are for their own point: a second point of the same x gets its own.
TEST(StudyValues, SharedSumsAreKeptPerPoint) {
    const CalcOutcome base = Base();
    SharedFieldSums shared;
    SharedSumsFieldSource source(base.rec, shared);
    const long double I = base.rec.Id;
    const long double first = source.Axial(0.007L, 0.002L, I);
    const long double second = source.Axial(0.007L, 0.011L, I);
    ReusingFieldSource alone(base.rec);
    EXPECT_EQ(first, alone.Axial(0.007L, 0.002L, I));
    EXPECT_EQ(second, alone.Axial(0.007L, 0.011L, I));
    EXPECT_NE(first, second);
    EXPECT_EQ(shared.computed(), 2u);
}

}  // namespace
}  // namespace varnel
