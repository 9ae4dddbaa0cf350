// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stop_token>
#include <vector>

#include "engine/calc_record.h"
#include "study/grid.h"

// The field of the pair for pictures: the windings with the current spread evenly over their
// sections, by the accuracy library's fast exact field (accuracy/winding_field.h: thin
// solenoids in closed form added over the radius, within 1e-9 of the exact integrals). It
// differs from the calculator's sampled sums by their sampling error only, and it is a hundred
// times faster: fast enough to redraw a whole map as the inputs change.
namespace varnel {

struct MapVector {
    double radial = 0;  // T
    double axial = 0;   // T
};

// The pair's field at (x, z) for the record's geometry and turns and the current I (A).
MapVector MapFieldAt(const CalcRecord& rec, double I, double x, double z);

// The field over a grid, x-major with z varying fastest as FieldGrid gives it.
struct MapGrid {
    GridRange x, z;
    std::vector<MapVector> field;
    double centre = 0;      // |B| at the centre by the same model, T
    bool complete = false;  // false: stopped before the end
};

// Computes the grid's columns in parallel on `threads` threads. A grid symmetric about the
// mid-plane (z from -a to a) is computed for z >= 0 only: the pair's field is even in z for
// Bz and odd for Bx. Stops early, incomplete, when `stop` is requested.
MapGrid MapFieldGrid(const CalcRecord& rec, double I, const GridRange& x, const GridRange& z,
                     unsigned threads, std::stop_token stop = {});

}  // namespace varnel
