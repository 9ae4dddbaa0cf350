// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_flux.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "accuracy/flux_function.h"

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
    const auto nz = static_cast<std::size_t>(z.count);
    grid.psi.resize(static_cast<std::size_t>(x.count) * nz);
    const bool mirrored = z.count > 1 && z.start == -z.stop;
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
            double* column = grid.psi.data() + static_cast<std::size_t>(i) * nz;
            for (std::size_t j = first; j < nz; ++j)
                column[j] = PairPsi(rec, I, xi, static_cast<double>(z.At(static_cast<int>(j))));
            for (std::size_t j = 0; j < first; ++j)
                column[j] = column[nz - 1 - j];
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

double FieldLineStep(const CalcRecord& rec, double I) {
    return static_cast<double>(
               exact::PairFluxFunction(rec.R1, rec.R2, rec.H, rec.hh, rec.N, rec.R1, 0, I, 3)) /
           kFieldLinesThroughBore;
}

}  // namespace varnel
