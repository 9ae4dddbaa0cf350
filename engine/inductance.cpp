// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/inductance.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "engine/constants.h"
#include "engine/real_power.h"

namespace varnel {
namespace {

thread_local FaultCheck tFaultCheck = nullptr;

// The value of a step of the formulas, once the installed check has seen what it raised.
long double Step(long double value) {
    if (tFaultCheck != nullptr)
        tFaultCheck(value);
    return value;
}

// pi^2 and 4*pi^2*1e-7 for the program's pi.
constexpr long double kPiSquared = 9.86960406437476000L;
constexpr long double kFourPiSquaredE7 = 3.94784162574990400e-6L;
// mu0/(4*pi), its half and 2*pi times it, each a rounded literal: the formulas multiply by these
// literals rather than by values derived from pi, and the results depend on their digits.
constexpr long double kMu0Over4Pi = 1e-7L;
constexpr long double kHalfMu0Over4Pi = 5e-8L;
constexpr long double kTwoPiE7 = 6.2831852e-7L;

// Coefficients of the odd powers k, k^3, k^5, ..., k^13 in the long-coil series.
using OddPowerCoefficients = std::array<long double, 7>;

constexpr OddPowerCoefficients kS0Coefficients = {
    0, -1.0L / 8, 1.0L / 16, -15.0L / 128, 21.0L / 128, -315.0L / 1024, 297.0L / 512};
constexpr OddPowerCoefficients kS2Coefficients = {
    1.0L / 3, -5.0L / 12, 2.0L / 3, -95.0L / 64, 217.0L / 64, -2135.0L / 256, 21571.0L / 1024};
constexpr OddPowerCoefficients kS4Coefficients = {-1.0L / 18,
                                                  17.0L / 90,
                                                  -1.10416666666666667L,
                                                  4.39236111111111111L,
                                                  -16.8650173611111111L,
                                                  3913.0L / 64,
                                                  215.45712890625L};
constexpr OddPowerCoefficients kS6Coefficients = {0,
                                                  1.0L / 60,
                                                  -0.267857142857142857L,
                                                  3.32440476190476190L,
                                                  -24.6458333333333333L,
                                                  76461.0L / 512,
                                                  -789.8107421875L};

// The constant terms of the long-coil series: 8/(3pi), 2/(3pi), 1/(30pi), 1/(336pi).
constexpr long double kEightOver3Pi = 0.848826377636192123L;
constexpr long double kTwoOver3Pi = 0.212206594409048031L;
constexpr long double kOneOver30Pi = 0.0106103297204524015L;
constexpr long double kOneOver336Pi = 0.000947350867897535852L;

// Fractions of the short, flat and disc formulas.
constexpr long double kPiOver3 = 1.04719753333333333L;
constexpr long double k25Over72 = 0.347222222222222222L;
constexpr long double k19Over768 = 0.0247395833333333333L;
constexpr long double k67Over7200 = 0.00930555555555555556L;
constexpr long double k17Over3840 = 0.00442708333333333333L;
constexpr long double k11Over2880 = 0.00381944444444444444L;
constexpr long double k7Over384 = 0.0182291666666666667L;
constexpr long double k43Over288 = 0.149305555555555556L;
constexpr long double k1Over150 = 0.00666666666666666667L;
constexpr long double k2Over35 = 0.0571428571428571429L;
constexpr long double k23Over288 = 0.0798611111111111111L;
constexpr long double k31Over2304 = 0.0134548611111111111L;
constexpr long double k1Over180 = 0.00555555555555555556L;

long double OddPowerSeries(const OddPowerCoefficients& coefficients, long double k) {
    long double sum = coefficients[0] * k;
    for (std::size_t i = 1; i < coefficients.size(); ++i) {
        sum += coefficients[i] * RealPower(k, static_cast<long double>(2 * i + 1));
    }
    return sum;
}

// N^2 * (R1 + R2): the turns-and-size factor that every formula is scaled by.
long double TurnsScale(long double N, const CoilShape& shape) {
    return Step(N * N * (shape.R1 + shape.R2));
}

// Correction for the finite height of a flat or disc coil (t > 1).
long double FlatHeightCorrection(const CoilShape& s) {
    const long double l2 = s.l * s.l;
    const long double l4 = RealPower(s.l, 4);
    const long double g2 = s.g * s.g;
    const long double t2 = Step(s.t * s.t);
    const long double t4 = Step(RealPower(s.t, 4));
    const long double logFourOverG = Step(std::log(4 / s.g));
    return kPiOver3 * (1 / s.t) * (1 + l2 / 5 + l2 * g2 / 15 - k2Over35 * l4)  //
           - logFourOverG * (l2 / 8 - l4 / 64 + k7Over384 * l2 * g2)           //
           - std::log(s.t) * (1 / (6 * t2)) * (1 + l2 / 4 + l2 * g2 / 4)       //
           - l2 / 8                                                            //
           - k25Over72 / t2                                                    //
           + l2 * g2 / 2304                                                    //
           - k1Over180 / t4                                                    //
           - k23Over288 * l2 / t2                                              //
           - k31Over2304 * l4;
}

}  // namespace

CoilShape ShapeOf(long double R1, long double R2, long double Hc) {
    CoilShape shape{};
    shape.R1 = R1;
    shape.R2 = R2;
    shape.l = Step(Hc / (R1 + R2));
    // 4*l*l overflows for the tallest coils and leaves k = 0, which the long-coil formula
    // then divides by: the overflow is the fault to report.
    shape.k = Step(1 / std::sqrt(4 * shape.l * shape.l + 1));
    shape.t = Step((R2 - R1) / Hc);
    shape.rho = R1 / R2;
    shape.g = (R2 - R1) / (R2 + R1);
    return shape;
}

InductanceFormula ChooseInductanceFormula(const CoilShape& shape) {
    if (shape.l >= 0.75L)
        return InductanceFormula::Long;
    if (shape.t <= 1)
        return InductanceFormula::Short;
    if (shape.g > 0.5L)
        return InductanceFormula::Disc;
    return InductanceFormula::Flat;
}

long double LongCoilInductance(long double N, const CoilShape& s) {
    const long double k = s.k;
    const long double g = s.g;
    const long double logFourOverG = Step(std::log(4 / g));
    const long double s0 = 1 / k - kEightOver3Pi + OddPowerSeries(kS0Coefficients, k);
    const long double s2 =
        kTwoOver3Pi * (logFourOverG - 1.91666666666666667L) + OddPowerSeries(kS2Coefficients, k);
    const long double s4 =
        kOneOver30Pi * (logFourOverG - 0.05L) + OddPowerSeries(kS4Coefficients, k);
    const long double s6 = kOneOver336Pi * (1.15L * logFourOverG - 0.811964285714285714L) +
                           OddPowerSeries(kS6Coefficients, k);
    Step(s0);
    // The thickness correction: zero for a thin cylindrical current sheet (g = 0).
    const long double b = 4.0L / 3 * s.l * g - 2.0L / 3 * s.l * (g * g) - s2 * (g * g) +
                          s4 * RealPower(g, 4) + s6 * RealPower(g, 6);
    const long double onS0 = Step(kMu0Over4Pi * TurnsScale(N, s) * kPiSquared / (2 * s.l * s.l));
    const long double onB = Step(kFourPiSquaredE7 * TurnsScale(N, s) / (8 * s.l * s.l));
    return onS0 * s0 - onB * b;
}

long double ShortCoilInductance(long double N, const CoilShape& s) {
    const long double l2 = s.l * s.l;
    const long double l4 = RealPower(s.l, 4);
    const long double g2 = s.g * s.g;
    const long double g4 = RealPower(s.g, 4);
    const long double t2 = s.t * s.t;
    const long double t4 = RealPower(s.t, 4);
    const long double logFourOverL = Step(std::log(4 / s.l));
    const long double m = (1 + l2 / 8 - l4 / 64) * logFourOverL - 0.5L + l2 / 32 + l4 / 96;
    const long double c = kPiOver3 * s.t                                                       //
                          - k25Over72 * t2                                                     //
                          - g2 / 8                                                             //
                          + k19Over768 * l2 * g2                                               //
                          - t4 / 180                                                           //
                          + k67Over7200 * t2 * g2                                              //
                          - k17Over3840 * g4                                                   //
                          - logFourOverL * (g2 / 24 + k11Over2880 * g4 + k7Over384 * l2 * g2)  //
                          - std::log(1 / s.t) * (t2 / 6 - g2 * t2 / 120);
    Step(c);
    const long double f = kMu0Over4Pi * TurnsScale(N, s);
    return kTwoPi * f * (m - c);
}

long double FlatCoilInductance(long double N, const CoilShape& s) {
    const long double g2 = s.g * s.g;
    const long double g4 = RealPower(s.g, 4);
    const long double logFourOverG = Step(std::log(4 / s.g));
    const long double m =
        (1 + g2 / 24 + k11Over2880 * g4) * logFourOverG - 0.5L + k43Over288 * g2 + k1Over150 * g4;
    const long double onM = Step(kHalfMu0Over4Pi * TurnsScale(N, s) * kFourPi * m);
    return onM - kTwoPiE7 * TurnsScale(N, s) * FlatHeightCorrection(s);
}

long double DiscCoilInductance(long double N, const CoilShape& s) {
    const long double rho = s.rho;
    const long double rho3 = RealPower(rho, 3);
    // A ratio R1/R2 below the range reads as 0, and its logarithm divides by zero.
    const long double logRho = Step(std::log(rho));
    const long double p = 1.7424L + 3.29L * rho3 * logRho - 2.27L * rho3 +
                          0.3702L * RealPower(rho, 5) + 0.0826L * RealPower(rho, 7) +
                          0.0312L * RealPower(rho, 9);
    Step(p);
    const long double onP =
        Step(kHalfMu0Over4Pi * TurnsScale(N, s) * (RealPower(1 + s.g, 3) / (s.g * s.g)) * p);
    return onP - kTwoPiE7 * TurnsScale(N, s) * FlatHeightCorrection(s);
}

InductanceAndTurns CoilInductance(long double R1, long double R2, long double Hc, long double D,
                                  long double Lambda) {
    const long double N = Step(Lambda * 4 * (R2 - R1) * Hc / (kPi * D * D));
    const CoilShape shape = ShapeOf(R1, R2, Hc);
    switch (ChooseInductanceFormula(shape)) {
        case InductanceFormula::Long:
            return {LongCoilInductance(N, shape), N};
        case InductanceFormula::Short:
            return {ShortCoilInductance(N, shape), N};
        case InductanceFormula::Disc:
            return {DiscCoilInductance(N, shape), N};
        case InductanceFormula::Flat:
            break;
    }
    return {FlatCoilInductance(N, shape), N};
}

InductanceAndTurns PairInductance(long double R1, long double R2, long double H, long double h,
                                  long double D, long double Lambda) {
    // Summed in this order, left to right: the order of the rounding is part of the result.
    long double a = Step(2 * CoilInductance(R1, R2, H, D, Lambda).inductance);
    a = Step(CoilInductance(R1, R2, Step(2 * H + h), D, Lambda).inductance + a);
    a = Step(CoilInductance(R1, R2, h, D, Lambda).inductance + a);
    const InductanceAndTurns last = CoilInductance(R1, R2, Step(H + h), D, Lambda);
    return {a - 2 * last.inductance, last.turns};
}

FaultCheckScope::FaultCheckScope(FaultCheck check) : previous_(tFaultCheck) {
    tFaultCheck = check;
}

FaultCheckScope::~FaultCheckScope() {
    tFaultCheck = previous_;
}

}  // namespace varnel
