// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "design/thermal.h"

namespace {

using namespace varnel::design;

ThermalInput Coil(bool currentSource, long double source, long double h) {
    ThermalInput in;
    in.resistance20 = 2;
    in.alpha = 0.00393L;
    in.ambient = 20;
    in.heatTransfer = h;
    in.area = 0.05L;
    in.currentSource = currentSource;
    in.source = source;
    return in;
}

TEST(Thermal, NoHeatTransferIsRunawayNotANumber) {
    EXPECT_TRUE(SteadyState(Coil(false, 12, 0)).runaway);
    EXPECT_TRUE(SteadyState(Coil(true, 6, 0)).runaway);
}

// g dT = I^2 R20 (1 + a dT) at 20 C: dT = I^2 R20 / (g - I^2 R20 a).
TEST(Thermal, CurrentSourceFollowsTheLinearBalance) {
    const ThermalState s = SteadyState(Coil(true, 3, 12));
    const long double g = 12 * 0.05L, p = 9 * 2.0L;
    EXPECT_FALSE(s.runaway);
    EXPECT_NEAR(s.rise, p / (g - p * 0.00393L), 1e-9L);
    EXPECT_NEAR(s.power, g * s.rise, 1e-9L);
    // Past g = I^2 R20 a there is no steady state.
    EXPECT_TRUE(SteadyState(Coil(true, std::sqrt(g / (2 * 0.00393L)) * 1.01L, 12)).runaway);
}

// The same cold power, 72 W: the voltage source's power falls as the winding warms, the
// current source's rises, so the voltage-fed coil settles cooler.
TEST(Thermal, VoltageSourceRunsCoolerThanTheCurrentOfTheSameColdPower) {
    const ThermalState voltage = SteadyState(Coil(false, 12, 12));
    const ThermalState current = SteadyState(Coil(true, 6, 12));
    ASSERT_FALSE(voltage.runaway);
    ASSERT_FALSE(current.runaway);
    EXPECT_LT(voltage.rise, current.rise);
    EXPECT_LT(voltage.power, 72);
    EXPECT_GT(current.power, 72);
    // Both balance: power in equals heat out.
    EXPECT_NEAR(voltage.power, 12 * 0.05L * voltage.rise, 1e-9L);
    EXPECT_NEAR(voltage.resistance, 2 * (1 + 0.00393L * voltage.rise), 1e-12L);
}

// A reactance lowers the current; the balance still holds at the first steady state.
TEST(Thermal, AlternatingSupplyBalancesWithTheImpedance) {
    ThermalInput in = Coil(false, 12, 12);
    in.reactance = 3;
    const ThermalState s = SteadyState(in);
    ASSERT_FALSE(s.runaway);
    EXPECT_NEAR(s.current, 12 / std::hypot(s.resistance, 3.0L), 1e-12L);
    EXPECT_NEAR(s.power, 12 * 0.05L * s.rise, 1e-9L);
}

// Two coils: outside 2 pi R2 H, inside 2 pi R1 H, two ends pi (R2^2 - R1^2) each.
TEST(Thermal, ExposedAreaCountsEverySurfaceOfBothCoils) {
    const long double pi = 3.141592653589793238462643383279502884L;
    EXPECT_NEAR(ExposedArea(0.01L, 0.02L, 0.03L),
                2 * (2 * pi * 0.02L * 0.03L + 2 * pi * 0.01L * 0.03L + 2 * pi * (4e-4L - 1e-4L)),
                1e-15L);
}

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The faces' share depends on the gap only through s/s0 with s0 = FacingFaceGap: x = (s0/s)^4
// and share = ((1 - e^-x) / x)^(3/4), worked at round values of x.
struct ShareCase {
    const char* name;
    long double gapOverS0;
    long double share;
};

TEST(FacingFaces, ShareFollowsTheChannelCorrelation) {
    const long double e = 2.718281828459045235360287471352662498L;
    const ShareCase cases[] = {
        {"no gap: the faces touch and do not cool", 0, 0},
        // x = 16: (1 - e^-16)/16 = 0.0624999929, ^(3/4) = 0.125 (1/16 to the 3/4 is 1/8).
        {"half the gap: x = 16", 0.5L, std::pow((1 - std::pow(e, -16.0L)) / 16, 0.75L)},
        {"the gap itself: x = 1", 1, std::pow(1 - 1 / e, 0.75L)},
        // x = 1/16: (1 - e^-(1/16)) * 16 = 0.9690... , ^(3/4) = 0.9770.
        {"twice the gap: x = 1/16", 2, std::pow((1 - std::pow(e, -0.0625L)) * 16, 0.75L)},
    };
    for (const long double depth : {0.004L, 0.012L, 0.05L}) {
        const long double s0 = FacingFaceGap(depth);
        for (const ShareCase& c : cases) {
            EXPECT_NEAR(FacingFaceShare(c.gapOverS0 * s0, depth), c.share, 1e-15L)
                << c.name << ", face depth " << static_cast<double>(depth);
        }
    }
    EXPECT_NEAR(std::pow(1 - 1 / e, 0.75L), 0.708924L, 1e-5L);
    EXPECT_NEAR(std::pow((1 - std::pow(e, -16.0L)) / 16, 0.75L), 0.125L, 1e-7L);
}

// s0 = (35 L nu a / (g beta dT))^(1/4) with air at a 45 C film, 50 K: g beta dT / (nu a) =
// 9.80665 / 318.15 * 50 / (1.772e-5 * 2.519e-5) = 3.45276e9 1/m^3. A 12 mm face:
// s0 = (0.42 / 3.45276e9)^(1/4) = 3.321 mm; a sixteen times deeper face, twice that.
TEST(FacingFaces, TheGapIsAFewMillimetres) {
    EXPECT_NEAR(FacingFaceGap(0.012L), 3.3210e-3L, 0.0005e-3L);
    EXPECT_NEAR(FacingFaceGap(16 * 0.012L), 2 * FacingFaceGap(0.012L), 1e-15L);
    // 1 mm: x = (3.321/1)^4 = 121.6, share = x^(-3/4) = 0.0273: the faces barely cool.
    EXPECT_NEAR(FacingFaceShare(0.001L, 0.012L), 0.0273L, 0.0003L);
    // 10 mm: x = 0.01217, share = (1 - x/2 + x^2/6)^(3/4) = 0.99545: as if alone.
    EXPECT_NEAR(FacingFaceShare(0.010L, 0.012L), 0.99545L, 0.00005L);
    // Wider faces need a wider gap: the air crosses more of them.
    EXPECT_LT(FacingFaceShare(0.003L, 0.040L), FacingFaceShare(0.003L, 0.010L));
}

// The share is s^3 (s = gap/s0) where exp(-x) no longer counts: the two forms meet at s = 0.35
// (x = 66.6), and a vanishing gap raises no floating-point exception.
TEST(FacingFaces, NarrowGapsAreContinuousAndRaiseNoException) {
    const long double s0 = FacingFaceGap(0.012L);
    EXPECT_NEAR(FacingFaceShare(0.35L * s0 * (1 - 1e-12L), 0.012L),
                FacingFaceShare(0.35L * s0 * (1 + 1e-12L), 0.012L), 1e-12L);
    EXPECT_NEAR(FacingFaceShare(0.35L * s0, 0.012L), 0.35L * 0.35L * 0.35L, 1e-15L);
    std::feclearexcept(FE_ALL_EXCEPT);
    const long double tiny = FacingFaceShare(1e-300L, 0.012L);
    EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW | FE_UNDERFLOW | FE_INVALID | FE_DIVBYZERO));
    EXPECT_LT(tiny, 1e-800L);
}

// One coil of R1 15 mm, R2 27 mm, H 21 mm: outside 2 pi R2 H, inside 2 pi R1 H, outer end
// pi (R2^2 - R1^2); the facing end by its share. Twice for the pair.
TEST(FacingFaces, CooledAreaDropsTheFacingFaces) {
    const long double R1 = 0.015L, R2 = 0.027L, H = 0.021L;
    const long double sides = 2 * kPi * R2 * H + 2 * kPi * R1 * H;
    const long double face = kPi * (R2 * R2 - R1 * R1);
    EXPECT_NEAR(CooledArea(R1, R2, H, 0), 2 * (sides + face), 1e-16L);
    const long double s0 = FacingFaceGap(R2 - R1);
    EXPECT_NEAR(CooledArea(R1, R2, H, s0), 2 * (sides + face + 0.708924L * face), 1e-8L);
    EXPECT_NEAR(CooledArea(R1, R2, H, 1), ExposedArea(R1, R2, H), 1e-12L);
    EXPECT_NEAR(ExposedArea(R1, R2, H), 2 * (sides + 2 * face), 1e-16L);
}

// A dry winding's conductivity lies between the bound for copper in still air at 65-75 %
// copper, 0.0263 (1 + f) / (1 - f) = 0.13-0.18, and the 0.5 of impregnated ones.
TEST(HotSpot, DefaultConductivityIsADryWindings) {
    const long double air = 0.0263L;
    EXPECT_GT(kDryWindingConductivity, air * 1.65L / 0.35L);
    EXPECT_LT(kDryWindingConductivity, 0.5L);
}

// An insulated inside (hi = 0): T'(R1) = 0, A = q R1^2 / (2k), the peak at R1, and
//   T(R1) - mean = q (R2^2 - R1^2) / (8k) - q R1^2 / (2k) (R2^2 ln(R2/R1) / (R2^2 - R1^2) - 1/2).
// At R2 = 3 R1: q R1^2 / k (1 - (9 ln 3 / 8 - 1/2) / 2) = 0.6320306 q R1^2 / k, whatever the
// outside's coefficient. An insulated outside gives q/k (R2^2/4 - (R2^2 - R1^2)/8 -
// R1^2 R2^2 ln(R2/R1) / (2 (R2^2 - R1^2))), the same at every ratio (the two differ by
// (R2^2 - R1^2)/4 - (R2^2 - R1^2)/4); at R2 = 2 R1, q R1^2 / k (5/8 - 2 ln 2 / 3) = 0.1629019.
struct InsulatedCase {
    const char* name;
    long double R1, R2, hi, ho, coefficient;
};

TEST(HotSpot, OneSurfaceInsulated) {
    const long double q = 3.7e5L, k = 0.35L;
    const InsulatedCase cases[] = {
        {"inside insulated, 3:1, outside 12", 0.01L, 0.03L, 0, 12, 0.6320306L},
        {"inside insulated, 3:1, outside 40", 0.01L, 0.03L, 0, 40, 0.6320306L},
        {"outside insulated, 3:1", 0.01L, 0.03L, 12, 0, 0.6320306L},
        {"outside insulated, 2:1", 0.02L, 0.04L, 7, 0, 0.1629019L},
        {"inside insulated, 2:1", 0.02L, 0.04L, 0, 7, 0.1629019L},
    };
    for (const InsulatedCase& c : cases) {
        const long double unit = q * c.R1 * c.R1 / k;
        EXPECT_NEAR(InternalRise(q, c.R1, c.R2, k, c.hi, c.ho) / unit, c.coefficient, 2e-7L)
            << c.name;
    }
    // Both insulated: the heat has nowhere to go.
    EXPECT_TRUE(std::isinf(InternalRise(q, 0.01L, 0.03L, k, 0, 0)));
}

// A thin winding on a large radius is a slab of depth d cooled alike on both faces: the
// parabola q x (d - x) / (2k) peaks at q d^2 / (8k) and averages q d^2 / (12k), so the peak
// lies q d^2 / (24k) above the mean; the curvature changes that by about d/R1.
TEST(HotSpot, ThinWindingOnALargeRadiusIsASlab) {
    const long double q = 2.0e5L, k = 0.2L, d = 0.01L, R1 = 5;
    EXPECT_NEAR(InternalRise(q, R1, R1 + d, k, 11, 11) / (q * d * d / (24 * k)), 1, 3e-3L);
    // A 0.4 mm single layer: 2e5 * 1.6e-7 / 4.8 = 0.0067 K, nothing.
    EXPECT_NEAR(InternalRise(q, 0.02L, 0.0204L, k, 11, 11), q * 1.6e-7L / (24 * k), 2e-4L);
}

// The same equation solved independently: finite volumes on n cells of r dr, each node's
// conduction to its neighbours through r_(j+-1/2) k / dr, the end nodes' half cells cooled by
// h r; the tridiagonal system by elimination. The peak is the largest node, the mean the
// volume-weighted one.
long double InternalRiseByFiniteVolumes(long double q, long double R1, long double R2,
                                        long double k, long double hi, long double ho) {
    constexpr int n = 4000;
    const long double dr = (R2 - R1) / n;
    std::vector<long double> a(n + 1), b(n + 1), c(n + 1), rhs(n + 1), volume(n + 1);
    for (int j = 0; j <= n; ++j) {
        const long double r = R1 + j * dr;
        const long double lo = j == 0 ? r : r - dr / 2, hi2 = j == n ? r : r + dr / 2;
        volume[j] = (hi2 * hi2 - lo * lo) / 2;
        const long double west = j == 0 ? 0 : k * lo / dr, east = j == n ? 0 : k * hi2 / dr;
        a[j] = -west;
        c[j] = -east;
        b[j] = west + east + (j == 0 ? hi * R1 : 0) + (j == n ? ho * R2 : 0);
        rhs[j] = q * volume[j];
    }
    for (int j = 1; j <= n; ++j) {
        const long double m = a[j] / b[j - 1];
        b[j] -= m * c[j - 1];
        rhs[j] -= m * rhs[j - 1];
    }
    std::vector<long double> T(n + 1);
    T[n] = rhs[n] / b[n];
    for (int j = n - 1; j >= 0; --j)
        T[j] = (rhs[j] - c[j] * T[j + 1]) / b[j];
    long double peak = T[0], sum = 0, total = 0;
    for (int j = 0; j <= n; ++j) {
        peak = std::max(peak, T[j]);
        sum += T[j] * volume[j];
        total += volume[j];
    }
    return peak - sum / total;
}

struct RobinCase {
    const char* name;
    long double R1, R2, k, hi, ho;
};

TEST(HotSpot, AgreesWithFiniteVolumes) {
    const long double q = 1.6e5L;
    const RobinCase cases[] = {
        {"thick, outside cooled more", 0.020L, 0.045L, 0.2L, 5, 15},
        {"thick, inside cooled more", 0.020L, 0.045L, 0.2L, 15, 5},
        {"shallow, impregnated", 0.040L, 0.052L, 0.8L, 12, 12},
        {"deep on a small bore", 0.004L, 0.030L, 0.3L, 9, 13},
    };
    for (const RobinCase& c : cases) {
        const long double reference = InternalRiseByFiniteVolumes(q, c.R1, c.R2, c.k, c.hi, c.ho);
        EXPECT_NEAR(InternalRise(q, c.R1, c.R2, c.k, c.hi, c.ho) / reference, 1, 2e-4L) << c.name;
    }
    // Where the heat leaves matters: cooling the inside less moves the peak inwards and
    // raises it, so the two asymmetric cases differ.
    EXPECT_GT(std::fabs(InternalRise(q, 0.02L, 0.045L, 0.2L, 5, 15) -
                        InternalRise(q, 0.02L, 0.045L, 0.2L, 15, 5)),
              0.1L);
}

// Aluminium at 35 C fed 2.5 A, one coil R1 18 mm, R2 42 mm, H 25 mm, 2 mm apart, h = 9.
// A = CooledArea; Ra = R20 (1 + 0.00403 * 15); rise = I^2 Ra / (h A - I^2 R20 alpha); the hot
// spot is that plus the radial conduction's excess at q = P / (2 pi (R2^2 - R1^2) H), here
// from the finite volumes.
ThermalInput Aluminium(bool currentSource, long double source) {
    ThermalInput in;
    in.resistance20 = 3.1L;
    in.alpha = 0.00403L;
    in.ambient = 35;
    in.heatTransfer = 9;
    in.R1 = 0.018L;
    in.R2 = 0.042L;
    in.H = 0.025L;
    in.area = CooledArea(in.R1, in.R2, in.H, 0.002L);
    in.conductivity = 0.2L;
    in.currentSource = currentSource;
    in.source = source;
    // 0.3 kg of aluminium at 897 J/(kg K).
    in.heatCapacity = 0.3L * 897;
    return in;
}

TEST(HotSpot, ThickWindingRunsHotterThanItsMean) {
    const ThermalInput in = Aluminium(true, 2.5L);
    const ThermalState s = SteadyState(in);
    ASSERT_FALSE(s.runaway);
    const long double g = 9 * in.area, i2 = 6.25L;
    const long double ra = 3.1L * (1 + 0.00403L * 15);
    const long double rise = i2 * ra / (g - i2 * 3.1L * 0.00403L);
    EXPECT_NEAR(s.rise, rise, 1e-12L);
    const long double p = i2 * 3.1L * (1 + 0.00403L * (15 + rise));
    const long double q = p / (2 * kPi * (0.042L * 0.042L - 0.018L * 0.018L) * 0.025L);
    const long double internal = InternalRiseByFiniteVolumes(q, 0.018L, 0.042L, 0.2L, 9, 9);
    EXPECT_NEAR(s.hotSpot - s.rise, internal, 2e-4L * internal);
    EXPECT_GT(internal, 1);  // a 24 mm deep dry winding: kelvins, not hundredths
    // Without a conductivity the winding is taken at one temperature.
    ThermalInput lumped = in;
    lumped.conductivity = 0;
    EXPECT_EQ(SteadyState(lumped).hotSpot, SteadyState(lumped).rise);
}

// The facing faces 1 mm apart barely cool, 30 mm apart they cool as if alone: with a current
// source the rise is I^2 Ra / (h A - I^2 R20 alpha), A by hand from the faces kept.
TEST(HotSpot, FacingFacesAcrossANarrowGapRaiseTheRise) {
    const long double R1 = 0.018L, R2 = 0.042L, H = 0.025L;
    const long double sides = 2 * kPi * (R1 + R2) * H, face = kPi * (R2 * R2 - R1 * R1);
    const long double ra = 3.1L * (1 + 0.00403L * 15), i2 = 6.25L;
    // The face is 24 mm deep: s0 = (35 * 0.024 / 3.45276e9)^(1/4) = 3.950 mm. At 1 mm x =
    // 3.95^4 = 243.4, share 243.4^(-3/4) = 0.0163; at 30 mm x = 3.0e-4, share 0.99989.
    const struct { long double gap, share; } cases[] = {{0.001L, 0.0163L}, {0.030L, 0.99989L}};
    for (const auto& c : cases) {
        ThermalInput in = Aluminium(true, 2.5L);
        in.area = CooledArea(R1, R2, H, c.gap);
        const long double area = 2 * (sides + face + c.share * face);
        EXPECT_NEAR(in.area / area, 1, 1e-4L);
        const long double rise = i2 * ra / (9 * area - i2 * 3.1L * 0.00403L);
        EXPECT_NEAR(SteadyState(in).rise / rise, 1, 2e-4L) << static_cast<double>(c.gap);
    }
}

// A voltage source: at switch-on the winding is at the ambient, -10 C here, so the current is
// U / (R20 (1 + alpha (-30))), larger than the hot one by Rhot / Rcold, and the field with it.
TEST(SwitchOn, VoltageSourceStartsStrongerByTheColdResistance) {
    ThermalInput in = Aluminium(false, 24);
    in.ambient = -10;
    const ThermalState s = SteadyState(in);
    ASSERT_FALSE(s.runaway);
    const long double cold = 3.1L * (1 - 0.00403L * 30);
    EXPECT_NEAR(s.coldCurrent, 24 / cold, 1e-12L);
    EXPECT_NEAR(s.coldCurrent / s.current, (1 + 0.00403L * (s.rise - 30)) / (1 - 0.00403L * 30),
                1e-12L);
    // With a reactance of 4 ohm the impedance sets it: U / sqrt(Rcold^2 + 16).
    in.reactance = 4;
    EXPECT_NEAR(SteadyState(in).coldCurrent, 24 / std::sqrt(cold * cold + 16), 1e-12L);
    // A current source starts at its own current.
    EXPECT_EQ(SteadyState(Aluminium(true, 2.5L)).coldCurrent, 2.5L);
}

// tau = m c / (h A - dP/dT): without a temperature coefficient, m c / (h A); a current source
// heats more as it warms, dP/dT = I^2 R20 alpha, and settles slower; a voltage source heats
// less, dP/dT = -U^2 R20 alpha / R^2, and settles faster.
TEST(SwitchOn, TimeConstantOfTheSettling) {
    const long double mc = 0.3L * 897;
    ThermalInput flat = Aluminium(true, 2.5L);
    flat.alpha = 0;
    const long double g = 9 * flat.area;
    EXPECT_NEAR(SteadyState(flat).timeConstant, mc / g, 1e-9L);
    EXPECT_NEAR(SteadyState(Aluminium(true, 2.5L)).timeConstant, mc / (g - 6.25L * 3.1L * 0.00403L),
                1e-9L);
    const ThermalState v = SteadyState(Aluminium(false, 24));
    EXPECT_NEAR(v.timeConstant, mc / (g + 576 * 3.1L * 0.00403L / (v.resistance * v.resistance)),
                1e-9L);
    ThermalInput none = Aluminium(false, 24);
    none.heatCapacity = 0;
    EXPECT_EQ(SteadyState(none).timeConstant, 0);
}

// The time constant against the heat balance m c dT/dt = P(T) - h A T itself, integrated by
// fourth-order Runge-Kutta from 1 K off the steady rise, with a reactance so that the power's
// slope has both terms: after one time constant the offset has shrunk to 1/e of itself.
TEST(SwitchOn, TimeConstantMatchesTheIntegratedBalance) {
    ThermalInput in = Aluminium(false, 24);
    in.reactance = 2.5L;
    const ThermalState s = SteadyState(in);
    ASSERT_GT(s.timeConstant, 0);
    const long double mc = in.heatCapacity, g = in.heatTransfer * in.area;
    auto rate = [&](long double rise) {
        const long double r = in.resistance20 * (1 + in.alpha * (in.ambient + rise - 20));
        const long double p = in.source * in.source * r / (r * r + in.reactance * in.reactance);
        return (p - g * rise) / mc;
    };
    // 1 K off decays within the linear range; the second order changes it by ~1e-4.
    const long double start = s.rise + 1;
    long double T = start;
    constexpr int kSteps = 2000;
    const long double dt = s.timeConstant / kSteps;
    for (int i = 0; i < kSteps; ++i) {
        const long double k1 = rate(T), k2 = rate(T + dt / 2 * k1), k3 = rate(T + dt / 2 * k2),
                          k4 = rate(T + dt * k3);
        T += dt / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
    }
    EXPECT_NEAR((T - s.rise) / (start - s.rise), 1 / 2.718281828459045235L, 5e-4L);
}

}  // namespace
