// SPDX-License-Identifier: GPL-3.0-or-later
// The gap and the height that cancel the second-order term of the pair's field, against the
// thin-coil and small-section results of the textbooks.
#include <gtest/gtest.h>

#include <cmath>

#include "design/search.h"

namespace {

using namespace varnel::design;

// Thin coils: the spacing that cancels the second-order term is the mean radius, and the
// field then falls as B0 (1 - 1.152 (z/R)^4), so 1e-4 is reached at R (1e-4/1.152)^(1/4).
TEST(UniformGap, MostUniformThinPairIsHelmholtz) {
    const long double R1 = 0.0999L, R2 = 0.1001L, H = 0.0002L, R = (R1 + R2) / 2;
    const long double h = MostUniformGap(R1, R2, H, 0.02L, 0.3L);
    EXPECT_NEAR((H + h) / R, 1, 0.005L);
    const PairGeometry g{R1, R2, H, h, 1};
    const CentreExpansion e(g, 1, 40);
    const UniformExtents x = FindUniformExtents(g, e, 1e-4L);
    EXPECT_NEAR(x.axial / (R * std::pow(1e-4L / 1.152L, 0.25L)), 1, 0.01L);
}

// A small rectangular section at centre spacing R: the second-order term vanishes when
// width / depth = sqrt(31/36).
TEST(UniformGap, ThickSectionCancelsSecondOrderAtAspectSqrt31Over36) {
    const long double R = 0.1L, area = 4e-6L;  // a 2 mm square, 2 % of the radius
    const long double H = MostUniformHeight(R, area, R, 1e-3L, 4e-3L);
    const long double depth = area / H;
    EXPECT_NEAR((H / depth) / std::sqrt(31.0L / 36.0L), 1, 0.01L);
}

}  // namespace
