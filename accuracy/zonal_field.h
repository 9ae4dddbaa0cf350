// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The field of the coil pair with uniform current density over each winding, fast and exact
// (no quadrature): the on-axis field in closed form, and off the axis the expansion in
// spherical harmonics about the centre whose coefficients are the on-axis Taylor coefficients,
// found exactly by power-series arithmetic on the closed form. The expansion converges inside
// the sphere that reaches the nearest winding corner, (R1, h/2).
namespace varnel::exact {

struct PairGeometry {
    long double R1, R2, H, h;  // m; the coils are centred at -/+(H/2 + h/2)
    long double N;             // turns of one coil
};

// Axial flux density on the axis at z for the current I, by the closed form.
long double AxialFieldOnAxis(const PairGeometry& g, long double z, long double I);

// Distance from the centre to the nearest point of a winding: the expansion's reach.
long double ConvergenceRadius(const PairGeometry& g);

// The on-axis field about the centre, B(z) = sum b[n] z^n (odd terms are zero for the pair),
// to order `order`.
// A circular turn: its radius and its axial position from the centre of the pair, m.
struct Loop {
    long double radius, z;
};

class CentreExpansion {
  public:
    CentreExpansion(const PairGeometry& g, long double I, int order);
    // The same for turns where they lie, each carrying I, summed loop by loop: a loop at
    // distance r0 from the centre, at cos(alpha) = z0/r0, adds
    // mu0 I a^2 / (2 r0^3) * P'_{n+1}(cos alpha) / r0^n to b[n]. The odd terms are kept, for
    // pairs whose coils differ.
    CentreExpansion(const std::vector<Loop>& loops, long double I, int order);

    bool Even() const { return even_; }

    long double B0() const { return b_[0]; }
    const std::vector<long double>& Coefficients() const { return b_; }
    long double Reach() const { return reach_; }

    struct Field {
        long double radial, axial;
    };
    // The field at radius rho from the axis and z along it; |(rho, z)| must be below Reach().
    Field At(long double rho, long double z) const;
    // The same at distance r in the direction with cosine c and sine s to the axis.
    Field AtPolar(long double r, long double c, long double s) const;

    // The size of the last two terms at distance r, relative to B0: the truncation error.
    long double TailAt(long double r) const;

  private:
    std::vector<long double> b_;
    long double reach_;
    bool even_ = true;  // odd terms zero by symmetry
};

// The axial field on the axis at z of the loops, each carrying I, summed exactly.
long double AxialFieldOfLoops(const std::vector<Loop>& loops, long double z, long double I);

// How far |B|/B0 strays from 1 on a sphere of radius r about the centre, as the largest of
// |B|/B0 - 1 and 1 - Bz/B0 over its surface. Since Bz is harmonic and |B| subharmonic, the
// same bound holds everywhere inside.
struct SphereDeviation {
    long double deviation = 0;
    long double tail = 0;  // truncation estimate, relative to B0
};
SphereDeviation DeviationOnSphere(const CentreExpansion& e, long double r);

// The uniform extents: the least |z| on the axis, and the least rho in the mid-plane, where
// |B/B0 - 1| reaches tol. A radial extent the expansion cannot reach reliably is marked.
struct UniformExtents {
    long double axial = 0;
    long double radial = 0;
    bool radialReliable = true;  // false: the crossing lies where the series is too short
};
UniformExtents FindUniformExtents(const PairGeometry& g, const CentreExpansion& e, long double tol);
// The same for turns where they lie; `end` bounds the axial scan.
UniformExtents FindUniformExtents(const std::vector<Loop>& loops, const CentreExpansion& e,
                                  long double tol, long double end);

}  // namespace varnel::exact
