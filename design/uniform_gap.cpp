// SPDX-License-Identifier: GPL-3.0-or-later
// The most uniform spacing and height of a pair, where the second-order term vanishes.
#include <nlopt.hpp>

#include <vector>

#include "design/search.h"

namespace varnel::design {

long double SecondOrderRatio(const PairGeometry& g) {
    const CentreExpansion e(g, 1, 2);
    return e.Coefficients()[2] / e.Coefficients()[0];
}

namespace {

// The zero of f on [lo, hi] by NLopt's bounded local search on f^2, from the middle.
template <typename F>
long double ZeroBetween(const F& f, long double lo, long double hi) {
    struct Data {
        const F* f;
        long double lo, hi;
    } data{&f, lo, hi};
    nlopt::opt opt(nlopt::LN_BOBYQA, 1);
    opt.set_lower_bounds(std::vector<double>{0.0});
    opt.set_upper_bounds(std::vector<double>{1.0});
    opt.set_min_objective(
        [](unsigned, const double* u, double*, void* p) {
            const auto* d = static_cast<const Data*>(p);
            const long double v = (*d->f)(d->lo + (d->hi - d->lo) * u[0]);
            return static_cast<double>(v * v);
        },
        &data);
    opt.set_xtol_abs(1e-12);
    opt.set_ftol_abs(0);
    opt.set_maxeval(400);
    std::vector<double> x{0.5};
    double value = 0;
    try {
        opt.optimize(x, value);
    } catch (const std::exception&) {
    }
    return lo + (hi - lo) * x[0];
}

}  // namespace

long double MostUniformGap(long double R1, long double R2, long double H, long double hLow,
                           long double hHigh) {
    return ZeroBetween(
        [&](long double h) {
            // Scaled so the objective is of order one near the zero.
            return SecondOrderRatio({R1, R2, H, h, 1}) * R1 * R2;
        },
        hLow, hHigh);
}

long double MostUniformHeight(long double meanRadius, long double area, long double spacing,
                              long double HLow, long double HHigh) {
    return ZeroBetween(
        [&](long double H) {
            const long double depth = area / H;
            const PairGeometry g{meanRadius - depth / 2, meanRadius + depth / 2, H, spacing - H, 1};
            // The residue is of the order of the section's square: scale it up to order one.
            return SecondOrderRatio(g) * meanRadius * meanRadius * meanRadius * meanRadius / area;
        },
        HLow, HHigh);
}

}  // namespace varnel::design
