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
long double LoopMutualInductance(long double a, long double b, long double db, long double d);

}  // namespace varnel::exact
