// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_field.h"

#include <cmath>

#include "accuracy/winding_field.h"
#include "study/map_columns.h"

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
    const MapVector c = MapFieldAt(rec, I, 0, 0);
    grid.centre = std::hypot(c.radial, c.axial);
    // Mirrored about the mid-plane: Bx changes sign, Bz keeps it.
    grid.complete = FillMapColumns(
        grid.field, x, z, threads, stop,
        [&](double xi, double zj) { return MapFieldAt(rec, I, xi, zj); },
        [](const MapVector& m) {
            return MapVector{-m.radial, m.axial};
        });
    return grid;
}

}  // namespace varnel
