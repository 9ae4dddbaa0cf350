// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_field.h"

#include <atomic>
#include <cmath>
#include <thread>

#include "accuracy/winding_field.h"

namespace varnel {

MapVector MapFieldAt(const CalcRecord& rec, double I, double x, double z) {
    const exact::FastField b = exact::PairWindingField(
        static_cast<double>(rec.R1), static_cast<double>(rec.R2), static_cast<double>(rec.H),
        static_cast<double>(rec.hh), static_cast<double>(rec.N), I, x, z);
    return {b.radial, b.axial};
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
