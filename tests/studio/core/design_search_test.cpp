// SPDX-License-Identifier: GPL-3.0-or-later
// The design search as the studio runs it, away from the defaults; the suite also runs under
// Russian regional settings, where a reader of the designs' "." texts through the C library
// would take "0.0213" for 0.
#include <gtest/gtest.h>

#include "studio/core/study_bridge.h"

namespace varnel::studio {
namespace {

// An aluminium pair for 7 mT within 2 % from 9 V, at most 15 W, a bore of 17 mm at a 31 C
// ambient. The design's boxes hold its command's lengths: R1 clears the bore, R2 lies beyond
// R1, and the field found is within the tolerance asked.
TEST(StudioDesignSearch, FoundDesignsFillTheBoxesFromTheirCommand) {
    DesignGoals goals;
    goals.centreFieldMt = 7;
    goals.centreTolerancePercent = 2;
    goals.uniformRadiusMm = 0;
    goals.source = 9;
    goals.maxPowerW = 15;
    goals.ambientC = 31;
    goals.boreMm = 17;
    goals.material = QStringLiteral("aluminium");
    goals.count = 1;
    const DesignSearch search = SearchDesigns(
        goals, {}, [](std::size_t, std::size_t) {}, 2);
    ASSERT_TRUE(search.message.isEmpty()) << search.message.toStdString();
    ASSERT_EQ(search.designs.size(), 1);
    const FoundDesign& d = search.designs.front();
    EXPECT_GE(d.inputs.innerRadiusMm, 17);
    EXPECT_GT(d.inputs.outerRadiusMm, d.inputs.innerRadiusMm);
    EXPECT_GT(d.inputs.heightMm, 0);
    EXPECT_GT(d.inputs.gapMm, 0);
    EXPECT_GT(d.inputs.wireDiameterMm, 0);
    EXPECT_LT(d.inputs.wireDiameterMm, d.inputs.outerRadiusMm - d.inputs.innerRadiusMm);
    EXPECT_EQ(d.inputs.source, 9);
    EXPECT_NEAR(d.centreFieldMt, 7, 7 * 0.02);
}

}  // namespace
}  // namespace varnel::studio
