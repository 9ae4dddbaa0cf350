// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_field.h"

#include <array>
#include <atomic>
#include <cmath>
#include <thread>

namespace varnel {
namespace {

constexpr double kPiD = 3.14159265358979323846;
constexpr double kMu0 = 4e-7 * kPiD;
constexpr int kNodes = 10;  // Gauss-Legendre nodes over each radial stretch

struct Gauss {
    std::array<double, kNodes> node{}, weight{};  // on [-1, 1]
};

// The nodes and weights by Newton's method on the Legendre polynomial.
const Gauss& Legendre() {
    static const Gauss g = [] {
        Gauss out;
        for (int i = 0; i < kNodes; ++i) {
            double t = std::cos(kPiD * (i + 0.75) / (kNodes + 0.5));
            double derivative = 1;
            for (int it = 0; it < 100; ++it) {
                double p0 = 1, p1 = t;
                for (int k = 2; k <= kNodes; ++k) {
                    const double p2 = ((2 * k - 1) * t * p1 - (k - 1) * p0) / k;
                    p0 = p1;
                    p1 = p2;
                }
                derivative = kNodes * (t * p1 - p0) / (t * t - 1);
                const double step = p1 / derivative;
                t -= step;
                if (std::fabs(step) < 1e-16)
                    break;
            }
            out.node[static_cast<std::size_t>(i)] = t;
            out.weight[static_cast<std::size_t>(i)] = 2 / ((1 - t * t) * derivative * derivative);
        }
        return out;
    }();
    return g;
}

// Bulirsch's generalised complete elliptic integral
// cel(kc, p, c, s) = int_0^pi/2 (c cos^2 + s sin^2) / ((cos^2 + p sin^2) sqrt(cos^2 + kc^2 sin^2)).
double Cel(double kc, double p, double c, double s) {
    double k = std::fabs(kc);
    if (k < 1e-300)
        k = 1e-300;
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
    return kPiD / 2 * (ss + cc * em) / (em * (em + pp));
}

// A thin solenoid of radius a from z = -b to b carrying the surface current density K (A/m),
// at radius rho and height z; the closed form of Derby and Olbert (2010).
MapVector Sheet(double a, double b, double K, double rho, double z) {
    const double b0 = kMu0 * K / kPiD;
    const double sum = a + rho;
    const double gamma = (a - rho) / sum;
    MapVector out;
    for (int end = 0; end < 2; ++end) {
        const double zz = end == 0 ? z + b : z - b;
        const double sign = end == 0 ? 1 : -1;
        const double root = std::sqrt(zz * zz + sum * sum);
        const double kc = std::sqrt((zz * zz + (a - rho) * (a - rho))) / root;
        out.radial += sign * (a / root) * Cel(kc, 1, 1, -1);
        out.axial += sign * (zz / root) * Cel(kc, gamma * gamma, 1, gamma);
    }
    out.radial *= b0;
    out.axial *= b0 * a / sum;
    return out;
}

// One winding of radii R1..R2 and height H centred at z = 0, current density J (A/m^2): the
// sheets added over the radius, in two stretches when the point's radius falls inside, where
// the axial field bends.
MapVector Coil(double R1, double R2, double H, double J, double rho, double z) {
    const Gauss& g = Legendre();
    MapVector out;
    auto stretch = [&](double from, double to) {
        const double half = (to - from) / 2, mid = (to + from) / 2;
        for (int i = 0; i < kNodes; ++i) {
            const auto n = static_cast<std::size_t>(i);
            const MapVector s = Sheet(mid + half * g.node[n], H / 2, J, rho, z);
            out.radial += half * g.weight[n] * s.radial;
            out.axial += half * g.weight[n] * s.axial;
        }
    };
    if (rho > R1 && rho < R2) {
        stretch(R1, rho);
        stretch(rho, R2);
    } else {
        stretch(R1, R2);
    }
    return out;
}

}  // namespace

MapVector MapFieldAt(const CalcRecord& rec, double I, double x, double z) {
    const double R1 = static_cast<double>(rec.R1), R2 = static_cast<double>(rec.R2);
    const double H = static_cast<double>(rec.H);
    const double offset = static_cast<double>(rec.H / 2 + rec.hh / 2);
    const double J = static_cast<double>(rec.N) * I / ((R2 - R1) * H);
    const double rho = std::fabs(x);
    const MapVector lower = Coil(R1, R2, H, J, rho, z + offset);
    const MapVector upper = Coil(R1, R2, H, J, rho, z - offset);
    const double side = x < 0 ? -1 : 1;
    return {side * (lower.radial + upper.radial), lower.axial + upper.axial};
}

MapGrid MapFieldGrid(const CalcRecord& rec, double I, const GridRange& x, const GridRange& z,
                     unsigned threads, std::stop_token stop) {
    MapGrid grid;
    grid.x = x;
    grid.z = z;
    const std::size_t nz = static_cast<std::size_t>(z.count);
    grid.field.resize(static_cast<std::size_t>(x.count) * nz);
    const MapVector c = MapFieldAt(rec, I, 0, 0);
    grid.centre = std::hypot(c.radial, c.axial);
    const bool mirrored = z.count > 1 && z.start == -z.stop;
    // Mirrored: the rows from the middle up; each lower row is its mirror image.
    const std::size_t first = mirrored ? nz / 2 : 0;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
    auto work = [&] {
        for (int i = next++; i < x.count; i = next++) {
            if (stop.stop_requested()) {
                stopped = true;
                return;
            }
            const double xi = static_cast<double>(x.At(i));
            MapVector* column = grid.field.data() + static_cast<std::size_t>(i) * nz;
            for (std::size_t j = first; j < nz; ++j)
                column[j] = MapFieldAt(rec, I, xi, static_cast<double>(z.At(static_cast<int>(j))));
            if (mirrored) {
                for (std::size_t j = 0; j < first; ++j) {
                    const MapVector& m = column[nz - 1 - j];
                    column[j] = {-m.radial, m.axial};
                }
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned t = 1; t < std::max(1u, threads); ++t)
            helpers.emplace_back(work);
        work();
    }
    grid.complete = !stopped;
    return grid;
}

}  // namespace varnel
