// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/winding_field.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "accuracy/elliptic.h"
#include "accuracy/gauss_legendre.h"
#include "accuracy/tanh_sinh.h"
#include "accuracy/twin.h"

namespace varnel::exact {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;

// What the field and the flux function of two thin solenoids share: each end's axial distance,
// the complementary moduli and the parameters of their elliptic integrals.
struct SheetArguments {
    Twin zz;  // the ends at -b (sign +) and +b (sign -)
    std::array<double, 4> kc, gamma;
    Twin root[2];
};

SheetArguments ArgumentsOf(const std::array<double, 2>& a, double b, double rho, double z) {
    SheetArguments s;
    s.zz = Twin{z + b, z - b};
    for (std::size_t i = 0; i < 2; ++i) {
        const double sum = a[i] + rho, difference = a[i] - rho;
        s.root[i] = SquareRoot(s.zz * s.zz + sum * sum);
        const Twin modulus = SquareRoot(s.zz * s.zz + difference * difference) / s.root[i];
        s.kc[2 * i] = modulus[0];
        s.kc[2 * i + 1] = modulus[1];
        s.gamma[2 * i] = s.gamma[2 * i + 1] = difference / sum;
    }
    return s;
}

// Thin solenoids of radii a[0] and a[1] from -b to b with a surface current of 1 A/m, at
// (rho, z), in units of mu0 / pi (Derby and Olbert, Am. J. Phys. 78, 229 (2010)): two at once,
// so that the four ends' elliptic integrals share their iterations.
std::array<FastField, 2> Sheets(const std::array<double, 2>& a, double b, double rho, double z) {
    const auto [zz, kc, gamma, root] = ArgumentsOf(a, b, rho, z);
    const SolenoidCels cel = SolenoidCelsOf(kc, gamma);
    std::array<FastField, 2> out;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t j = 2 * i;
        const Twin radial = Twin{cel.radial[j], cel.radial[j + 1]} / root[i];
        const Twin axial = zz * Twin{cel.axial[j], cel.axial[j + 1]} / root[i];
        out[i].radial = a[i] * (radial[0] - radial[1]);
        out[i].axial = a[i] / (a[i] + rho) * (axial[0] - axial[1]);
    }
    return out;
}

// The flux function psi = rho A_phi of the same two thin solenoids, in the same units, in the
// first component (the second is zero). A_phi of a loop integrated along the sheet gives
// asinh(zeta / s) under the angle's integral; by parts, and with phi = pi - 2t, the angle's
// integral becomes 4 zeta / root (cel(kc, 1, 0, 1) - gamma^2 cel(kc, gamma^2, 0, 1)).
std::array<FastField, 2> FluxSheets(const std::array<double, 2>& a, double b, double rho,
                                    double z) {
    const auto [zz, kc, gamma, root] = ArgumentsOf(a, b, rho, z);
    const SolenoidCels cel = SolenoidFluxCelsOf(kc, gamma);
    std::array<FastField, 2> out;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t j = 2 * i;
        const Twin ends =
            zz / root[i] *
            (Twin{cel.radial[j], cel.radial[j + 1]} - Twin{cel.axial[j], cel.axial[j + 1]});
        out[i].radial = a[i] * rho * (ends[0] - ends[1]);
    }
    return out;
}

// What the sheets are summed for.
enum class Quantity { Field, Flux };

// Adds w[i] times the sheet of radius a[i], for n radii: two at a time.
template <typename Radius, typename Weight>
FastField WeightedSheets(Quantity what, int n, Radius radius, Weight weight, double b, double rho,
                         double z) {
    FastField sum;
    for (int i = 0; i < n; i += 2) {
        const bool pair = i + 1 < n;
        const std::array<double, 2> radii = {radius(i), radius(pair ? i + 1 : i)};
        const std::array<FastField, 2> s =
            what == Quantity::Field ? Sheets(radii, b, rho, z) : FluxSheets(radii, b, rho, z);
        for (int j = 0; j < (pair ? 2 : 1); ++j) {
            const double w = weight(i + j);
            sum.radial += w * s[static_cast<std::size_t>(j)].radial;
            sum.axial += w * s[static_cast<std::size_t>(j)].axial;
        }
    }
    return sum;
}

// Gauss-Legendre with as many nodes as the piece needs, chosen before any sheet is computed:
// the sheets' field is an analytic function of their radius a except where an end edge of the
// sheet passes through the point (a = rho +- i|z -+ b| in the complex plane) and, for a point
// level with the winding but beside it, where the sheet itself does (the real a = rho). An
// n-node rule then errs by about rho_e^(-2n), rho_e the ellipse through the nearest of those
// points with foci at the piece's ends.
constexpr double kLogTolerance = 13.9;  // -ln(1e-12) / 2
// A piece that would need more nodes than this is halved: the halves, further from the
// singular point in units of their own length, need fewer in all.
constexpr int kMostNodes = 12;

// The sheets over the radii [from, to] for a point (rho, z), half-height b.
struct RadialIntegral {
    Quantity what;
    double b, rho, z;
    double height;  // imaginary part of the nearest singular radius

    // The nodes an n-point rule needs over [from, to] so that it errs by 1e-14 or less
    // (rounded up; large where the singular radius lies close to the piece).
    int NodesFor(double from, double to) const {
        const double half = (to - from) / 2, mid = (to + from) / 2;
        const double x = (rho - mid) / half, y = height / half;
        const double alpha = (std::hypot(x - 1, y) + std::hypot(x + 1, y)) / 2;
        const double logRho = std::log(alpha + std::sqrt((alpha - 1) * (alpha + 1)));
        const double n = kLogTolerance / logRho;
        // Even, since the sheets go two at a time.
        return n < 4 ? 4 : (n > 1000 ? 1000 : 2 * static_cast<int>(std::ceil(n / 2)));
    }

    FastField Gauss(double from, double to, int n) const {
        const double half = (to - from) / 2, mid = (to + from) / 2;
        const GaussLegendre::Rule rule = GaussLegendre::Of(n);
        const auto at = [&](int i) { return static_cast<std::size_t>(i); };
        const FastField sum = WeightedSheets(
            what, n, [&](int i) { return mid + half * rule.node[at(i)]; },
            [&](int i) { return rule.weight[at(i)]; }, b, rho, z);
        return {sum.radial * half, sum.axial * half};
    }

    // Halves the piece until each part's rule is short enough.
    FastField Over(double from, double to, int depth) const {
        const int n = NodesFor(from, to);
        if (n <= kMostNodes || depth >= 40)
            return Gauss(from, to, std::min(n, GaussLegendre::kMaxNodes));
        const double mid = (from + to) / 2;
        const FastField low = Over(from, mid, depth + 1);
        const FastField high = Over(mid, to, depth + 1);
        return {low.radial + high.radial, low.axial + high.axial};
    }

    // Double-exponential quadrature over [from, to], for a point on or near an end face's edge
    // circle: the sheets' field then has a logarithmic peak at an end of the piece (the pieces
    // end at the point's radius), which bisection would chase for dozens of levels while the
    // tanh-sinh nodes crowd into it. Each node is placed from its nearer end.
    FastField EdgeOver(double from, double to) const {
        static const TanhSinh rule(4);
        const double length = to - from;
        const std::vector<TanhSinh::Node>& nodes = rule.nodes();
        const auto at = [&](int i) -> const TanhSinh::Node& {
            return nodes[static_cast<std::size_t>(i)];
        };
        const FastField sum = WeightedSheets(
            what, static_cast<int>(nodes.size()),
            [&](int i) {
                const double s = static_cast<double>(at(i).s);
                return s < 0.5 ? from + length * s
                               : to - length * static_cast<double>(at(i).complement);
            },
            [&](int i) { return static_cast<double>(at(i).weight); }, b, rho, z);
        return {sum.radial * length, sum.axial * length};
    }

    // True when the point lies closer to an end face's part over [from, to] than a quarter of
    // that part's length: there the double-exponential rule is the one to use. Further off,
    // the peak is broad enough for a few bisections.
    bool NearAnEdge(double from, double to) const {
        const double across = rho < from ? from - rho : (rho > to ? rho - to : 0);
        const double along = std::min(std::fabs(z - b), std::fabs(z + b));
        return std::hypot(across, along) < 0.01 * (to - from);
    }
};

}  // namespace

namespace {

// The sheets over the winding's radii by the rules above, in units of mu0 J / pi.
FastField OverTheWinding(Quantity what, double R1, double R2, double H, double rho, double z) {
    const double b = H / 2;
    // Beside the winding and level with it the sheets pass through the point; above or below
    // it (or inside it, split at the point's radius so that each piece sees one side) the
    // nearest trouble is the nearer end edge.
    const bool inside = rho > R1 && rho < R2;
    const double height = std::fabs(z) < b && !inside && rho != R1 && rho != R2
                              ? 0
                              : std::min(std::fabs(z + b), std::fabs(z - b));
    const RadialIntegral integral{what, b, rho, z, height};
    const double cuts[3] = {R1, inside ? rho : R2, R2};
    const int pieces = inside ? 2 : 1;
    FastField sum;
    for (int p = 0; p < pieces; ++p) {
        const FastField piece = integral.NearAnEdge(cuts[p], cuts[p + 1])
                                    ? integral.EdgeOver(cuts[p], cuts[p + 1])
                                    : integral.Over(cuts[p], cuts[p + 1], 0);
        sum.radial += piece.radial;
        sum.axial += piece.axial;
    }
    return sum;
}

}  // namespace

FastField WindingField(double R1, double R2, double H, double J, double rho, double z) {
    const FastField sum = OverTheWinding(Quantity::Field, R1, R2, H, rho, z);
    const double unit = kMu0 * J / kPi;
    return {unit * sum.radial, unit * sum.axial};
}

double WindingFluxFunction(double R1, double R2, double H, double J, double rho, double z) {
    if (rho == 0)
        return 0;  // no flux through a circle of no size
    return kMu0 * J / kPi * OverTheWinding(Quantity::Flux, R1, R2, H, rho, z).radial;
}

double PairWindingFluxFunction(double R1, double R2, double H, double h, double N, double I,
                               double x, double z) {
    const double offset = H / 2 + h / 2;
    const double J = N * I / ((R2 - R1) * H);
    const double rho = std::fabs(x);
    return WindingFluxFunction(R1, R2, H, J, rho, z + offset) +
           WindingFluxFunction(R1, R2, H, J, rho, z - offset);
}

FastField PairWindingField(double R1, double R2, double H, double h, double N, double I, double x,
                           double z) {
    const double offset = H / 2 + h / 2;
    const double J = N * I / ((R2 - R1) * H);
    const double rho = std::fabs(x);
    const FastField lower = WindingField(R1, R2, H, J, rho, z + offset);
    const FastField upper = WindingField(R1, R2, H, J, rho, z - offset);
    const double side = x < 0 ? -1 : 1;
    return {side * (lower.radial + upper.radial), lower.axial + upper.axial};
}

}  // namespace varnel::exact
