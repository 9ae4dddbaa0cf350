// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/elliptic.h"

#include <array>
#include <cmath>
#include <numbers>

#include "accuracy/twin.h"

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

// One integral's p, c and s for both moduli, lane m for modulus m.
struct TwinTerms {
    Twin pp, cc, ss;

    // CelTerms::Step with one division instead of two.
    void Step(Twin kk) {
        const Twin f = cc;
        const Twin r = 1 / pp;
        cc += ss * r;
        const Twin g = kk * r;
        ss = 2 * (ss + f * g);
        pp += g;
    }
};

}  // namespace

double Cel(double kc, double p, double c, double s) {
    return CelOfOneModulus<1>(kc, {CelTerms(kc, p, c, s)})[0];
}

std::array<double, 2> CelPair(double kc, double p1, double c1, double s1, double p2, double c2,
                              double s2) {
    return CelOfOneModulus<2>(kc, {CelTerms(kc, p1, c1, s1), CelTerms(kc, p2, c2, s2)});
}

}  // namespace varnel::exact

namespace varnel::exact {

namespace {

// Two integrals for four moduli (modulus j in lane j % 2 of half j / 2), from their starting
// terms: Bulirsch's iteration for all of them in step, until every modulus has converged.
SolenoidCels IterateInStep(const std::array<double, 4>& kc, TwinTerms first[2],
                           TwinTerms second[2]) {
    Twin k[2];
    for (std::size_t j = 0; j < 4; ++j)
        k[j / 2][static_cast<int>(j % 2)] = std::fmax(std::fabs(kc[j]), 1e-300);
    Twin em[2], g[2], kk[2];
    for (std::size_t half = 0; half < 2; ++half) {
        em[half] = Twin{1, 1};
        first[half].Step(k[half]);
        second[half].Step(k[half]);
        g[half] = em[half];
        em[half] += k[half];
        kk[half] = k[half];
    }
    for (int it = 0; it < 40; ++it) {
        bool going = false;
        for (std::size_t half = 0; half < 2; ++half) {
            const Twin gap = g[half] - k[half];
            going = going || std::fabs(gap[0]) > g[half][0] * 1e-9 ||
                    std::fabs(gap[1]) > g[half][1] * 1e-9;
        }
        if (!going)
            break;
        for (std::size_t half = 0; half < 2; ++half) {
            k[half] = 2 * SquareRoot(kk[half]);
            kk[half] = k[half] * em[half];
            first[half].Step(kk[half]);
            second[half].Step(kk[half]);
            g[half] = em[half];
            em[half] += k[half];
        }
    }
    SolenoidCels out{};
    for (std::size_t half = 0; half < 2; ++half) {
        const Twin e = em[half];
        const Twin r = std::numbers::pi / 2 * (first[half].ss + first[half].cc * e) /
                       (e * (e + first[half].pp));
        const Twin a = std::numbers::pi / 2 * (second[half].ss + second[half].cc * e) /
                       (e * (e + second[half].pp));
        for (int lane = 0; lane < 2; ++lane) {
            out.radial[2 * half + static_cast<std::size_t>(lane)] = r[lane];
            out.axial[2 * half + static_cast<std::size_t>(lane)] = a[lane];
        }
    }
    return out;
}

}  // namespace

SolenoidCels SolenoidCelsOf(const std::array<double, 4>& kc, const std::array<double, 4>& gamma) {
    TwinTerms radial[2], axial[2];
    for (std::size_t j = 0; j < 4; ++j) {
        const std::size_t half = j / 2;
        const int lane = static_cast<int>(j % 2);
        // p = 1: pp = 1, c = 1, s = -1 as they are.
        radial[half].pp[lane] = 1;
        radial[half].cc[lane] = 1;
        radial[half].ss[lane] = -1;
        const double g = gamma[j], modulus = std::fabs(kc[j]);
        // p = gamma^2 > 0: pp = |gamma| and s / pp = the sign of gamma; at gamma = 0 the
        // transformation for p <= 0 gives pp = s = |kc| (the mean of the two sides' limits).
        axial[half].pp[lane] = g != 0 ? std::fabs(g) : modulus;
        axial[half].cc[lane] = 1;
        axial[half].ss[lane] = g > 0 ? 1 : (g < 0 ? -1 : modulus);
    }
    return IterateInStep(kc, radial, axial);
}

SolenoidCels SolenoidFluxCelsOf(const std::array<double, 4>& kc,
                                const std::array<double, 4>& gamma) {
    TwinTerms plain[2], third[2];
    for (std::size_t j = 0; j < 4; ++j) {
        const std::size_t half = j / 2;
        const int lane = static_cast<int>(j % 2);
        // p = 1, c = 0, s = 1 as they are.
        plain[half].pp[lane] = 1;
        plain[half].cc[lane] = 0;
        plain[half].ss[lane] = 1;
        // p = gamma^2, c = 0, s = gamma^2: pp = |gamma| and s / pp = |gamma|; at gamma = 0 the
        // integrand is zero, and so are its terms (pp any positive number).
        const double g = std::fabs(gamma[j]);
        third[half].pp[lane] = g != 0 ? g : 1;
        third[half].cc[lane] = 0;
        third[half].ss[lane] = g;
    }
    return IterateInStep(kc, plain, third);
}

}  // namespace varnel::exact
