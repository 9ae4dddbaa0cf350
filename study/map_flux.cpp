// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_flux.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "accuracy/flux_function.h"

namespace varnel {
namespace {

// The double-exponential rule's step for the cells: 2^-1, 13 nodes a side, which keeps psi to
// about 1e-6 of itself away from the windings; a cell is far coarser than that.
constexpr int kCellLevel = 2;

double PairPsi(const CalcRecord& rec, double I, double x, double z, int level) {
    return static_cast<double>(
        exact::PairFluxFunction(rec.R1, rec.R2, rec.H, rec.hh, rec.N, x, z, I, level));
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
                column[j] =
                    PairPsi(rec, I, xi, static_cast<double>(z.At(static_cast<int>(j))), kCellLevel);
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
    return PairPsi(rec, I, static_cast<double>(rec.R1), 0, 3) / kFieldLinesThroughBore;
}

}  // namespace varnel
