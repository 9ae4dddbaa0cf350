// SPDX-License-Identifier: GPL-3.0-or-later
#include "accuracy/gauss_legendre.h"

#include <array>
#include <cmath>
#include <numbers>

namespace varnel::exact {
namespace {

constexpr int kMax = GaussLegendre::kMaxNodes;
// Rule n starts at n (n - 1) / 2: all rules side by side in one array.
constexpr int kTotal = kMax * (kMax + 1) / 2;

struct Tables {
    std::array<double, kTotal> node{};
    std::array<double, kTotal> weight{};

    Tables() {
        for (int n = 1; n <= kMax; ++n) {
            const int first = n * (n - 1) / 2;
            for (int i = 0; i < n; ++i) {
                // Newton's method on P_n from Chebyshev's estimate of the i-th root from the
                // top, in extended precision so that the doubles are correctly rounded or
                // nearly.
                long double x =
                    std::cos(std::numbers::pi_v<long double> * (i + 0.75L) / (n + 0.5L));
                long double derivative = 1;
                for (int step = 0; step < 100; ++step) {
                    long double p = 1, previous = 0;
                    for (int j = 1; j <= n; ++j) {
                        const long double older = previous;
                        previous = p;
                        p = ((2 * j - 1) * x * previous - (j - 1) * older) / j;
                    }
                    derivative = n * (x * p - previous) / (x * x - 1);
                    const long double dx = p / derivative;
                    x -= dx;
                    if (std::fabs(dx) <= 1e-19L)
                        break;
                }
                // Ascending: the i-th root from the top goes to the (n - 1 - i)-th place.
                const int at = first + n - 1 - i;
                node[at] = static_cast<double>(x);
                weight[at] = static_cast<double>(2 / ((1 - x * x) * derivative * derivative));
            }
        }
    }
};

const Tables& TheTables() {
    static const Tables tables;
    return tables;
}

}  // namespace

GaussLegendre::Rule GaussLegendre::Of(int n) {
    const Tables& t = TheTables();
    const std::size_t first = static_cast<std::size_t>(n * (n - 1) / 2);
    const std::size_t count = static_cast<std::size_t>(n);
    return {std::span<const double>(t.node).subspan(first, count),
            std::span<const double>(t.weight).subspan(first, count)};
}

}  // namespace varnel::exact
