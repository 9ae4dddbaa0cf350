// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <stop_token>
#include <vector>

#include "study/grid.h"
#include "study/parallel_runner.h"

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
    auto column = [&](std::size_t i) {
        const double xi = static_cast<double>(x.At(static_cast<int>(i)));
        Cell* cell = cells.data() + i * nz;
        for (std::size_t j = first; j < nz; ++j)
            cell[j] = value(xi, static_cast<double>(z.At(static_cast<int>(j))));
        for (std::size_t j = 0; j < first; ++j)
            cell[j] = mirror(cell[nz - 1 - j]);
    };
    return ParallelFor(static_cast<std::size_t>(x.count), std::max(1u, threads), column, stop);
}

}  // namespace varnel
