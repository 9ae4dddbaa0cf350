// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/field_study.h"

#include <algorithm>
#include <cmath>

#include "command/calculate_command.h"
#include "command/errors.h"
#include "command/field_source.h"
#include "command/fp_guard.h"
#include "command/number_text.h"
#include "study/calc_output.h"
#include "study/parallel_runner.h"
#include "study/study_errors.h"

namespace varnel {
namespace {

// One point's values by the calls the command makes, with its faults as the point's status.
FieldPoint PointAt(const CalcOutcome& base, const std::string& xText, const std::string& zText) {
    FieldPoint p;
    p.xText = xText;
    p.zText = zText;
    try {
        p.x = ParseNumber(TrimText(xText));
        p.z = ParseNumber(TrimText(zText));
        if (!(p.x >= 0)) {
            p.status = "Введите x >= 0";
            return p;
        }
        ReusingFieldSource field(base.rec);
        const long double I = base.rec.Id;
        p.field.centre = base.field.centre;  // the same sums at the centre for every point
        p.field.radial = Checked(field.Radial(p.x, p.z, I));
        p.field.axial = Checked(field.Axial(p.x, p.z, I));
        p.field.modulus = Checked(field.Modulus(p.x, p.z, I));
        p.field.angle = Checked(field.Angle(p.x, p.z, I));
        p.deviation = Checked(p.field.modulus / p.field.centre - 1);
    } catch (const CommandError& e) {
        p.status = e.message();
    }
    return p;
}

std::string Text(long double v) {
    return DigitsText(v, 15);
}

}  // namespace

CalcOutcome StudyBase(const CalcRequest& base) {
    CalcRequest centre = base;
    centre.texts[kXInput] = "0";
    centre.texts[kZInput] = "0";
    return RunCalculation(centre);
}

namespace {

// Points 0 .. count-1 made by `at` on the threads and handed to `take` in order, holding only
// those between computed and taken.
std::size_t StreamPoints(std::size_t count, unsigned threads,
                         const std::function<FieldPoint(std::size_t)>& at,
                         const std::function<void(const FieldPoint&)>& take, std::stop_token stop,
                         const Progress& progress) {
    std::vector<FieldPoint> ring(std::min(count, InOrderWindow(threads)));
    return RunInOrder(
        count, threads, [&](std::size_t i) { ring[i % ring.size()] = at(i); },
        [&](std::size_t i) {
            take(ring[i % ring.size()]);
            ring[i % ring.size()] = FieldPoint{};
        },
        stop, progress);
}

}  // namespace

std::size_t StreamFieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                            unsigned threads, const std::function<void(const FieldPoint&)>& take,
                            std::stop_token stop, const Progress& progress) {
    const std::vector<std::string> xs = GridTexts(x), zs = GridTexts(z);
    return StreamPoints(
        xs.size() * zs.size(), threads,
        [&](std::size_t i) { return PointAt(base, xs[i / zs.size()], zs[i % zs.size()]); }, take,
        stop, progress);
}

std::size_t StreamFieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                               const std::string& at, unsigned threads,
                               const std::function<void(const FieldPoint&)>& take,
                               std::stop_token stop, const Progress& progress) {
    const std::vector<std::string> along = GridTexts(range);
    return StreamPoints(
        along.size(), threads,
        [&](std::size_t i) {
            return alongZ ? PointAt(base, at, along[i]) : PointAt(base, along[i], at);
        },
        take, stop, progress);
}

std::vector<FieldPoint> FieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                                  unsigned threads, std::stop_token stop,
                                  const Progress& progress) {
    std::vector<FieldPoint> points;
    StreamFieldGrid(
        base, x, z, threads, [&](const FieldPoint& p) { points.push_back(p); }, stop, progress);
    return points;
}

std::vector<FieldPoint> FieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                                     const std::string& at, unsigned threads, std::stop_token stop,
                                     const Progress& progress) {
    std::vector<FieldPoint> points;
    StreamFieldProfile(
        base, alongZ, range, at, threads, [&](const FieldPoint& p) { points.push_back(p); }, stop,
        progress);
    return points;
}

long double DeviationAt(const CalcOutcome& base, long double x, long double z) {
    const FieldPoint p = PointAt(base, Text(x), Text(z));
    if (p.status.empty())
        return p.deviation;
    // A point the check refuses was asked for wrongly; anything else is an arithmetic fault.
    if (p.x < 0)
        throw BadRequestError(p.status);
    throw ArithmeticError(p.status);
}

UniformRegion FindUniformRegion(const CalcOutcome& base, long double tolerance) {
    ResetFloatingPointEnvironment();
    const CalcRecord& rec = base.rec;
    UniformRegion region;
    region.tolerance = tolerance;
    // Look as far as well past the coils: along the axis to twice the outer face, radially to
    // twice the outer radius, in 400 steps, then bisect the first step that leaves.
    region.scanAxial = 2 * (rec.H + rec.hh / 2) + rec.R2;
    region.scanRadial = 2 * rec.R2;
    auto search = [&](long double limit, bool alongZ, long double* extent) {
        auto outside = [&](long double s) {
            const long double d = alongZ ? DeviationAt(base, 0, s) : DeviationAt(base, s, 0);
            return std::fabs(d) > tolerance;
        };
        constexpr int kSteps = 400;
        long double inside = 0;
        for (int k = 1; k <= kSteps; ++k) {
            const long double s = limit * k / kSteps;
            if (!outside(s)) {
                inside = s;
                continue;
            }
            long double out = s;
            for (int it = 0; it < 60 && out - inside > 1e-12L * limit; ++it) {
                const long double mid = (inside + out) / 2;
                (outside(mid) ? out : inside) = mid;
            }
            *extent = (inside + out) / 2;
            return true;
        }
        *extent = limit;
        return false;
    };
    region.axialFound = search(region.scanAxial, true, &region.axial);
    region.radialFound = search(region.scanRadial, false, &region.radial);
    return region;
}

}  // namespace varnel
