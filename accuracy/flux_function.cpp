// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/flux_function.h"

#include <cmath>
#include <numbers>

#include "accuracy/filament.h"
#include "accuracy/tanh_sinh.h"

namespace varnel::exact {
namespace {

// One side of the section cut at the point: its length and the offsets of its ends from the
// point, so a node next to the point keeps its digits.
struct Side {
    long double toStart, toEnd;

    long double OffsetAt(const TanhSinh::Node& n) const {
        const long double length = toEnd - toStart;
        return std::fabs(toStart) <= std::fabs(toEnd) ? toStart + length * n.s
                                                      : toEnd - length * n.complement;
    }
    long double Length() const { return toEnd - toStart; }
};

// [lo, hi] as offsets from p, cut at p when p lies inside.
int SidesOf(long double lo, long double hi, long double p, Side out[2]) {
    if (p > lo && p < hi) {
        out[0] = {lo - p, 0};
        out[1] = {0, hi - p};
        return 2;
    }
    out[0] = {lo - p, hi - p};
    return 1;
}

}  // namespace

long double LoopFluxFunction(long double a, long double rho, long double da, long double dz) {
    if (rho == 0 || a == 0)
        return 0;  // no flux through a circle of no size
    return LoopMutualInductance(a, rho, da, dz) / (2 * std::numbers::pi_v<long double>);
}

long double CoilFluxFunction(const Coil& coil, long double rho, long double z, long double I,
                             int level) {
    if (rho == 0)
        return 0;
    const TanhSinh rule(level);
    const long double density = coil.N * I / ((coil.R2 - coil.R1) * coil.H);
    Side radial[2], axial[2];
    const int nr = SidesOf(coil.R1, coil.R2, rho, radial);
    const int nz = SidesOf(coil.centre - coil.H / 2, coil.centre + coil.H / 2, z, axial);
    long double sum = 0;
    for (int i = 0; i < nr; ++i) {
        for (int j = 0; j < nz; ++j) {
            long double piece = 0;
            for (const auto& nodeZ : rule.nodes()) {
                const long double dz = -axial[j].OffsetAt(nodeZ);  // z_point - z_loop
                long double row = 0;
                for (const auto& nodeR : rule.nodes()) {
                    const long double da = radial[i].OffsetAt(nodeR);  // a - rho
                    row += nodeR.weight * LoopFluxFunction(rho + da, rho, da, dz);
                }
                piece += nodeZ.weight * row;
            }
            sum += piece * radial[i].Length() * axial[j].Length();
        }
    }
    return density * sum;
}

long double PairFluxFunction(long double R1, long double R2, long double H, long double h,
                             long double N, long double rho, long double z, long double I,
                             int level) {
    const long double offset = H / 2 + h / 2;
    return CoilFluxFunction({R1, R2, H, -offset, N}, rho, z, I, level) +
           CoilFluxFunction({R1, R2, H, offset, N}, rho, z, I, level);
}

}  // namespace varnel::exact
