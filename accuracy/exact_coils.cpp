// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/exact_coils.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
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

// What one pass over the filament pairs sums besides M weighted: nothing, M unweighted, or
// dM/du weighted. One evaluation of the loops' elliptic integrals serves both sums.
enum class Second { None, Unweighted, WeightedDerivative };

struct PairTotals {
    long double weighted = 0, second = 0;

    void Add(long double scale, const PairTotals& inner) {
        weighted += scale * inner.weighted;
        second += scale * inner.second;
    }
};

// The totals of the coarser rule and of the finer one (a step half as long) from one pass over
// the finer rule's nodes. The coarser rule's nodes are the finer rule's at even steps, the
// same numbers bit for bit, so a kernel value where all three coordinates are shared serves
// both sums; each sum is added in its own rule's order with its own weights, exactly as a pass
// of its own would add it.
struct TwoRules {
    PairTotals coarse, fine;
};

// For each node of the finer rule, the index of the same node in the coarser, or -1.
std::vector<int> SharedNodes(const TanhSinh& coarse, const TanhSinh& fine) {
    const auto& c = coarse.nodes();
    const auto& f = fine.nodes();
    const int cLast = static_cast<int>(c.size() / 2), fLast = static_cast<int>(f.size() / 2);
    std::vector<int> index(f.size(), -1);
    for (int i = 0; i < static_cast<int>(c.size()); ++i) {
        const int j = 2 * (i - cLast) + fLast;  // the step j h of the coarse is 2j h/2 of the fine
        if (f[static_cast<std::size_t>(j)].s != c[static_cast<std::size_t>(i)].s)
            throw std::logic_error("tanh-sinh rules whose nodes are not nested");
        index[static_cast<std::size_t>(j)] = i;
    }
    return index;
}

TwoRules SumOverFilamentPairs(long double R1, long double R2, const DistanceRange& range,
                              const TanhSinh& coarseRule, const TanhSinh& fineRule,
                              Second second = Second::None) {
    const auto& coarse = coarseRule.nodes();
    const auto& fine = fineRule.nodes();
    const std::vector<int> shared = SharedNodes(coarseRule, fineRule);
    auto coarseNode = [&](std::size_t i) -> const TanhSinh::Node* {
        return shared[i] < 0 ? nullptr : &coarse[static_cast<std::size_t>(shared[i])];
    };
    // The distances and their weights, the same for every pair of radii.
    std::vector<long double> distance(fine.size()), distanceWeight(fine.size(), 1);
    for (std::size_t iu = 0; iu < fine.size(); ++iu) {
        distance[iu] = range.start + range.length * fine[iu].s;
        if (range.weight == Weight::Rising)
            distanceWeight[iu] = range.length * fine[iu].s;
        if (range.weight == Weight::Falling)
            distanceWeight[iu] = range.length * fine[iu].complement;
    }
    TwoRules total;
    for (std::size_t ia = 0; ia < fine.size(); ++ia) {
        const auto& na = fine[ia];
        const TanhSinh::Node* ca = coarseNode(ia);
        const long double spanA = R2 - R1;
        const long double a = R1 + spanA * na.s;
        const long double spanDelta = spanA * na.s;  // b runs from a down to R1
        TwoRules overB;
        for (std::size_t ib = 0; ib < fine.size(); ++ib) {
            const auto& nd = fine[ib];
            const TanhSinh::Node* cd = ca != nullptr ? coarseNode(ib) : nullptr;
            const long double delta = spanDelta * nd.s;  // a - b
            const long double b = a - delta;
            const LoopPairAtDistances loops(a, b, delta);
            TwoRules overU;
            for (std::size_t iu = 0; iu < fine.size(); ++iu) {
                const auto& nu = fine[iu];
                const long double w = distanceWeight[iu];
                LoopMutualValues m;
                if (second == Second::WeightedDerivative)
                    m = loops.MutualAndDerivative(distance[iu]);
                else
                    m.mutual = loops.Mutual(distance[iu]);
                auto add = [&](PairTotals& t, long double weight) {
                    t.weighted += weight * w * m.mutual;
                    if (second == Second::Unweighted)
                        t.second += weight * m.mutual;
                    if (second == Second::WeightedDerivative)
                        t.second += weight * w * m.derivative;
                };
                add(overU.fine, nu.weight);
                if (cd != nullptr && shared[iu] >= 0)
                    add(overU.coarse, coarse[static_cast<std::size_t>(shared[iu])].weight);
            }
            overB.fine.Add(1, {nd.weight * overU.fine.weighted * range.length,
                               nd.weight * overU.fine.second * range.length});
            if (cd != nullptr) {
                overB.coarse.Add(1, {cd->weight * overU.coarse.weighted * range.length,
                                     cd->weight * overU.coarse.second * range.length});
            }
        }
        total.fine.Add(1, {na.weight * overB.fine.weighted * spanDelta,
                           na.weight * overB.fine.second * spanDelta});
        if (ca != nullptr) {
            total.coarse.Add(1, {ca->weight * overB.coarse.weighted * spanDelta,
                                 ca->weight * overB.coarse.second * spanDelta});
        }
    }
    const long double span = R2 - R1;
    auto whole = [span](const PairTotals& t) {
        return PairTotals{2 * t.weighted * span, 2 * t.second * span};
    };
    return {whole(total.coarse), whole(total.fine)};
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
    const TwoRules sums = SumOverFilamentPairs(R1, R2, {0, H, Weight::Falling},
                                               TanhSinh(coarseLevel), TanhSinh(coarseLevel + 1));
    auto inductance = [&](const PairTotals& t) { return 2 * scale * scale * t.weighted; };
    return Refine(inductance(sums.coarse), inductance(sums.fine));
}

MutualResult MutualInductance(long double R1, long double R2, long double H, long double h,
                              long double N) {
    // Coil centres s = H + h apart: distances from h to 2H + h, the weight rising to H at s
    // and falling again.
    const long double s = H + h;
    const long double scale = N / ((R2 - R1) * H);
    const long double c = scale * scale;
    // Both halves of the distance range once each: M's weighted sums and, from the same
    // filament pairs, the derivative's.
    const bool far = h >= H;
    const Second second = far ? Second::WeightedDerivative : Second::Unweighted;
    const TanhSinh coarseRule(kCoarse), fineRule(kFine);
    const TwoRules nearHalf =
        SumOverFilamentPairs(R1, R2, {s - H, H, Weight::Rising}, coarseRule, fineRule, second);
    const TwoRules farHalf =
        SumOverFilamentPairs(R1, R2, {s, H, Weight::Falling}, coarseRule, fineRule, second);
    auto mutual = [&](const PairTotals& nearSums, const PairTotals& farSums) {
        return c * (nearSums.weighted + farSums.weighted);
    };
    // d/dh moves the whole range: the weight H - |u - s| falls by 1 per metre of s below s and
    // rises above it. Near coils, where dM/du is steep, the two unweighted sums differ by a
    // good part of themselves. Far apart they differ by about 3H/s of themselves; the same
    // weight on the filaments' own dM/du keeps every digit instead.
    auto derivative = [&](const PairTotals& nearSums, const PairTotals& farSums) {
        return far ? c * (nearSums.second + farSums.second)
                   : c * (farSums.second - nearSums.second);
    };
    return {Refine(mutual(nearHalf.coarse, farHalf.coarse), mutual(nearHalf.fine, farHalf.fine)),
            Refine(derivative(nearHalf.coarse, farHalf.coarse),
                   derivative(nearHalf.fine, farHalf.fine))};
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
