// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/field.h"

#include <array>
#include <cmath>

#include "engine/constants.h"

namespace varnel {
namespace {

constexpr int kLayers = 25;    // samples over the height
constexpr int kRings = 25;     // samples over the thickness
constexpr int kAzimuths = 30;  // samples over the azimuth
// 2 * 3.1415926 / 30 as one constant at full extended precision.
constexpr long double kAzimuthStep = 0.20943950666666666667L;
constexpr long double kMu0 = 1.25663704e-6L;

// Keeps a value opaque to the optimiser, so that a cosine is always computed by the library
// at run time and never folded at compile time, where it could round differently.
long double Opaque(long double v) {
    asm volatile("" : "+m"(v));
    return v;
}

// The thirty sample azimuths never fall on the plane of the field point (none is a multiple
// of pi), so no element lies at distance zero from a point off the winding's rings.
long double AzimuthCosine(int k) {
    return std::cos(Opaque((k + 0.5L) * 2 * kPi / 30));
}

const std::array<long double, kAzimuths>& AzimuthCosines() {
    static const std::array<long double, kAzimuths> table = [] {
        std::array<long double, kAzimuths> t{};
        for (int k = 0; k < kAzimuths; ++k)
            t[static_cast<std::size_t>(k)] = AzimuthCosine(k);
        return t;
    }();
    return table;
}

// The sample grid of one coil centred at z = 0.
struct Winding {
    long double R1, thickness, H, dr, dz;

    explicit Winding(const CalcRecord& rec)
        : R1(rec.R1),
          thickness(rec.R2 - rec.R1),
          H(rec.H),
          dr((rec.R2 - rec.R1) / kRings),
          dz(rec.H / kLayers) {}

    long double Layer(int i) const { return (i + 0.5L) * H / kLayers - H / 2; }
    long double Ring(int j) const { return (j + 0.5L) * thickness / kRings + R1; }
};

// The axial element's numerator, products left to right; the radial one is
// c * dzp * r * dphi * dr * dz, formed in the sum itself.
inline long double AxialElement(const Winding& w, long double x, long double c, long double r) {
    return (r - x * c) * r * kAzimuthStep * w.dr * w.dz;
}

}  // namespace

long double CoilFieldFromSum(const CalcRecord& rec, long double sum, long double I) {
    return kMu0 * rec.N * I * sum / ((rec.R2 - rec.R1) * kFourPi * rec.H);
}

namespace {

// What the element sums need that does not depend on the layer, tabulated once per point:
// for every ring j and azimuth k, the distance's first three terms x*x - c*(2*x*r) + r*r
// (the layer adds only dzp*dzp, last) and the whole axial numerator (r - x*c)*r*dphi*dr*dz.
// Each entry is the very expression the element would form, on the same values in the same
// order; 80-bit values stored and loaded again are unchanged, so every sum keeps its bits.
// The inner loop is then one load, one add, a square root, a cube and two divisions an
// element, instead of recomputing a dozen extended products held in memory.
struct RingTables {
    std::array<long double, kRings> radius;
    std::array<long double, kRings * kAzimuths> distanceBase;
    std::array<long double, kRings * kAzimuths> axialNumerator;
};

void FillRingTables(const Winding& w, long double x, RingTables& t) {
    const auto& cosines = AzimuthCosines();
    const long double xx = x * x;
    const long double twoX = 2 * x;
    for (int j = 0; j < kRings; ++j) {
        const long double r = w.Ring(j);
        const long double twoXR = twoX * r;
        const long double rr = r * r;
        t.radius[static_cast<std::size_t>(j)] = r;
        for (int k = 0; k < kAzimuths; ++k) {
            const long double c = cosines[static_cast<std::size_t>(k)];
            const auto e = static_cast<std::size_t>(j * kAzimuths + k);
            t.distanceBase[e] = xx - c * twoXR + rr;
            t.axialNumerator[e] = AxialElement(w, x, c, r);
        }
    }
}

}  // namespace

CoilSums CoilFieldSums(const CalcRecord& rec, long double x, long double z) {
    // The elements of the one-coil formulas, added in their order (layer, ring, azimuth
    // fastest), each product formed left to right as they write it.
    const auto& cosines = AzimuthCosines();
    const Winding w(rec);
    RingTables t;
    FillRingTables(w, x, t);
    // The radial numerator c*dzp*r*dphi*dr*dz starts with c*dzp: one per layer and azimuth,
    // the same for every ring.
    std::array<long double, kAzimuths> cosineOffset;
    const long double step = kAzimuthStep, dr = w.dr, dz = w.dz;
    long double radial = 0, axial = 0;
    for (int i = 0; i < kLayers; ++i) {
        const long double dzp = z - w.Layer(i);
        const long double dzp2 = dzp * dzp;
        for (int k = 0; k < kAzimuths; ++k)
            cosineOffset[static_cast<std::size_t>(k)] = cosines[static_cast<std::size_t>(k)] * dzp;
        const long double* base = t.distanceBase.data();
        const long double* axialNumerator = t.axialNumerator.data();
        for (int j = 0; j < kRings; ++j) {
            const long double r = t.radius[static_cast<std::size_t>(j)];
            for (int k = 0; k < kAzimuths; ++k) {
                const long double d = std::sqrt(base[k] + dzp2);
                const long double cube = d * d * d;
                radial += cosineOffset[static_cast<std::size_t>(k)] * r * step * dr * dz / cube;
                axial += axialNumerator[k] / cube;
            }
            base += kAzimuths;
            axialNumerator += kAzimuths;
        }
    }
    return {radial, axial};
}

long double FieldRadialOne(const CalcRecord& rec, long double x, long double z, long double I) {
    // Each component's sum is the shared pass's, bit for bit: both are accumulated in the
    // same order from the same elements.
    return CoilFieldFromSum(rec, CoilFieldSums(rec, x, z).radial, I);
}

long double FieldAxialOne(const CalcRecord& rec, long double x, long double z, long double I) {
    return CoilFieldFromSum(rec, CoilFieldSums(rec, x, z).axial, I);
}

namespace {
// Distance from the centre of the system to the centre of either coil.
long double CoilOffset(const CalcRecord& rec) {
    return rec.H / 2 + rec.hh / 2;
}
}  // namespace

PairSums PairFieldSums(const CalcRecord& rec, long double x, long double z) {
    const long double a = CoilOffset(rec);
    PairSums sums;
    sums.lower = CoilFieldSums(rec, x, z + a);
    sums.upper = CoilFieldSums(rec, x, z - a);
    return sums;
}

long double PairRadialFromSums(const CalcRecord& rec, const PairSums& sums, long double I) {
    return CoilFieldFromSum(rec, sums.lower.radial, I) +
           CoilFieldFromSum(rec, sums.upper.radial, I);
}

long double PairAxialFromSums(const CalcRecord& rec, const PairSums& sums, long double I) {
    return CoilFieldFromSum(rec, sums.lower.axial, I) + CoilFieldFromSum(rec, sums.upper.axial, I);
}

long double FieldRadial(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double a = CoilOffset(rec);
    return FieldRadialOne(rec, x, z + a, I) + FieldRadialOne(rec, x, z - a, I);
}

long double FieldAxial(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double a = CoilOffset(rec);
    return FieldAxialOne(rec, x, z + a, I) + FieldAxialOne(rec, x, z - a, I);
}

long double FieldModulusOf(long double radial, long double axial) {
    return std::sqrt(radial * radial + axial * axial);
}

long double FieldModulus(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double radial = FieldRadial(rec, x, z, I);
    const long double axial = FieldAxial(rec, x, z, I);
    return FieldModulusOf(radial, axial);
}

long double FieldAngleOf(long double radial, long double axial) {
    // Exact comparisons with zero: a field straight along -Z is -180, not +180, and 360
    // marks a point where both components vanish.
    if (axial == 0) {
        if (radial > 0)
            return 90;
        if (radial < 0)
            return -90;
        return 360;
    }
    if (radial == 0)
        return axial > 0 ? 0 : -180;
    const long double a = std::atan(radial / axial) * 180 / kPi;
    if (axial > 0)
        return a;
    return radial > 0 ? a + 180 : a - 180;
}

long double FieldAngle(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double radial = FieldRadial(rec, x, z, I);
    const long double axial = FieldAxial(rec, x, z, I);
    return FieldAngleOf(radial, axial);
}

}  // namespace varnel
