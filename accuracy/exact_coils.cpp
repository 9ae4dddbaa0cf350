// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/exact_coils.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "accuracy/tanh_sinh.h"

namespace varnel::exact {
namespace {

// The coarser and the finer rule of every refined value.
constexpr int kCoarse = 3;
constexpr int kFine = 4;

// An interval of one coordinate, with the point the integrand is singular at (or nearest to).
// Positions come as offsets from that point, accurate however close they are to it.
struct Piece {
    long double start, length, point;

    long double OffsetAt(const TanhSinh::Node& n) const {
        const long double toStart = start - point, toEnd = start + length - point;
        return std::fabs(toStart) <= std::fabs(toEnd) ? toStart + length * n.s
                                                      : toEnd - length * n.complement;
    }
};

// [lo, hi] cut at p when p lies inside, so that p is always at an end of a piece.
std::vector<Piece> SplitAt(long double lo, long double hi, long double p) {
    if (p > lo && p < hi)
        return {{lo, p - lo, p}, {p, hi - p, p}};
    return {{lo, hi - lo, p}};
}

Refined Refine(long double coarse, long double fine) {
    return {fine, std::fabs(fine - coarse)};
}

// The sum over pairs of filaments of one winding or two: the double integral over radii a, b
// (taken over b < a twice, since M(a, b) = M(b, a)) of an integral over their axial distance
// u in [start, start + length] with a weight rising from 0 or falling to 0 along it.
enum class Weight { Rising, Falling, One };
struct DistanceRange {
    long double start, length;
    Weight weight;
};

using LoopKernel = long double (*)(long double a, long double b, long double db, long double d);

long double SumOverFilamentPairs(long double R1, long double R2, const DistanceRange& range,
                                 const TanhSinh& rule, LoopKernel kernel = LoopMutualInductance) {
    long double total = 0;
    for (const auto& na : rule.nodes()) {
        const long double spanA = R2 - R1;
        const long double a = R1 + spanA * na.s;
        const long double spanDelta = spanA * na.s;  // b runs from a down to R1
        long double overB = 0;
        for (const auto& nd : rule.nodes()) {
            const long double delta = spanDelta * nd.s;  // a - b
            const long double b = a - delta;
            long double overU = 0;
            for (const auto& nu : rule.nodes()) {
                const long double u = range.start + range.length * nu.s;
                long double w = 1;
                if (range.weight == Weight::Rising)
                    w = range.length * nu.s;
                if (range.weight == Weight::Falling)
                    w = range.length * nu.complement;
                overU += nu.weight * w * kernel(a, b, delta, u);
            }
            overB += nd.weight * overU * range.length;
        }
        total += na.weight * overB * spanDelta;
    }
    return 2 * total * (R2 - R1);
}

}  // namespace

FieldComponents CoilField(const Coil& coil, long double rho, long double z, long double I,
                          int level) {
    const TanhSinh rule(level);
    const long double density = coil.N * I / ((coil.R2 - coil.R1) * coil.H);
    FieldComponents sum;
    for (const Piece& pr : SplitAt(coil.R1, coil.R2, rho)) {
        for (const Piece& pz : SplitAt(coil.centre - coil.H / 2, coil.centre + coil.H / 2, z)) {
            FieldComponents piece;
            for (const auto& nz : rule.nodes()) {
                const long double dz = -pz.OffsetAt(nz);  // z_point - z_filament
                FieldComponents row;
                for (const auto& nr : rule.nodes()) {
                    const long double da = pr.OffsetAt(nr);  // a - rho
                    const FieldComponents b = LoopField(rho + da, rho, da, dz);
                    row.radial += nr.weight * b.radial;
                    row.axial += nr.weight * b.axial;
                }
                piece.radial += nz.weight * row.radial * pr.length;
                piece.axial += nz.weight * row.axial * pr.length;
            }
            sum.radial += piece.radial * pz.length;
            sum.axial += piece.axial * pz.length;
        }
    }
    return {density * sum.radial, density * sum.axial};
}

RefinedField PairField(long double R1, long double R2, long double H, long double h, long double N,
                       long double rho, long double z, long double I) {
    const long double offset = H / 2 + h / 2;
    auto at = [&](int level) {
        const FieldComponents lower = CoilField({R1, R2, H, -offset, N}, rho, z, I, level);
        const FieldComponents upper = CoilField({R1, R2, H, offset, N}, rho, z, I, level);
        return FieldComponents{lower.radial + upper.radial, lower.axial + upper.axial};
    };
    const FieldComponents coarse = at(kCoarse), fine = at(kFine);
    return {Refine(coarse.radial, fine.radial), Refine(coarse.axial, fine.axial)};
}

Refined SelfInductance(long double R1, long double R2, long double H, long double N,
                       int coarseLevel) {
    // Over the height the pairs depend only on the distance u: weight H - u, twice for +/-u.
    const long double scale = N / ((R2 - R1) * H);
    auto at = [&](int level) {
        const TanhSinh rule(level);
        return 2 * scale * scale * SumOverFilamentPairs(R1, R2, {0, H, Weight::Falling}, rule);
    };
    return Refine(at(coarseLevel), at(coarseLevel + 1));
}

MutualResult MutualInductance(long double R1, long double R2, long double H, long double h,
                              long double N) {
    // Coil centres s = H + h apart: distances from h to 2H + h, the weight rising to H at s
    // and falling again.
    const long double s = H + h;
    const long double scale = N / ((R2 - R1) * H);
    auto at = [&](int level) {
        const TanhSinh rule(level);
        const long double c = scale * scale;
        const long double mutual =
            c * (SumOverFilamentPairs(R1, R2, {s - H, H, Weight::Rising}, rule) +
                 SumOverFilamentPairs(R1, R2, {s, H, Weight::Falling}, rule));
        long double derivative = 0;
        if (h < H) {
            // d/dh moves the whole range: the weight H - |u - s| falls by 1 per metre of s
            // below s and rises above it. Near coils, where dM/du is steep, the two sums differ
            // by a good part of themselves.
            derivative = c * (SumOverFilamentPairs(R1, R2, {s, H, Weight::One}, rule) -
                              SumOverFilamentPairs(R1, R2, {s - H, H, Weight::One}, rule));
        } else {
            // Far apart those two sums differ by about 3H/s of themselves; the same weight
            // on the filaments' own dM/du keeps every digit instead.
            derivative = c * (SumOverFilamentPairs(R1, R2, {s - H, H, Weight::Rising}, rule,
                                                   LoopMutualDerivative) +
                              SumOverFilamentPairs(R1, R2, {s, H, Weight::Falling}, rule,
                                                   LoopMutualDerivative));
        }
        return std::pair{mutual, derivative};
    };
    const auto coarse = at(kCoarse), fine = at(kFine);
    return {Refine(coarse.first, fine.first), Refine(coarse.second, fine.second)};
}

long double AngleDegrees(long double radial, long double axial) {
    if (radial == 0 && axial == 0)
        return 360;
    if (radial == 0 && axial < 0)
        return -180;
    return std::atan2(radial, axial) * 180 / std::numbers::pi_v<long double>;
}

long double AngleError(const RefinedField& field) {
    // d(atan2(r, z)) = (z dr - r dz) / (r^2 + z^2), at worst with both terms adding.
    const long double r = field.radial.value, z = field.axial.value;
    const long double squared = r * r + z * z;
    if (squared == 0)
        return 0;
    return (std::fabs(z) * field.radial.change + std::fabs(r) * field.axial.change) / squared *
           180 / std::numbers::pi_v<long double>;
}

}  // namespace varnel::exact
