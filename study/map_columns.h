// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <stop_token>
#include <thread>
#include <vector>

#include "study/grid.h"

namespace varnel {

// Fills the cells of a map (x varying slowest, z fastest) on `threads` threads, a column at a
// time: value(x, z) at each point, or, on a grid symmetric about the mid-plane, the rows from
// the middle up with each lower row mirror(its image). False when stopped before the end.
template <typename Cell, typename Value, typename Mirror>
bool FillMapColumns(std::vector<Cell>& cells, const GridRange& x, const GridRange& z,
                    unsigned threads, std::stop_token stop, Value value, Mirror mirror) {
    const auto nz = static_cast<std::size_t>(z.count);
    cells.resize(static_cast<std::size_t>(x.count) * nz);
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
            Cell* column = cells.data() + static_cast<std::size_t>(i) * nz;
            for (std::size_t j = first; j < nz; ++j)
                column[j] = value(xi, static_cast<double>(z.At(static_cast<int>(j))));
            for (std::size_t j = 0; j < first; ++j)
                column[j] = mirror(column[nz - 1 - j]);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned t = 1; t < std::max(1u, threads); ++t)
            helpers.emplace_back(work);
        work();
    }
    return !stopped;
}

}  // namespace varnel
