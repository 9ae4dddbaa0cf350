// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <vector>

// The parts of a circle that lie inside a box, as polylines. A picture draws these rather than
// the whole circle clipped, because an SVG file does not keep a painter's clip.
namespace varnel {

// The box, in the circle's own units: x from x0 to x1, y from y0 to y1.
struct ArcBox {
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
};

// The arcs of the circle of `radius` about the origin that run inside `box`, each as points
// (x, y) counter-clockwise no further apart than a degree of arc; an arc ends on the box's edge,
// and every point lies inside the box or on it. The whole circle when it is inside; none when it
// misses the box. The arcs come in the order of the angles they start at, from the +x axis
// counter-clockwise.
std::vector<std::vector<QPointF>> CircleArcsInside(double radius, const ArcBox& box);

}  // namespace varnel
