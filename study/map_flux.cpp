// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_flux.h"

#include <algorithm>
#include <cmath>

#include "accuracy/flux_function.h"
#include "study/map_columns.h"

namespace varnel {
namespace {

// The double-exponential rule's step for one winding, by how far the point is from its
// section: 2^-2 (25 nodes a side) on it and near it, where the loops' psi bends sharply, 2^-1
// (13 nodes) beyond the section's own size, where the integrand is smooth. Both keep
// psi within about 1e-5 of itself, far below a field line's step (2^0 does not).
int LevelFor(const exact::Coil& c, double x, double z) {
    const double dx = std::max({0.0, static_cast<double>(c.R1) - x, x - static_cast<double>(c.R2)});
    const double dz =
        std::max(0.0, std::fabs(z - static_cast<double>(c.centre)) - static_cast<double>(c.H) / 2);
    const double size = static_cast<double>(std::min(c.R2 - c.R1, c.H));
    const double distance = std::hypot(dx, dz);
    return distance > size ? 1 : 2;
}

double PairPsi(const CalcRecord& rec, double I, double x, double z) {
    const long double offset = rec.H / 2 + rec.hh / 2;
    double sum = 0;
    for (const long double centre : {-offset, offset}) {
        const exact::Coil coil{rec.R1, rec.R2, rec.H, centre, rec.N};
        sum += static_cast<double>(exact::CoilFluxFunction(coil, x, z, I, LevelFor(coil, x, z)));
    }
    return sum;
}

}  // namespace

FluxGrid MapFluxGrid(const CalcRecord& rec, double I, const GridRange& x, const GridRange& z,
                     unsigned threads, std::stop_token stop) {
    FluxGrid grid;
    // psi is even in z.
    grid.complete = FillMapColumns(
        grid.psi, x, z, threads, stop,
        [&](double xi, double zj) { return PairPsi(rec, I, xi, zj); },
        [](double psi) { return psi; });
    return grid;
}

double FieldLineStep(const CalcRecord& rec, double I) {
    return static_cast<double>(
               exact::PairFluxFunction(rec.R1, rec.R2, rec.H, rec.hh, rec.N, rec.R1, 0, I, 3)) /
           kFieldLinesThroughBore;
}

}  // namespace varnel
