// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/circle_arcs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varnel {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;

bool Inside(const QPointF& p, const ArcBox& box) {
    return p.x() >= box.x0 && p.x() <= box.x1 && p.y() >= box.y0 && p.y() <= box.y1;
}

double Wrapped(double angle) {
    const double a = std::fmod(angle, kTurn);
    return a < 0 ? a + kTurn : a;
}

// The angles, in [0, 2 pi), where the circle meets the box's four edge lines.
std::vector<double> Crossings(double radius, const ArcBox& box) {
    std::vector<double> angles;
    for (const double x : {box.x0, box.x1}) {
        if (std::fabs(x) < radius) {
            const double a = std::acos(x / radius);
            angles.insert(angles.end(), {Wrapped(a), Wrapped(-a)});
        }
    }
    for (const double y : {box.y0, box.y1}) {
        if (std::fabs(y) < radius) {
            const double a = std::asin(y / radius);
            angles.insert(angles.end(), {Wrapped(a), Wrapped(std::numbers::pi - a)});
        }
    }
    std::sort(angles.begin(), angles.end());
    return angles;
}

// The arc from angle a to b, its ends on the box's edges: rounding may put an end a hair
// outside, so each point is held to the box.
std::vector<QPointF> Arc(double radius, double a, double b, const ArcBox& box) {
    const int steps = std::max(1, static_cast<int>(std::ceil((b - a) / (kTurn / 360))));
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const double t = a + (b - a) * k / steps;
        points.emplace_back(std::clamp(radius * std::cos(t), box.x0, box.x1),
                            std::clamp(radius * std::sin(t), box.y0, box.y1));
    }
    return points;
}

QPointF OnCircle(double radius, double angle) {
    return {radius * std::cos(angle), radius * std::sin(angle)};
}

}  // namespace

std::vector<std::vector<QPointF>> CircleArcsInside(double radius, const ArcBox& box) {
    std::vector<std::vector<QPointF>> arcs;
    if (!(radius > 0) || !(box.x1 > box.x0) || !(box.y1 > box.y0))
        return arcs;
    const std::vector<double> angles = Crossings(radius, box);
    if (angles.empty()) {
        if (Inside(OnCircle(radius, 0), box))
            arcs.push_back(Arc(radius, 0, kTurn, box));
        return arcs;
    }
    for (std::size_t k = 0; k < angles.size(); ++k) {
        const double a = angles[k];
        const double b = k + 1 < angles.size() ? angles[k + 1] : angles.front() + kTurn;
        if (b - a > 1e-12 && Inside(OnCircle(radius, (a + b) / 2), box))
            arcs.push_back(Arc(radius, a, b, box));
    }
    return arcs;
}

}  // namespace varnel
