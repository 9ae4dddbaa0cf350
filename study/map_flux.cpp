// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/map_flux.h"

#include "accuracy/winding_field.h"
#include "study/map_columns.h"

namespace varnel {
namespace {

double PairPsi(const CalcRecord& rec, double I, double x, double z) {
    return exact::PairWindingFluxFunction(static_cast<double>(rec.R1), static_cast<double>(rec.R2),
                                          static_cast<double>(rec.H), static_cast<double>(rec.hh),
                                          static_cast<double>(rec.N), I, x, z);
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
    return PairPsi(rec, I, static_cast<double>(rec.R1), 0) / kFieldLinesThroughBore;
}

}  // namespace varnel
