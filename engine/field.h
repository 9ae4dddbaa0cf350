// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calc_record.h"

// Flux density of the coil pair by a direct Biot-Savart sum over the windings: each coil's
// cross-section is sampled at 25 x 25 midpoints, each ring at 30 azimuths. The routines read
// N, R1, R2, H and hh from the record; they write nothing.
namespace varnel {

// One coil centred at z = 0; x from the axis, z along it (m), current I (A); result in T.
long double FieldRadialOne(const CalcRecord& rec, long double x, long double z, long double I);
long double FieldAxialOne(const CalcRecord& rec, long double x, long double z, long double I);

// The pair: lower coil centred at -(H/2 + hh/2), upper at +(H/2 + hh/2), in series.
long double FieldRadial(const CalcRecord& rec, long double x, long double z, long double I);
long double FieldAxial(const CalcRecord& rec, long double x, long double z, long double I);
long double FieldModulus(const CalcRecord& rec, long double x, long double z, long double I);
// Angle of the pair's field to +Z, towards +x, in degrees (-180..180) for the current I;
// 360 where both components are exactly zero.
long double FieldAngle(const CalcRecord& rec, long double x, long double z, long double I);
long double FieldAngleOf(long double radial, long double axial);

// The raw sums of one coil before the prefactor, both components from one pass over the
// winding: they do not depend on the current, so one pass serves every current.
struct CoilSums {
    long double radial = 0;
    long double axial = 0;
};
CoilSums CoilFieldSums(const CalcRecord& rec, long double x, long double z);

// Both coils' sums at one point of the pair's frame, lower coil first.
struct PairSums {
    CoilSums lower;
    CoilSums upper;
};
PairSums PairFieldSums(const CalcRecord& rec, long double x, long double z);

// One coil's flux density from its raw sum; the same arithmetic as the one-coil routines.
long double CoilFieldFromSum(const CalcRecord& rec, long double sum, long double I);

// The pair's components from its sums, bit for bit what FieldRadial and FieldAxial give.
long double PairRadialFromSums(const CalcRecord& rec, const PairSums& sums, long double I);
long double PairAxialFromSums(const CalcRecord& rec, const PairSums& sums, long double I);
long double FieldModulusOf(long double radial, long double axial);

}  // namespace varnel
