// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exact fields and mutual inductances of circular current filaments on one axis, SI units,
// mu0 = 4 pi 1e-7. Positions are given as offsets, so that they stay accurate however close a
// filament passes to the point.
namespace varnel::exact {

inline constexpr long double kMu0 = 4e-7L * 3.141592653589793238462643383279502884L;

struct FieldComponents {
    long double radial = 0;
    long double axial = 0;
};

// Flux density of a loop of radius a carrying 1 A at a point at radius rho, with
// da = a - rho and dz = z_point - z_loop.
FieldComponents LoopField(long double a, long double rho, long double da, long double dz);

// Mutual inductance (Maxwell) of loops of radii a and b, b = a - db, an axial distance d apart.
// Maxwell's form (2/k - k) K - 2 E / k is a difference of terms about 16 / k^4 times larger than
// the result, so for loops far apart (k^2 below kSeriesBelow) the hypergeometric series
// pi k^3 / 16 * F(3/2, 3/2; 3; k^2), all of whose terms are positive, is used instead.
long double LoopMutualInductance(long double a, long double b, long double db, long double d);

// dM/dd of the same loops (negative: M falls as they part), by the same two forms.
long double LoopMutualDerivative(long double a, long double b, long double db, long double d);

// Both at once from one evaluation of the elliptic integrals (or of the series), each bit for
// bit what its own routine gives.
struct LoopMutualValues {
    long double mutual = 0;
    long double derivative = 0;
};
LoopMutualValues LoopMutualAndDerivative(long double a, long double b, long double db,
                                         long double d);

// The loops of radii a and b, b = a - db, at many axial distances d: what depends on the radii
// alone is worked once, and each value is, bit for bit, what the functions above give.
class LoopPairAtDistances {
  public:
    LoopPairAtDistances(long double a, long double b, long double db);

    long double Mutual(long double d) const;
    LoopMutualValues MutualAndDerivative(long double d) const;

  private:
    long double a_, b_, sum_, sumSquared_, fourAB_, ab_, dbSquared_, mu0RootAB_;
};

// The two forms on their own, for tests of the switch between them.
long double LoopMutualByMaxwell(long double a, long double b, long double db, long double d);
long double LoopMutualBySeries(long double a, long double b, long double db, long double d);

// Maxwell's form loses about 16 / k^4 roundings: at most 1024 (about 6e-17 of the result) above
// k^2 = 1/8. Below it the series, whose terms shrink by k^2 each, needs at most some twenty terms
// where it is used; with the switch at 1/2 it took seventy and most pairs of a coil's turns.
inline constexpr long double kSeriesBelow = 0.125L;

// A point nearer the axis than this share of its distance to the filament takes the radial
// field from its expansion about the axis: there the closed form's cancellation costs about
// 2e-20 / share^2 of the value, the expansion's first omitted term about share^4; both are
// about 1e-13 where they meet.
inline constexpr long double kNearAxis = 4e-4L;

}  // namespace varnel::exact
