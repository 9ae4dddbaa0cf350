// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/tanh_sinh.h"

#include <cmath>
#include <numbers>

namespace varnel::exact {

TanhSinh::TanhSinh(int level) {
    const long double h = std::ldexp(1.0L, -level);
    const long double halfPi = std::numbers::pi_v<long double> / 2;
    // Beyond |jh| = 3.2 the nodes lie within 2e-17 of the ends, where a logarithmic
    // singularity leaves less than 1e-15 of the integral.
    const int last = static_cast<int>(3.2L / h);
    for (int j = -last; j <= last; ++j) {
        const long double x = j * h;
        const long double y = halfPi * std::sinh(std::fabs(x));
        // 1 - tanh(y) = 2 / (e^(2y) + 1), so the end the node crowds keeps its digits.
        const long double nearEnd = 1 / (std::exp(2 * y) + 1);  // (1 - tanh y) / 2
        const long double farEnd = 1 - nearEnd;
        const long double c = std::cosh(y);
        const long double weight = h * halfPi * std::cosh(x) / (c * c) / 2;
        if (j < 0) {
            nodes_.push_back({nearEnd, farEnd, weight});
        } else {
            nodes_.push_back({farEnd, nearEnd, weight});
        }
    }
}

}  // namespace varnel::exact
