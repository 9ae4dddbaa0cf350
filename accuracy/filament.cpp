// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/filament.h"

#include <cmath>
#include <numbers>

#include "accuracy/elliptic.h"

namespace varnel::exact {

FieldComponents LoopField(long double a, long double rho, long double da, long double dz) {
    const long double far2 = (a + rho) * (a + rho) + dz * dz;  // (a + rho)^2 + dz^2
    const long double near2 = da * da + dz * dz;               // (a - rho)^2 + dz^2
    if (rho == 0) {
        // On the axis: mu0 a^2 / (2 (a^2 + dz^2)^(3/2)), axial only.
        return {0, kMu0 * a * a / (2 * far2 * std::sqrt(far2))};
    }
    const long double k2 = 4 * a * rho / far2;
    const long double kc = std::sqrt(near2 / far2);
    const CompleteElliptic ke = EllipticKE(k2, kc);
    const long double scale = kMu0 / (2 * std::numbers::pi_v<long double> * std::sqrt(far2));
    // a^2 - rho^2 - dz^2, formed from the offsets so it keeps its digits near the filament.
    const long double axialRatio = (da * (2 * rho + da) - dz * dz) / near2;
    const long double radialRatio = (a * a + rho * rho + dz * dz) / near2;
    FieldComponents b;
    b.axial = scale * (ke.K + axialRatio * ke.E);
    if (rho * rho < kNearAxis * kNearAxis * near2) {
        // So near the axis, against the distance to the filament, that -K + ratio E cancels to
        // a few digits (and dz / rho may pass the largest number): the field's expansion about
        // the axis instead, Br = -rho/2 B1 + rho^3/16 B3, with B1 and B3 the first and third
        // derivatives in dz of the on-axis field C s^(-3/2), s = a^2 + dz^2, C = mu0 a^2 / 2.
        // Its next term is (rho^2 / s)^2 smaller.
        const long double s2 = a * a + dz * dz;
        const long double C = kMu0 * a * a / 2;
        const long double inv = 1 / (s2 * s2 * std::sqrt(s2));  // s^(-5/2)
        const long double halfB1 = 1.5L * C * dz * inv;         // -B1 / 2
        const long double B3 = (45 * C * dz - 105 * C * dz * dz * dz / s2) * inv / s2;
        b.radial = rho * halfB1 + rho * rho * rho / 16 * B3;
    } else {
        b.radial = scale * dz / rho * (-ke.K + radialRatio * ke.E);
    }
    return b;
}

namespace {

// F(3/2, 3/2; 3; x) and its companion sum of (2n + 3) c_n x^n, the series of M and of
// dM/dk * k / 3 in powers of x = k^2 (every term positive, so no digit is lost).
struct SeriesSums {
    long double mutual = 0, derivative = 0;
};

constexpr int kMostTerms = 400;

// The ratios c_(n+1) / c_n of the series' coefficients, (n + 3/2)^2 / ((n + 3)(n + 1)), worked
// once: a term is the one before times its ratio and x.
struct SeriesRatios {
    long double ratio[kMostTerms];

    SeriesRatios() {
        for (int n = 0; n < kMostTerms; ++n) {
            const long double m = n + 1.5L;
            ratio[n] = m * m / ((n + 3) * (n + 1.0L));
        }
    }
};

SeriesSums Hypergeometric(long double x) {
    static const SeriesRatios ratios;
    SeriesSums s;
    long double term = 1;
    for (int n = 0; n < kMostTerms; ++n) {
        s.mutual += term;
        s.derivative += (2 * n + 3) * term;
        term *= ratios.ratio[n] * x;
        if (term * (2 * n + 5) <= s.derivative * 1e-21L)
            break;
    }
    return s;
}

// d/dk [(2/k - k) K - 2 E / k] = ((2 - k^2) E / k'^2 - 2 K) / k^2.
long double MaxwellSlope(long double k2, long double kc, const CompleteElliptic& ke) {
    return ((2 - k2) * ke.E / (kc * kc) - 2 * ke.K) / k2;
}

}  // namespace

// k^2 = 4ab / ((a + b)^2 + d^2) and k' = sqrt(((a - b)^2 + d^2) / ((a + b)^2 + d^2)).
// For the series: r = sqrt((a + b)^2 + d^2) and a b / r, so that loops any distance apart
// keep their mutual inductance and its derivative where those are representable (r is never
// raised to a power): sqrt(ab) k^3 = 8 (ab)^2 / r^3 is taken as (ab/r)^2 / r, and the
// derivative's (ab)^2 d / r^5 as (ab/r)^2 (d/r) / r^2 (r^5 passes the largest number for coils
// 1e1000 m apart, whose force, the dipole limit, is still representable). dk/dd = -k d / far2.
LoopPairAtDistances::LoopPairAtDistances(long double a, long double b, long double db)
    : a_(a),
      b_(b),
      sum_(a + b),
      sumSquared_((a + b) * (a + b)),
      fourAB_(4 * a * b),
      ab_(a * b),
      dbSquared_(db * db),
      mu0RootAB_(kMu0 * std::sqrt(a * b)) {}

long double LoopPairAtDistances::Mutual(long double d) const {
    const long double far2 = sumSquared_ + d * d;
    const long double k2 = fourAB_ / far2;
    if (k2 < kSeriesBelow) {
        const long double r = std::hypot(sum_, d), abOverR = ab_ / r;
        return kMu0 * std::numbers::pi_v<long double> * abOverR * abOverR / (2 * r) *
               Hypergeometric(k2).mutual;
    }
    const long double kc = std::sqrt((dbSquared_ + d * d) / far2);
    const long double k = std::sqrt(k2);
    const CompleteElliptic ke = EllipticKE(k2, kc);
    return mu0RootAB_ * ((2 / k - k) * ke.K - 2 / k * ke.E);
}

LoopMutualValues LoopPairAtDistances::MutualAndDerivative(long double d) const {
    const long double far2 = sumSquared_ + d * d;
    const long double k2 = fourAB_ / far2;
    if (k2 < kSeriesBelow) {
        const SeriesSums sums = Hypergeometric(k2);
        const long double r = std::hypot(sum_, d), abOverR = ab_ / r;
        return {kMu0 * std::numbers::pi_v<long double> * abOverR * abOverR / (2 * r) * sums.mutual,
                -kMu0 * std::numbers::pi_v<long double> * abOverR * abOverR * (d / r) /
                    (2 * r * r) * sums.derivative};
    }
    const long double kc = std::sqrt((dbSquared_ + d * d) / far2);
    const long double k = std::sqrt(k2);
    const CompleteElliptic ke = EllipticKE(k2, kc);
    return {mu0RootAB_ * ((2 / k - k) * ke.K - 2 / k * ke.E),
            -mu0RootAB_ * k * d / far2 * MaxwellSlope(k2, kc, ke)};
}

long double LoopMutualByMaxwell(long double a, long double b, long double db, long double d) {
    const long double far2 = (a + b) * (a + b) + d * d;
    const long double k2 = 4 * a * b / far2;
    const CompleteElliptic ke = EllipticKE(k2, std::sqrt((db * db + d * d) / far2));
    const long double k = std::sqrt(k2);
    return kMu0 * std::sqrt(a * b) * ((2 / k - k) * ke.K - 2 / k * ke.E);
}

long double LoopMutualBySeries(long double a, long double b, long double, long double d) {
    const long double r = std::hypot(a + b, d), abOverR = a * b / r;
    const long double k2 = 4 * a * b / ((a + b) * (a + b) + d * d);
    return kMu0 * std::numbers::pi_v<long double> * abOverR * abOverR / (2 * r) *
           Hypergeometric(k2).mutual;
}

long double LoopMutualInductance(long double a, long double b, long double db, long double d) {
    return LoopPairAtDistances(a, b, db).Mutual(d);
}

long double LoopMutualDerivative(long double a, long double b, long double db, long double d) {
    return LoopPairAtDistances(a, b, db).MutualAndDerivative(d).derivative;
}

LoopMutualValues LoopMutualAndDerivative(long double a, long double b, long double db,
                                         long double d) {
    return LoopPairAtDistances(a, b, db).MutualAndDerivative(d);
}

}  // namespace varnel::exact
