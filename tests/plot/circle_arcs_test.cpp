// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the uniform sphere's outline a map draws: worked by hand on 3-4-5 and 30-60-90
// triangles, with boxes off centre so that a swap of x and y or of the ends shows.
#include <cmath>

#include <gtest/gtest.h>

#include "plot/circle_arcs.h"

namespace varnel {
namespace {

void ExpectPoint(const QPointF& p, double x, double y) {
    EXPECT_NEAR(p.x(), x, 1e-9);
    EXPECT_NEAR(p.y(), y, 1e-9);
}

void ExpectInside(const std::vector<QPointF>& arc, const ArcBox& box) {
    for (const QPointF& p : arc) {
        EXPECT_GE(p.x(), box.x0);
        EXPECT_LE(p.x(), box.x1);
        EXPECT_GE(p.y(), box.y0);
        EXPECT_LE(p.y(), box.y1);
    }
}

// The left edge x = -5 cuts the circle of radius 10 where cos t = -1/2, at t = 240 and 120
// degrees, y = -/+ 10 sin 60 = 8.660254...; the arc inside runs the long way through (10, 0).
TEST(CircleArcs, OneEdgeLeavesTheLongArc) {
    const ArcBox box{-5, 30, -40, 45};
    const auto arcs = CircleArcsInside(10, box);
    ASSERT_EQ(arcs.size(), 1u);
    const double h = 10 * std::sqrt(3.0) / 2;
    ExpectPoint(arcs[0].front(), -5, -h);
    ExpectPoint(arcs[0].back(), -5, h);
    // 240 degrees of arc, a point each degree at most.
    EXPECT_GE(arcs[0].size(), 241u);
    ExpectInside(arcs[0], box);
    bool throughRight = false;
    for (const QPointF& p : arcs[0])
        throughRight = throughRight || p.x() > 9.99;
    EXPECT_TRUE(throughRight);
}

// The bottom edge y = -6 and the top y = 8 cut the circle of radius 10 at (+/-8, -6) and
// (+/-6, 8): two arcs of 90 degrees, the left one from (-6, 8) to (-8, -6) starting at 126.87
// degrees, then the right one from (8, -6) at 323.13 degrees to (6, 8).
TEST(CircleArcs, TwoEdgesLeaveTwoArcs) {
    const ArcBox box{-20, 25, -6, 8};
    const auto arcs = CircleArcsInside(10, box);
    ASSERT_EQ(arcs.size(), 2u);
    ExpectPoint(arcs[0].front(), -6, 8);
    ExpectPoint(arcs[0].back(), -8, -6);
    ExpectPoint(arcs[1].front(), 8, -6);
    ExpectPoint(arcs[1].back(), 6, 8);
    for (const auto& arc : arcs)
        ExpectInside(arc, box);
}

TEST(CircleArcs, WholeCircleOrNone) {
    const struct {
        const char* name;
        double radius;
        ArcBox box;
        std::size_t arcs;
    } cases[] = {
        {"inside the box", 1, {-2, 3, -4, 5}, 1},
        {"beside the box", 1, {2, 3, 0, 1}, 0},
        {"round the box", 10, {1, 2, 3, 4}, 0},
        {"no radius", 0, {-2, 3, -4, 5}, 0},
    };
    for (const auto& c : cases) {
        const auto arcs = CircleArcsInside(c.radius, c.box);
        ASSERT_EQ(arcs.size(), c.arcs) << c.name;
        if (c.arcs == 1) {
            ExpectPoint(arcs[0].front(), c.radius, 0);
            ExpectPoint(arcs[0].back(), c.radius, 0);
            for (const QPointF& p : arcs[0])
                EXPECT_NEAR(std::hypot(p.x(), p.y()), c.radius, 1e-12) << c.name;
        }
    }
}

}  // namespace
}  // namespace varnel
