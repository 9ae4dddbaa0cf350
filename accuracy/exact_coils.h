// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accuracy/filament.h"

// High-accuracy values for the coil pair, independent of the classic engine: the field and the
// inductances of windings of uniform current density, integrated over their cross-sections
// from the exact filament formulas.
namespace varnel::exact {

// One coil: the winding R1 <= r <= R2 over a height H, centred at z = centre, N turns.
struct Coil {
    long double R1, R2, H, centre, N;
};

// A value with the change between the last two refinements, as an estimate of its error.
struct Refined {
    long double value = 0;
    long double change = 0;  // |value at the finer rule - value at the coarser|
};

// Flux density of a coil carrying I at (rho, z). The cross-section is split at the point, so a
// point inside the winding is handled too (the filament field's 1/r singularity is integrable).
FieldComponents CoilField(const Coil& coil, long double rho, long double z, long double I,
                          int level);

// The pair's field at (rho, z): both coils (centred at -/+(H/2 + h/2)), refined once.
struct RefinedField {
    Refined radial, axial;
};
RefinedField PairField(long double R1, long double R2, long double H, long double h, long double N,
                       long double rho, long double z, long double I);

// Self-inductance of one coil (the logarithmic singularity of the filament self-term lies on
// an edge of the integration domain, where the double-exponential rule resolves it).
// The rule's step is 2^-level at the coarser level and half that at the finer.
Refined SelfInductance(long double R1, long double R2, long double H, long double N, int level = 3);

// Mutual inductance of the two coils a gap h apart, and its derivative with respect to h.
struct MutualResult {
    Refined mutual;
    Refined derivative;  // dM/dh, H/m
};
MutualResult MutualInductance(long double R1, long double R2, long double H, long double h,
                              long double N);

// Direction of the field in degrees from +Z towards +X, with pi itself: -180 straight along -Z,
// 360 where both components vanish (the classic program's conventions).
long double AngleDegrees(long double radial, long double axial);

// How far that angle can move, in degrees, when the components move by their estimates.
long double AngleError(const RefinedField& field);

}  // namespace varnel::exact
