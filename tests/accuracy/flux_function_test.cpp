// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/flux_function.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "accuracy/elliptic.h"
#include "accuracy/filament.h"

namespace varnel::exact {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

// A_phi of a loop of radius a carrying 1 A, at (r, z) from its centre (Smythe):
// A_phi = mu0 / (pi k) sqrt(a / r) [(1 - k^2/2) K(k) - E(k)], k^2 = 4 a r / ((a + r)^2 + z^2).
long double LoopVectorPotential(long double a, long double r, long double z) {
    const long double k2 = 4 * a * r / ((a + r) * (a + r) + z * z);
    const long double k = std::sqrt(k2);
    const CompleteElliptic ke = EllipticKE(k2, std::sqrt(1 - k2));
    return kMu0 / (std::numbers::pi_v<long double> * k) * std::sqrt(a / r) *
           ((1 - k2 / 2) * ke.K - ke.E);
}

std::string TestName(const char* name) {
    std::string n = name;
    for (char& ch : n)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return n;
}

struct LoopCase {
    const char* name;
    long double a, r, z;
};

class LoopFlux : public testing::TestWithParam<LoopCase> {};

TEST_P(LoopFlux, IsRadiusTimesTheClosedFormVectorPotential) {
    const LoopCase& c = GetParam();
    const long double expected = c.r * LoopVectorPotential(c.a, c.r, c.z);
    EXPECT_NEAR(D(LoopFluxFunction(c.a, c.r, c.a - c.r, c.z) / expected), 1, 1e-12) << c.name;
}

// Near the wire k^2 is close to 1 (Maxwell's form); far off it is small (the series), where
// the closed form still has eight or more digits for these k.
INSTANTIATE_TEST_SUITE_P(Points, LoopFlux,
                         testing::Values(LoopCase{"close to the wire", 0.02L, 0.0195L, 0.001L},
                                         LoopCase{"inside, off the plane", 0.02L, 0.012L, 0.007L},
                                         LoopCase{"outside, above", 0.02L, 0.031L, -0.013L},
                                         LoopCase{"far off, series", 0.02L, 0.01L, 0.05L}),
                         [](const testing::TestParamInfo<LoopCase>& row) {
                             return TestName(row.param.name);
                         });

TEST(LoopFlux, FarAwayIsTheDipolesFlux) {
    // A dipole of moment pi a^2: A_phi = mu0 a^2 r / (4 R^3), so psi = mu0 a^2 r^2 / (4 R^3).
    const long double a = 0.01L, r = 3.0L, z = 4.0L, R = 5.0L;
    const long double dipole = kMu0 * a * a * r * r / (4 * R * R * R);
    EXPECT_NEAR(D(LoopFluxFunction(a, r, a - r, z) / dipole), 1, 1e-4);
}

TEST(LoopFlux, NoFluxThroughAPointOnTheAxis) {
    EXPECT_EQ(LoopFluxFunction(0.02L, 0, 0.02L, 0.01L), 0);
}

// The field as derivatives of psi: B_z = (1/r) d psi/dr, B_r = -(1/r) d psi/dz, by fourth-order
// central differences, against the winding's field integrated from the loops' fields. The coil
// is off the origin and the points are asymmetric, so a swap of r and z cannot pass.
struct FieldCase {
    const char* name;
    long double rho, z;
};

class CoilFlux : public testing::TestWithParam<FieldCase> {};

TEST_P(CoilFlux, DerivativesGiveTheField) {
    const FieldCase& c = GetParam();
    const Coil coil{0.011L, 0.023L, 0.017L, 0.004L, 437};
    const long double I = 1.7L, h = 1e-5L;
    auto psi = [&](long double rho, long double z) { return CoilFluxFunction(coil, rho, z, I, 4); };
    auto derivative = [&](auto f) {
        return (8 * (f(h) - f(-h)) - (f(2 * h) - f(-2 * h))) / (12 * h);
    };
    const long double dr = derivative([&](long double d) { return psi(c.rho + d, c.z); });
    const long double dz = derivative([&](long double d) { return psi(c.rho, c.z + d); });
    const FieldComponents b = CoilField(coil, c.rho, c.z, I, 4);
    const long double scale = std::hypot(b.radial, b.axial);
    EXPECT_NEAR(D((dr / c.rho - b.axial) / scale), 0, 2e-7) << c.name;
    EXPECT_NEAR(D((-dz / c.rho - b.radial) / scale), 0, 2e-7) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Points, CoilFlux,
                         testing::Values(FieldCase{"in the bore", 0.004L, 0.009L},
                                         FieldCase{"beside the coil", 0.031L, -0.002L},
                                         FieldCase{"above the coil", 0.017L, 0.03L},
                                         FieldCase{"inside the winding", 0.015L, 0.007L}),
                         [](const testing::TestParamInfo<FieldCase>& row) {
                             return TestName(row.param.name);
                         });

TEST(PairFlux, NearTheCentreIsTheCentralFieldTimesHalfRSquared) {
    // The field is uniform to second order about the centre: psi = B0 r^2 / 2 with B0 from the
    // thick coil on its axis, mu0 J / 2 [d ln((R2 + sqrt(R2^2 + d^2)) / (R1 + ...))] between
    // the faces at d = h/2 and h/2 + H, twice.
    const long double R1 = 0.01L, R2 = 0.02L, H = 0.03L, gap = 0.01L, N = 300, I = 2;
    auto f = [&](long double d) {
        return d * std::log((R2 + std::sqrt(R2 * R2 + d * d)) / (R1 + std::sqrt(R1 * R1 + d * d)));
    };
    const long double J = N * I / ((R2 - R1) * H);
    const long double B0 = 2 * kMu0 * J / 2 * (f(gap / 2 + H) - f(gap / 2));
    // The next term is of order (r / R1)^2 = 1e-6 of the first.
    const long double r = 1e-5L;
    EXPECT_NEAR(D(PairFluxFunction(R1, R2, H, gap, N, r, 0, I, 3) / (B0 * r * r / 2)), 1, 1e-6);
    // Even in z: the pair is symmetric about its mid-plane.
    EXPECT_NEAR(D(PairFluxFunction(R1, R2, H, gap, N, 0.013L, 0.021L, I, 3) /
                  PairFluxFunction(R1, R2, H, gap, N, 0.013L, -0.021L, I, 3)),
                1, 1e-15);
}

}  // namespace
}  // namespace varnel::exact
