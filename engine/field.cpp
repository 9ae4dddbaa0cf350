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

// Distance from the element at radius r and azimuth cosine c to the point at radius x,
// axial offset dzp; the terms added left to right.
inline long double ElementDistance(long double x, long double c, long double r, long double dzp) {
    return std::sqrt(x * x - c * (2 * x * r) + r * r + dzp * dzp);
}

inline long double RadialElement(const Winding& w, long double c, long double dzp, long double r) {
    return c * dzp * r * kAzimuthStep * w.dr * w.dz;
}

inline long double AxialElement(const Winding& w, long double x, long double c, long double r) {
    return (r - x * c) * r * kAzimuthStep * w.dr * w.dz;
}

}  // namespace

long double CoilFieldFromSum(const CalcRecord& rec, long double sum, long double I) {
    return kMu0 * rec.N * I * sum / ((rec.R2 - rec.R1) * kFourPi * rec.H);
}

namespace {

// One component's sum over the winding. The cosine is computed anew for every element rather
// than tabulated per azimuth: a table would round differently in the last digits.
template <typename Element>
long double SumOverWinding(const CalcRecord& rec, long double x, long double z, Element element) {
    const Winding w(rec);
    long double sum = 0;
    for (int i = 0; i < kLayers; ++i) {
        const long double dzp = z - w.Layer(i);
        for (int j = 0; j < kRings; ++j) {
            const long double r = w.Ring(j);
            for (int k = 0; k < kAzimuths; ++k) {
                const long double c = AzimuthCosine(k);
                const long double d = ElementDistance(x, c, r, dzp);
                sum += element(w, c, dzp, r) / (d * d * d);
            }
        }
    }
    return sum;
}

}  // namespace

long double FieldRadialOne(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double sum = SumOverWinding(
        rec, x, z, [](const Winding& w, long double c, long double dzp, long double r) {
            return RadialElement(w, c, dzp, r);
        });
    return CoilFieldFromSum(rec, sum, I);
}

long double FieldAxialOne(const CalcRecord& rec, long double x, long double z, long double I) {
    const long double sum =
        SumOverWinding(rec, x, z, [x](const Winding& w, long double c, long double, long double r) {
            return AxialElement(w, x, c, r);
        });
    return CoilFieldFromSum(rec, sum, I);
}

CoilSums CoilFieldSums(const CalcRecord& rec, long double x, long double z) {
    // The same elements as the one-coil routines, added in the same order, so each sum is
    // bit for bit theirs; the cosines and distances are shared by the two components.
    const auto& cosines = AzimuthCosines();
    const Winding w(rec);
    CoilSums sums;
    for (int i = 0; i < kLayers; ++i) {
        const long double dzp = z - w.Layer(i);
        for (int j = 0; j < kRings; ++j) {
            const long double r = w.Ring(j);
            for (int k = 0; k < kAzimuths; ++k) {
                const long double c = cosines[static_cast<std::size_t>(k)];
                const long double d = ElementDistance(x, c, r, dzp);
                const long double cube = d * d * d;
                sums.radial += RadialElement(w, c, dzp, r) / cube;
                sums.axial += AxialElement(w, x, c, r) / cube;
            }
        }
    }
    return sums;
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
