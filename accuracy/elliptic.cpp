// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/elliptic.h"

#include <cmath>
#include <numbers>

namespace varnel::exact {

CompleteElliptic EllipticKE(long double kSquared, long double kComplement) {
    long double a = 1;
    long double b = kComplement;
    // E = K * (1 - sum of 2^(n-1) c_n^2), with c_0^2 = k^2.
    long double sum = kSquared / 2;
    long double weight = 1;
    for (int n = 0; n < 40; ++n) {
        const long double c = (a - b) / 2;
        sum += weight * c * c;
        // Once c is below 1e-10 a, the next mean (a + b) / 2 is within c^2 / (8 a) < 2e-21 a
        // of the limit and the terms still to come are below 1e-40: the last square root is
        // not needed.
        if (std::fabs(c) <= a * 1e-10L) {
            a = (a + b) / 2;
            break;
        }
        const long double next = (a + b) / 2;
        b = std::sqrt(a * b);
        a = next;
        weight *= 2;
    }
    const long double K = std::numbers::pi_v<long double> / (2 * a);
    return {K, K * (1 - sum)};
}

double Cel(double kc, double p, double c, double s) {
    constexpr double kPi = std::numbers::pi;
    double k = std::fabs(kc);
    if (k < 1e-300)
        k = 1e-300;  // the integral's limit as kc -> 0 is held by the smallest modulus
    double pp = p, cc = c, ss = s, em = 1;
    if (p > 0) {
        pp = std::sqrt(p);
        ss = s / pp;
    } else {
        double f = kc * kc;
        double q = 1 - f;
        const double g = 1 - pp;
        f -= pp;
        q *= ss - c * pp;
        pp = std::sqrt(f / g);
        cc = (c - ss) / g;
        ss = -q / (g * g * pp) + cc * pp;
    }
    double f = cc;
    cc += ss / pp;
    double g = k / pp;
    ss = 2 * (ss + f * g);
    pp += g;
    g = em;
    em += k;
    double kk = k;
    // Quadratic convergence: once the means agree to 1e-9 the result has double precision.
    for (int it = 0; it < 40 && std::fabs(g - k) > g * 1e-9; ++it) {
        k = 2 * std::sqrt(kk);
        kk = k * em;
        f = cc;
        cc += ss / pp;
        g = kk / pp;
        ss = 2 * (ss + f * g);
        pp += g;
        g = em;
        em += k;
    }
    return kPi / 2 * (ss + cc * em) / (em * (em + pp));
}

}  // namespace varnel::exact
