// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_field_sum.h"

#include <array>
#include <cmath>

#include "engine/constants.h"

namespace varnel::reference {
namespace {

constexpr int kLayers = 25;
constexpr int kRings = 25;
constexpr int kAzimuths = 30;
constexpr long double kAzimuthStep = 0.20943950666666666667L;

// Keeps the cosine's argument opaque, so that it is computed by the library at run time.
long double Opaque(long double v) {
    asm volatile("" : "+m"(v));
    return v;
}

long double AzimuthCosine(int k) {
    return std::cos(Opaque((k + 0.5L) * 2 * kPi / 30));
}

// The thirty cosines, computed once as AzimuthCosine computes them: an 80-bit value stored and
// read back is the same value, so the table changes no bit (and keeps the test quick).
long double TabulatedCosine(int k) {
    static const std::array<long double, kAzimuths> table = [] {
        std::array<long double, kAzimuths> t{};
        for (int i = 0; i < kAzimuths; ++i)
            t[static_cast<std::size_t>(i)] = AzimuthCosine(i);
        return t;
    }();
    return table[static_cast<std::size_t>(k)];
}

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

long double ElementDistance(long double x, long double c, long double r, long double dzp) {
    return std::sqrt(x * x - c * (2 * x * r) + r * r + dzp * dzp);
}

}  // namespace

CoilSums CoilFieldSums(const CalcRecord& rec, long double x, long double z) {
    const Winding w(rec);
    CoilSums sums;
    for (int i = 0; i < kLayers; ++i) {
        const long double dzp = z - w.Layer(i);
        for (int j = 0; j < kRings; ++j) {
            const long double r = w.Ring(j);
            for (int k = 0; k < kAzimuths; ++k) {
                const long double c = TabulatedCosine(k);
                const long double d = ElementDistance(x, c, r, dzp);
                const long double cube = d * d * d;
                sums.radial += c * dzp * r * kAzimuthStep * w.dr * w.dz / cube;
                sums.axial += (r - x * c) * r * kAzimuthStep * w.dr * w.dz / cube;
            }
        }
    }
    return sums;
}

PairSums PairFieldSums(const CalcRecord& rec, long double x, long double z) {
    const long double a = rec.H / 2 + rec.hh / 2;
    return {reference::CoilFieldSums(rec, x, z + a), reference::CoilFieldSums(rec, x, z - a)};
}

}  // namespace varnel::reference
