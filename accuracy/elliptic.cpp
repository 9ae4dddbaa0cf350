// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/elliptic.h"

#include <array>
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

namespace {

// One integral's part of Bulirsch's iteration: p, c and s as the transformation carries them.
struct CelTerms {
    double pp, cc, ss;

    CelTerms(double kc, double p, double c, double s) : pp(p), cc(c), ss(s) {
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
    }

    // One step with the modulus terms k (or kk) and em of the iteration, shared by every
    // integral of the same kc.
    void Step(double kk) {
        const double f = cc;
        cc += ss / pp;
        const double g = kk / pp;
        ss = 2 * (ss + f * g);
        pp += g;
    }

    double Value(double em) const {
        return std::numbers::pi / 2 * (ss + cc * em) / (em * (em + pp));
    }
};

// Bulirsch's iteration for integrals that share kc: the modulus sequence (k, em) is the same
// for each, only p, c and s differ, so one sequence of square roots serves them all.
template <std::size_t n>
std::array<double, n> CelOfOneModulus(double kc, std::array<CelTerms, n> terms) {
    double k = std::fabs(kc);
    if (k < 1e-300)
        k = 1e-300;  // the integral's limit as kc -> 0 is held by the smallest modulus
    double em = 1;
    for (CelTerms& t : terms)
        t.Step(k);
    double g = em;
    em += k;
    double kk = k;
    // Quadratic convergence: once the means agree to 1e-9 the result has double precision.
    for (int it = 0; it < 40 && std::fabs(g - k) > g * 1e-9; ++it) {
        k = 2 * std::sqrt(kk);
        kk = k * em;
        for (CelTerms& t : terms)
            t.Step(kk);
        g = em;
        em += k;
    }
    std::array<double, n> values{};
    for (std::size_t i = 0; i < n; ++i)
        values[i] = terms[i].Value(em);
    return values;
}

}  // namespace

double Cel(double kc, double p, double c, double s) {
    return CelOfOneModulus<1>(kc, {CelTerms(kc, p, c, s)})[0];
}

std::array<double, 2> CelPair(double kc, double p1, double c1, double s1, double p2, double c2,
                              double s2) {
    return CelOfOneModulus<2>(kc, {CelTerms(kc, p1, c1, s1), CelTerms(kc, p2, c2, s2)});
}

}  // namespace varnel::exact
