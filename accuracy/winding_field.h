// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The exact field of windings of uniform current density, fast: each winding is a stack of thin
// solenoids, each in closed form (Derby and Olbert's formula with Bulirsch's cel), added over
// the radius by Gauss-Legendre rules whose length is chosen from how close the point lies to
// the sheets' singular radii, split at the point's radius. Double precision; it agrees with the
// tanh-sinh integrals of exact_coils.h within 1e-9 of |B|, inside the windings too, at about a
// microsecond a point: fast enough for maps, profiles, Python arrays and the studio's views. The
// classic engine's sums differ from it by their sampling alone.
namespace varnel::exact {

struct FastField {
    double radial = 0;  // T, away from the axis
    double axial = 0;   // T
};

// One winding R1 <= r <= R2 over the height H, centred at z = 0, with the current density J
// (A/m^2), at the radius rho >= 0 and the height z (m).
FastField WindingField(double R1, double R2, double H, double J, double rho, double z);

// The pair: windings centred at -/+(H/2 + h/2), N turns each carrying I (A). A negative x is
// the mirror image of -x (the radial component changes sign).
FastField PairWindingField(double R1, double R2, double H, double h, double N, double I, double x,
                           double z);

// The flux function psi = rho A_phi (Wb per radian) of the same winding and of the pair, by the
// same thin solenoids (their psi in closed form) and the same rules across the radius: the
// field lines' contours. Zero on the axis; psi is even in x.
double WindingFluxFunction(double R1, double R2, double H, double J, double rho, double z);
double PairWindingFluxFunction(double R1, double R2, double H, double h, double N, double I,
                               double x, double z);

}  // namespace varnel::exact
