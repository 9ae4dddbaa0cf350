// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accuracy/exact_coils.h"

// The flux function psi = r * A_phi of the windings, SI units (T*m^2, i.e. Wb per radian).
// A field line in the r-z half-plane is a line of constant psi, and 2 pi (psi2 - psi1) is the
// flux between two such lines, so contours at equal steps of psi are drawn as densely as |B|
// is strong: B_z = (1/r) d psi / dr, B_r = -(1/r) d psi / dz.
namespace varnel::exact {

// psi of a loop of radius a carrying 1 A at a point at radius rho, with da = a - rho and
// dz = z_point - z_loop: the mutual inductance of the loop and the circle through the point,
// over 2 pi (Maxwell's formula, by the complete elliptic integrals).
long double LoopFluxFunction(long double a, long double rho, long double da, long double dz);

// psi of a coil carrying I at (rho, z): the loops' psi over its cross-section by the
// double-exponential rule of step 2^-level, the section split at the point, where the loop's
// psi has a logarithmic singularity.
long double CoilFluxFunction(const Coil& coil, long double rho, long double z, long double I,
                             int level);

// psi of the pair (coils centred at -/+(H/2 + h/2), N turns each) carrying I at (rho, z).
long double PairFluxFunction(long double R1, long double R2, long double H, long double h,
                             long double N, long double rho, long double z, long double I,
                             int level);

}  // namespace varnel::exact
