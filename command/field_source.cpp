// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/field_source.h"

namespace varnel {

long double RecomputingFieldSource::Radial(long double x, long double z, long double I) {
    return FieldRadial(rec_, x, z, I);
}

long double RecomputingFieldSource::Axial(long double x, long double z, long double I) {
    return FieldAxial(rec_, x, z, I);
}

long double RecomputingFieldSource::Modulus(long double x, long double z, long double I) {
    return FieldModulus(rec_, x, z, I);
}

long double RecomputingFieldSource::Angle(long double x, long double z, long double I) {
    return FieldAngle(rec_, x, z, I);
}

const PairSums& ReusingFieldSource::SumsAt(long double x, long double z) {
    // Equal coordinates give equal sums; -0 and +0 do too, since every place a coordinate
    // enters (x*x, 2*x*r, x*c, z -/+ offset) gives the same value for both.
    for (const Point& p : points_) {
        if (p.x == x && p.z == z)
            return p.sums;
    }
    points_.push_back({x, z, PairFieldSums(rec_, x, z)});
    return points_.back().sums;
}

long double ReusingFieldSource::Radial(long double x, long double z, long double I) {
    return PairRadialFromSums(rec_, SumsAt(x, z), I);
}

long double ReusingFieldSource::Axial(long double x, long double z, long double I) {
    return PairAxialFromSums(rec_, SumsAt(x, z), I);
}

long double ReusingFieldSource::Modulus(long double x, long double z, long double I) {
    const PairSums& sums = SumsAt(x, z);
    const long double radial = PairRadialFromSums(rec_, sums, I);
    const long double axial = PairAxialFromSums(rec_, sums, I);
    return FieldModulusOf(radial, axial);
}

long double ReusingFieldSource::Angle(long double x, long double z, long double I) {
    const PairSums& sums = SumsAt(x, z);
    const long double radial = PairRadialFromSums(rec_, sums, I);
    const long double axial = PairAxialFromSums(rec_, sums, I);
    return FieldAngleOf(radial, axial);
}

}  // namespace varnel
