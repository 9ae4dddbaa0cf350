// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/zonal_field.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/constants.h"

namespace varnel::exact {
namespace {

constexpr long double kMu0 = 4e-7L * kTruePi;

using Series = std::vector<long double>;

// Truncated power series in t, all of the same length.
Series Sqrt(const Series& a) {
    Series s(a.size(), 0);
    s[0] = std::sqrt(a[0]);
    for (std::size_t k = 1; k < a.size(); ++k) {
        long double sum = a[k];
        for (std::size_t i = 1; i < k; ++i)
            sum -= s[i] * s[k - i];
        s[k] = sum / (2 * s[0]);
    }
    return s;
}

// From (ln a)' = a'/a.
Series Log(const Series& a) {
    Series l(a.size(), 0);
    l[0] = std::log(a[0]);
    for (std::size_t k = 1; k < a.size(); ++k) {
        long double sum = static_cast<long double>(k) * a[k];
        for (std::size_t i = 1; i < k; ++i)
            sum -= static_cast<long double>(i) * l[i] * a[k - i];
        l[k] = sum / (static_cast<long double>(k) * a[0]);
    }
    return l;
}

// ln(R + sqrt(R^2 + u^2)) about u = u0.
Series LogEdge(long double R, long double u0, std::size_t length) {
    Series q(length, 0);
    q[0] = R * R + u0 * u0;
    if (length > 1)
        q[1] = 2 * u0;
    if (length > 2)
        q[2] = 1;
    Series p = Sqrt(q);
    p[0] += R;
    return Log(p);
}

// The field of a face of a winding: F(u) = u (ln(R2 + s2) - ln(R1 + s1)), s = sqrt(R^2 + u^2),
// u the axial distance from the point to the face. Both logarithms stay analytic at u = 0,
// so the series keep the reach of the true field, without a spurious pole there.
Series FaceSeries(long double R1, long double R2, long double u0, std::size_t length) {
    const Series outer = LogEdge(R2, u0, length), inner = LogEdge(R1, u0, length);
    Series f(length, 0);
    for (std::size_t k = 0; k < length; ++k) {
        const long double g = outer[k] - inner[k];
        f[k] += u0 * g;
        if (k + 1 < length)
            f[k + 1] += g;
    }
    return f;
}

long double Face(long double R1, long double R2, long double u) {
    const long double outer = R2 + std::sqrt(R2 * R2 + u * u);
    const long double inner = R1 + std::sqrt(R1 * R1 + u * u);
    return u * std::log(outer / inner);
}

long double HalfDensity(const PairGeometry& g, long double I) {
    return kMu0 * g.N * I / ((g.R2 - g.R1) * g.H) / 2;
}

}  // namespace

long double AxialFieldOnAxis(const PairGeometry& g, long double z, long double I) {
    const long double a = g.h / 2, b = g.h / 2 + g.H;
    return HalfDensity(g, I) * (Face(g.R1, g.R2, b - z) - Face(g.R1, g.R2, a - z) +
                                Face(g.R1, g.R2, b + z) - Face(g.R1, g.R2, a + z));
}

long double ConvergenceRadius(const PairGeometry& g) {
    return std::hypot(g.R1, g.h / 2);
}

CentreExpansion::CentreExpansion(const PairGeometry& g, long double I, int order)
    : b_(static_cast<std::size_t>(order) + 1, 0), reach_(ConvergenceRadius(g)) {
    // The upper coil seen from z: F(b - z) - F(a - z); the lower coil mirrors it, which doubles
    // the even terms and cancels the odd ones.
    const std::size_t length = b_.size();
    const Series top = FaceSeries(g.R1, g.R2, g.h / 2 + g.H, length);
    const Series bottom = FaceSeries(g.R1, g.R2, g.h / 2, length);
    const long double scale = 2 * HalfDensity(g, I);
    for (std::size_t n = 0; n < length; n += 2)
        b_[n] = scale * (top[n] - bottom[n]);
}

CentreExpansion::CentreExpansion(const std::vector<Loop>& loops, long double I, int order)
    : b_(static_cast<std::size_t>(order) + 1, 0), reach_(0), even_(false) {
    bool first = true;
    for (const Loop& loop : loops) {
        const long double r0 = std::hypot(loop.radius, loop.z);
        reach_ = first ? r0 : std::min(reach_, r0);
        first = false;
        const long double c = loop.z / r0;
        // C_n = P'_{n+1}(c), the Gegenbauer polynomials of index 3/2:
        // n C_n = (2n + 1) c C_{n-1} - (n + 1) C_{n-2}.
        long double before = 0, now = 1;
        long double scale = kMu0 * I * loop.radius * loop.radius / (2 * r0 * r0 * r0);
        for (std::size_t n = 0; n < b_.size(); ++n) {
            if (n > 0) {
                const long double nn = static_cast<long double>(n);
                const long double next = ((2 * nn + 1) * c * now - (nn + 1) * before) / nn;
                before = now;
                now = next;
            }
            b_[n] += scale * now;
            scale /= r0;
        }
    }
}

long double AxialFieldOfLoops(const std::vector<Loop>& loops, long double z, long double I) {
    long double sum = 0;
    for (const Loop& loop : loops) {
        const long double dz = z - loop.z;
        const long double s = loop.radius * loop.radius + dz * dz;
        sum += loop.radius * loop.radius / (s * std::sqrt(s));
    }
    return kMu0 * I * sum / 2;
}

CentreExpansion::Field CentreExpansion::At(long double rho, long double z) const {
    const long double r = std::hypot(rho, z);
    if (r == 0)
        return {0, b_[0]};
    return AtPolar(r, z / r, rho / r);
}

CentreExpansion::Field CentreExpansion::AtPolar(long double r, long double c, long double s) const {
    // Bz = sum b_n r^n P_n(c); Brho = sum b_n r^n (P_{n+1}(c) - c P_n(c)) / s.
    long double pn = 1, pNext = c;  // P_n and P_{n+1}
    long double power = 1, axial = 0, radial = 0;
    for (std::size_t n = 0; n < b_.size(); ++n) {
        const long double nn = static_cast<long double>(n);
        axial += b_[n] * power * pn;
        radial += b_[n] * power * (pNext - c * pn);
        const long double after = ((2 * nn + 3) * c * pNext - (nn + 1) * pn) / (nn + 2);
        pn = pNext;
        pNext = after;
        power *= r;
    }
    return {s > 0 ? radial / s : 0, axial};
}

long double CentreExpansion::TailAt(long double r) const {
    const std::size_t last = even_ ? (b_.size() - 1) & ~std::size_t{1} : b_.size() - 1;
    const std::size_t step = even_ ? 2 : 1;
    long double tail = 0;
    for (std::size_t n = last >= 2 * step ? last - step : 0; n <= last; n += step)
        tail += std::fabs(b_[n]) * std::pow(r, static_cast<long double>(n));
    return tail / std::fabs(b_[0]);
}

SphereDeviation DeviationOnSphere(const CentreExpansion& e, long double r) {
    // An even field needs a quarter circle; one with odd terms the half circle. The terms that
    // matter vary as P_2, P_4, ...: 32 steps a quarter resolve their extremes well below any
    // tolerance asked.
    constexpr int kSteps = 64;
    struct Direction {
        long double c, s;
    };
    static const std::array<Direction, kSteps + 1> directions = [] {
        constexpr long double kHalfPi = 1.570796326794896619231321691639751442L;
        std::array<Direction, kSteps + 1> d{};
        for (int i = 0; i <= kSteps; ++i)
            d[static_cast<std::size_t>(i)] = {std::cos(2 * kHalfPi * i / kSteps),
                                              std::sin(2 * kHalfPi * i / kSteps)};
        return d;
    }();
    const long double b0 = std::fabs(e.B0());
    SphereDeviation out;
    const std::size_t used = e.Even() ? kSteps / 2 + 1 : kSteps + 1;
    for (std::size_t i = 0; i < used; ++i) {
        const Direction& d = directions[i];
        const auto f = e.AtPolar(r, d.c, d.s);
        const long double modulus = std::sqrt(f.radial * f.radial + f.axial * f.axial);
        out.deviation = std::max({out.deviation, modulus / b0 - 1, 1 - f.axial / b0});
    }
    out.tail = e.TailAt(r);
    return out;
}

namespace {

// The first crossing of |dev(x)| = tol for x in (0, end], by a scan and bisection; end when
// there is none.
template <typename Deviation>
long double FirstCrossing(const Deviation& dev, long double end, int steps, long double tol) {
    long double lo = 0;
    for (int i = 1; i <= steps; ++i) {
        const long double x = end * i / steps;
        if (std::fabs(dev(x)) > tol) {
            long double hi = x;
            for (int k = 0; k < 60 && hi - lo > 1e-12L * hi; ++k) {
                const long double mid = (lo + hi) / 2;
                (std::fabs(dev(mid)) > tol ? hi : lo) = mid;
            }
            return (lo + hi) / 2;
        }
        lo = x;
    }
    return end;
}

}  // namespace

namespace {

// The extents from the expansion, each axial crossing settled by `closed`, the exact relative
// deviation on the axis, scanned up to `end` where the series does not reach.
template <typename Closed>
UniformExtents Extents(const Closed& closed, long double end, const CentreExpansion& e,
                       long double tol) {
    UniformExtents out;
    const long double b0 = e.B0();
    const auto& b = e.Coefficients();
    // The last term, b_n r^n, falls to 1e-3 tol at r = (1e-3 tol |b0/b_n|)^(1/n): within that
    // the series is as good as the closed form, and far cheaper.
    long double reliable = e.Reach();
    const std::size_t last = (b.size() - 1) & ~std::size_t{1};
    if (last >= 2 && b[last] != 0) {
        const long double r =
            std::pow(1e-3L * tol * std::fabs(b0 / b[last]), 1 / static_cast<long double>(last));
        reliable = std::min(reliable, r);
    }
    auto onAxis = [&](long double z) {
        long double sum = 0, power = 1;
        for (std::size_t n = 0; n < b.size(); n += 2) {
            sum += b[n] * power;
            power *= z * z;
        }
        return sum / b0 - 1;
    };
    const long double guess = FirstCrossing(onAxis, reliable, 64, tol);
    // The closed form settles the crossing: bisection in a narrow bracket about the guess,
    // or a scan of its own where the series does not reach.
    const long double below = guess * (1 - 1e-4L), above = guess * (1 + 1e-4L);
    if (guess < reliable && std::fabs(closed(below)) <= tol && std::fabs(closed(above)) > tol) {
        long double lo = below, hi = above;
        for (int k = 0; k < 40 && hi - lo > 1e-13L * hi; ++k) {
            const long double mid = (lo + hi) / 2;
            (std::fabs(closed(mid)) > tol ? hi : lo) = mid;
        }
        out.axial = (lo + hi) / 2;
    } else {
        out.axial = FirstCrossing(closed, end, 96, tol);
    }
    // In the mid-plane only the even terms with P_2n(0) remain: Bz = sum b_2n rho^2n P_2n(0).
    auto midPlane = [&](long double rho) {
        long double sum = 0, power = 1, p0 = 1;
        for (std::size_t n = 0; n < b.size(); n += 2) {
            sum += b[n] * power * p0;
            p0 *= -static_cast<long double>(n + 1) / static_cast<long double>(n + 2);
            power *= rho * rho;
        }
        return sum / b0 - 1;
    };
    out.radial = FirstCrossing(midPlane, reliable, 64, tol);
    out.radialReliable = out.radial < reliable;
    return out;
}

}  // namespace

UniformExtents FindUniformExtents(const PairGeometry& g, const CentreExpansion& e,
                                  long double tol) {
    const long double b0PerAmp = AxialFieldOnAxis(g, 0, 1);
    auto closed = [&](long double z) { return AxialFieldOnAxis(g, z, 1) / b0PerAmp - 1; };
    return Extents(closed, 2 * (g.h / 2 + g.H), e, tol);
}

UniformExtents FindUniformExtents(const std::vector<Loop>& loops, const CentreExpansion& e,
                                  long double tol, long double end) {
    const long double b0PerAmp = AxialFieldOfLoops(loops, 0, 1);
    auto closed = [&](long double z) { return AxialFieldOfLoops(loops, z, 1) / b0PerAmp - 1; };
    return Extents(closed, end, e, tol);
}

}  // namespace varnel::exact
