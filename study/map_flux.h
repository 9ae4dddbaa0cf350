// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stop_token>
#include <vector>

#include "engine/calc_record.h"
#include "study/grid.h"

// The flux function psi = r A_phi of the pair for the field lines of a map: the lines are its
// contours, at equal steps of psi, so that the flux between neighbouring lines is the same
// everywhere and their density shows |B|.
namespace varnel {

struct FluxGrid {
    std::vector<double> psi;  // Wb/rad, x-major with z varying fastest as FieldGrid gives it
    bool complete = false;    // false: stopped before the end
};

// psi of the record's pair carrying I over the grid, exactly (the windings' thin solenoids in
// closed form, summed across the radius as for the exact field), on `threads` threads. A grid
// symmetric about the mid-plane is computed for z >= 0 only: psi is even in z.
FluxGrid MapFluxGrid(const CalcRecord& rec, double I, const GridRange& x, const GridRange& z,
                     unsigned threads, std::stop_token stop = {});

// The step of psi between field lines: a tenth of the flux through the bore in the mid-plane.
// It depends on the design alone, so the lines stay where they are when the view moves.
inline constexpr int kFieldLinesThroughBore = 10;
double FieldLineStep(const CalcRecord& rec, double I);

}  // namespace varnel
