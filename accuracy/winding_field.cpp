// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/winding_field.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "accuracy/elliptic.h"
#include "accuracy/tanh_sinh.h"

namespace varnel::exact {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;

// A thin solenoid of radius a from -b to b with a surface current of 1 A/m, at (rho, z), in
// units of mu0 / pi (Derby and Olbert, Am. J. Phys. 78, 229 (2010)).
FastField Sheet(double a, double b, double rho, double z) {
    const double sum = a + rho;
    const double gamma = (a - rho) / sum;
    FastField out;
    for (int end = 0; end < 2; ++end) {
        const double zz = end == 0 ? z + b : z - b;
        const double sign = end == 0 ? 1 : -1;
        const double root = std::sqrt(zz * zz + sum * sum);
        const double kc = std::sqrt(zz * zz + (a - rho) * (a - rho)) / root;
        const std::array<double, 2> cel = CelPair(kc, 1, 1, -1, gamma * gamma, 1, gamma);
        out.radial += sign * (a / root) * cel[0];
        out.axial += sign * (zz / root) * cel[1];
    }
    out.axial *= a / sum;
    return out;
}

// Gauss-Kronrod 7-15 on [-1, 1]: the Kronrod nodes from the outside in (the last is 0), their
// weights, and the Gauss weights of the odd-numbered ones.
constexpr double kNode[8] = {
    0.991455371120812639, 0.949107912342758525, 0.864864423359769073, 0.741531185599394440,
    0.586087235467691130, 0.405845151377397167, 0.207784955007898468, 0.0};
constexpr double kKronrod[8] = {0.022935322010529225, 0.063092092629978553, 0.104790010322250184,
                                0.140653259715525919, 0.169004726639267903, 0.190350578064785410,
                                0.204432940075298892, 0.209482141084727828};
constexpr double kGauss[4] = {0.129484966168869693, 0.279705391489276668, 0.381830050505118945,
                              0.417959183673469388};

struct Panel {
    FastField value;  // the Kronrod sum
    double error;     // |Kronrod - Gauss| of both components
};

// The sheets over the radii [from, to] for a point (rho, z), half-height b.
struct RadialIntegral {
    double b, rho, z;

    Panel Over(double from, double to) const {
        const double half = (to - from) / 2, mid = (to + from) / 2;
        FastField kronrod, gauss;
        for (int i = 0; i < 8; ++i) {
            const int copies = kNode[i] == 0 ? 1 : 2;
            for (int side = 0; side < copies; ++side) {
                const double a = mid + (side == 0 ? half : -half) * kNode[i];
                const FastField s = Sheet(a, b, rho, z);
                kronrod.radial += kKronrod[i] * s.radial;
                kronrod.axial += kKronrod[i] * s.axial;
                if (i % 2 == 1) {
                    gauss.radial += kGauss[i / 2] * s.radial;
                    gauss.axial += kGauss[i / 2] * s.axial;
                }
            }
        }
        const FastField value{kronrod.radial * half, kronrod.axial * half};
        const double error =
            (std::fabs(kronrod.radial - gauss.radial) + std::fabs(kronrod.axial - gauss.axial)) *
            std::fabs(half);
        return {value, error};
    }

    // Double-exponential quadrature over [from, to], for a point on or near an end face's edge
    // circle: the sheets' field then has a logarithmic peak at an end of the piece (the pieces
    // end at the point's radius), which bisection would chase for dozens of levels while the
    // tanh-sinh nodes crowd into it. Each node is placed from its nearer end.
    FastField EdgeOver(double from, double to) const {
        static const TanhSinh rule(4);
        const double length = to - from;
        FastField sum;
        for (const TanhSinh::Node& n : rule.nodes()) {
            const double s = static_cast<double>(n.s);
            const double a =
                s < 0.5 ? from + length * s : to - length * static_cast<double>(n.complement);
            const FastField sheet = Sheet(a, b, rho, z);
            const double w = static_cast<double>(n.weight);
            sum.radial += w * sheet.radial;
            sum.axial += w * sheet.axial;
        }
        return {sum.radial * length, sum.axial * length};
    }

    // True when the point lies closer to an end face's part over [from, to] than a quarter of
    // that part's length: there the double-exponential rule is the one to use. Further off,
    // the peak is broad enough for a few bisections.
    bool NearAnEdge(double from, double to) const {
        const double across = rho < from ? from - rho : (rho > to ? rho - to : 0);
        const double along = std::min(std::fabs(z - b), std::fabs(z + b));
        return std::hypot(across, along) < 0.25 * (to - from);
    }

    // Bisects until each panel's estimate is within its share of the tolerance.
    FastField Refine(double from, double to, const Panel& panel, double tolerancePerMetre,
                     int depth) const {
        if (panel.error <= tolerancePerMetre * (to - from) || depth >= 40)
            return panel.value;
        const double mid = (from + to) / 2;
        const FastField low = Refine(from, mid, Over(from, mid), tolerancePerMetre, depth + 1);
        const FastField high = Refine(mid, to, Over(mid, to), tolerancePerMetre, depth + 1);
        return {low.radial + high.radial, low.axial + high.axial};
    }
};

// The Kronrod estimate's error is far larger than its true error on a smooth integrand, so
// 1e-11 of |B| asked gives results well within 1e-9.
constexpr double kTolerance = 1e-11;

}  // namespace

FastField WindingField(double R1, double R2, double H, double J, double rho, double z) {
    const RadialIntegral integral{H / 2, rho, z};
    // Split where the point's radius falls inside, where the axial field bends.
    const bool split = rho > R1 && rho < R2;
    const double cuts[3] = {R1, split ? rho : R2, R2};
    const int pieces = split ? 2 : 1;
    Panel first[2];
    double scale = 0;
    for (int p = 0; p < pieces; ++p) {
        first[p] = integral.Over(cuts[p], cuts[p + 1]);
        scale += std::fabs(first[p].value.radial) + std::fabs(first[p].value.axial);
    }
    const double tolerancePerMetre = kTolerance * scale / (R2 - R1);
    FastField sum;
    for (int p = 0; p < pieces; ++p) {
        const FastField piece =
            integral.NearAnEdge(cuts[p], cuts[p + 1])
                ? integral.EdgeOver(cuts[p], cuts[p + 1])
                : integral.Refine(cuts[p], cuts[p + 1], first[p], tolerancePerMetre, 0);
        sum.radial += piece.radial;
        sum.axial += piece.axial;
    }
    const double unit = kMu0 * J / kPi;
    return {unit * sum.radial, unit * sum.axial};
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
