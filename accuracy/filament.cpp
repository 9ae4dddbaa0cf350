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

// The loops' geometry for Maxwell's formula: k^2 = 4ab / ((a + b)^2 + d^2) and k'.
struct LoopPair {
    long double far2, k2, kc;
};

LoopPair PairOf(long double a, long double b, long double db, long double d) {
    const long double far2 = (a + b) * (a + b) + d * d;
    return {far2, 4 * a * b / far2, std::sqrt((db * db + d * d) / far2)};
}

// F(3/2, 3/2; 3; x) and its companion sum of (2n + 3) c_n x^n, the series of M and of
// dM/dk * k / 3 in powers of x = k^2 (every term positive, so no digit is lost).
struct SeriesSums {
    long double mutual = 0, derivative = 0;
};

SeriesSums Hypergeometric(long double x) {
    SeriesSums s;
    long double term = 1;
    for (int n = 0; n < 400; ++n) {
        s.mutual += term;
        s.derivative += (2 * n + 3) * term;
        const long double m = n + 1.5L;
        term *= m * m / ((n + 3) * (n + 1.0L)) * x;
        if (term * (2 * n + 5) <= s.derivative * 1e-21L)
            break;
    }
    return s;
}

}  // namespace

namespace {

// r = sqrt((a + b)^2 + d^2) and a b / r, so that loops any distance apart keep their mutual
// inductance and its derivative where those are representable: r is never raised to a power.
struct FarScale {
    long double r, abOverR;
};

FarScale FarOf(long double a, long double b, long double d) {
    const long double r = std::hypot(a + b, d);
    return {r, a * b / r};
}

// sqrt(ab) k^3 = 8 (ab)^2 / r^3, taken as (ab/r)^2 / r: the series' factor, without
// cancellation or overflow.
long double SeriesFactor(long double a, long double b, long double d) {
    const FarScale f = FarOf(a, b, d);
    return kMu0 * std::numbers::pi_v<long double> * f.abOverR * f.abOverR / (2 * f.r);
}

long double MaxwellMutual(long double a, long double b, long double k, const CompleteElliptic& ke) {
    return kMu0 * std::sqrt(a * b) * ((2 / k - k) * ke.K - 2 / k * ke.E);
}

// dk/dd = -k d / far2. (ab)^2 d / r^5 as (ab/r)^2 (d/r) / r^2: r^5 passes the largest number
// for coils 1e1000 m apart, whose force (the dipole limit) is still representable.
long double SeriesDerivative(long double a, long double b, long double d, const SeriesSums& sums) {
    const FarScale f = FarOf(a, b, d);
    return -kMu0 * std::numbers::pi_v<long double> * f.abOverR * f.abOverR * (d / f.r) /
           (2 * f.r * f.r) * sums.derivative;
}

// d/dk [(2/k - k) K - 2 E / k] = ((2 - k^2) E / k'^2 - 2 K) / k^2.
long double MaxwellDerivative(long double a, long double b, long double d, const LoopPair& p,
                              long double k, const CompleteElliptic& ke) {
    const long double dfdk = ((2 - p.k2) * ke.E / (p.kc * p.kc) - 2 * ke.K) / p.k2;
    return -kMu0 * std::sqrt(a * b) * k * d / p.far2 * dfdk;
}

}  // namespace

long double LoopMutualByMaxwell(long double a, long double b, long double db, long double d) {
    const LoopPair p = PairOf(a, b, db, d);
    return MaxwellMutual(a, b, std::sqrt(p.k2), EllipticKE(p.k2, p.kc));
}

long double LoopMutualBySeries(long double a, long double b, long double db, long double d) {
    const LoopPair p = PairOf(a, b, db, d);
    return SeriesFactor(a, b, d) * Hypergeometric(p.k2).mutual;
}

long double LoopMutualInductance(long double a, long double b, long double db, long double d) {
    const LoopPair p = PairOf(a, b, db, d);
    if (p.k2 < kSeriesBelow)
        return SeriesFactor(a, b, d) * Hypergeometric(p.k2).mutual;
    return MaxwellMutual(a, b, std::sqrt(p.k2), EllipticKE(p.k2, p.kc));
}

long double LoopMutualDerivative(long double a, long double b, long double db, long double d) {
    const LoopPair p = PairOf(a, b, db, d);
    if (p.k2 < kSeriesBelow)
        return SeriesDerivative(a, b, d, Hypergeometric(p.k2));
    return MaxwellDerivative(a, b, d, p, std::sqrt(p.k2), EllipticKE(p.k2, p.kc));
}

LoopMutualValues LoopMutualAndDerivative(long double a, long double b, long double db,
                                         long double d) {
    const LoopPair p = PairOf(a, b, db, d);
    if (p.k2 < kSeriesBelow) {
        const SeriesSums sums = Hypergeometric(p.k2);
        return {SeriesFactor(a, b, d) * sums.mutual, SeriesDerivative(a, b, d, sums)};
    }
    const long double k = std::sqrt(p.k2);
    const CompleteElliptic ke = EllipticKE(p.k2, p.kc);
    return {MaxwellMutual(a, b, k, ke), MaxwellDerivative(a, b, d, p, k, ke)};
}

}  // namespace varnel::exact
