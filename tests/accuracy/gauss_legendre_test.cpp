// SPDX-License-Identifier: GPL-3.0-or-later
// The Gauss-Legendre rules: the short ones against their nodes and weights in closed form, and
// every rule against the degree it must integrate exactly.
#include <cmath>

#include <gtest/gtest.h>

#include "accuracy/gauss_legendre.h"

namespace varnel::exact {
namespace {

TEST(GaussLegendre, ShortRulesInClosedForm) {
    // n = 2: +-1/sqrt(3), weights 1; n = 3: 0 and +-sqrt(3/5), weights 8/9 and 5/9.
    const GaussLegendre::Rule two = GaussLegendre::Of(2);
    EXPECT_NEAR(two.node[0], -1 / std::sqrt(3.0), 2e-16);
    EXPECT_NEAR(two.node[1], 1 / std::sqrt(3.0), 2e-16);
    EXPECT_NEAR(two.weight[0], 1, 2e-16);
    const GaussLegendre::Rule three = GaussLegendre::Of(3);
    EXPECT_NEAR(three.node[0], -std::sqrt(0.6), 2e-16);
    EXPECT_NEAR(three.node[1], 0, 2e-16);
    EXPECT_NEAR(three.weight[0], 5.0 / 9, 2e-16);
    EXPECT_NEAR(three.weight[1], 8.0 / 9, 2e-16);
    EXPECT_NEAR(three.weight[2], 5.0 / 9, 2e-16);
}

// int_-1^1 x^m dx = 2 / (m + 1) for even m, 0 for odd: exact up to m = 2n - 1. At m = 2n the
// rule falls short by its error term 2^(2n+1) (n!)^4 / ((2n+1) ((2n)!)^2) (the remainder
// f^(2n)(xi) 2^(2n+1) (n!)^4 / ((2n+1) ((2n)!)^3) with f^(2n) = (2n)!), checked while it is
// well above rounding: a rule one node short, or a node misplaced, fails one of the two.
TEST(GaussLegendre, ExactUpToDegreeTwoNMinusOne) {
    for (int n = 1; n <= GaussLegendre::kMaxNodes; ++n) {
        const GaussLegendre::Rule rule = GaussLegendre::Of(n);
        ASSERT_EQ(rule.node.size(), static_cast<std::size_t>(n));
        for (int m = 0; m <= 2 * n; ++m) {
            double sum = 0;
            for (std::size_t i = 0; i < rule.node.size(); ++i)
                sum += rule.weight[i] * std::pow(rule.node[i], m);
            const double exact = m % 2 == 0 ? 2.0 / (m + 1) : 0;
            if (m < 2 * n) {
                EXPECT_NEAR(sum, exact, 1e-14) << "n " << n << ", x^" << m;
            } else if (n <= 12) {
                const double shortfall =
                    std::exp((2 * n + 1) * std::log(2.0) + 4 * std::lgamma(n + 1.0) -
                             std::log(2 * n + 1.0) - 2 * std::lgamma(2 * n + 1.0));
                EXPECT_NEAR(exact - sum, shortfall, 1e-6 * shortfall) << "n " << n;
            }
        }
        for (std::size_t i = 1; i < rule.node.size(); ++i)
            EXPECT_LT(rule.node[i - 1], rule.node[i]) << "n " << n;
    }
}

}  // namespace
}  // namespace varnel::exact
