// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varnel::exact {

// Complete elliptic integrals of the first and second kind.
struct CompleteElliptic {
    long double K;
    long double E;
};

// K(k) and E(k) from the modulus squared k^2 and the complementary modulus k' = sqrt(1 - k^2),
// both given so that k' stays accurate near k = 1, where a filament meets the point. By the
// arithmetic-geometric mean.
CompleteElliptic EllipticKE(long double kSquared, long double kComplement);

}  // namespace varnel::exact
