// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace varnel::exact {

// Gauss-Legendre rules on [-1, 1]: n nodes integrate polynomials of degree 2n - 1 exactly, and
// an integrand analytic inside the ellipse with foci -1, 1 and semi-axes summing to rho to
// within about rho^(-2n).
class GaussLegendre {
  public:
    static constexpr int kMaxNodes = 24;

    struct Rule {
        std::span<const double> node;  // in (-1, 1), ascending
        std::span<const double> weight;
    };

    // The n-node rule, 1 <= n <= kMaxNodes; computed once for all n, on first use.
    static Rule Of(int n);
};

}  // namespace varnel::exact
