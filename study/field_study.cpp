// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/field_study.h"

#include <algorithm>
#include <cmath>

#include "accuracy/exact_coils.h"
#include "accuracy/winding_field.h"
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

// The model of a study and the B0d its deviations are measured against.
struct ModelCentre {
    FieldModel model;
    long double centre;
};

exact::FastField ExactField(const CalcRecord& rec, long double x, long double z) {
    return exact::PairWindingField(static_cast<double>(rec.R1), static_cast<double>(rec.R2),
                                   static_cast<double>(rec.H), static_cast<double>(rec.hh),
                                   static_cast<double>(rec.N), static_cast<double>(rec.Id),
                                   static_cast<double>(x), static_cast<double>(z));
}

ModelCentre CentreOf(const CalcOutcome& base, FieldModel model) {
    if (model == FieldModel::Classic)
        return {model, base.field.centre};
    const exact::FastField b = ExactField(base.rec, 0, 0);
    return {model,
            std::hypot(static_cast<long double>(b.radial), static_cast<long double>(b.axial))};
}

// One point by the exact model, with its faults as the point's status.
void ExactValues(const CalcOutcome& base, long double centre, FieldPoint& p) {
    const exact::FastField b = ExactField(base.rec, p.x, p.z);
    p.field.centre = centre;
    p.field.radial = Checked(static_cast<long double>(b.radial));
    p.field.axial = Checked(static_cast<long double>(b.axial));
    p.field.modulus = Checked(std::hypot(p.field.radial, p.field.axial));
    p.field.angle = exact::AngleDegrees(p.field.radial, p.field.axial);
    p.deviation = Checked(p.field.modulus / p.field.centre - 1);
}

// One point's values by the calls the command makes (or by the exact model), with its faults
// as the point's status.
FieldPoint PointAt(const CalcOutcome& base, const ModelCentre& model, const std::string& xText,
                   const std::string& zText) {
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
        if (model.model == FieldModel::Exact) {
            ExactValues(base, model.centre, p);
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

const char* FieldModelName(FieldModel model) {
    return model == FieldModel::Exact ? "exact" : "classic";
}

long double CentreField(const CalcOutcome& base, FieldModel model) {
    return CentreOf(base, model).centre;
}

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
                            std::stop_token stop, const Progress& progress, FieldModel model) {
    const std::vector<std::string> xs = GridTexts(x), zs = GridTexts(z);
    const ModelCentre m = CentreOf(base, model);
    return StreamPoints(
        xs.size() * zs.size(), threads,
        [&](std::size_t i) { return PointAt(base, m, xs[i / zs.size()], zs[i % zs.size()]); }, take,
        stop, progress);
}

std::size_t StreamFieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                               const std::string& at, unsigned threads,
                               const std::function<void(const FieldPoint&)>& take,
                               std::stop_token stop, const Progress& progress, FieldModel model) {
    const std::vector<std::string> along = GridTexts(range);
    const ModelCentre m = CentreOf(base, model);
    return StreamPoints(
        along.size(), threads,
        [&](std::size_t i) {
            return alongZ ? PointAt(base, m, at, along[i]) : PointAt(base, m, along[i], at);
        },
        take, stop, progress);
}

std::vector<FieldPoint> FieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                                  unsigned threads, std::stop_token stop, const Progress& progress,
                                  FieldModel model) {
    std::vector<FieldPoint> points;
    StreamFieldGrid(
        base, x, z, threads, [&](const FieldPoint& p) { points.push_back(p); }, stop, progress,
        model);
    return points;
}

std::vector<FieldPoint> FieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                                     const std::string& at, unsigned threads, std::stop_token stop,
                                     const Progress& progress, FieldModel model) {
    std::vector<FieldPoint> points;
    StreamFieldProfile(
        base, alongZ, range, at, threads, [&](const FieldPoint& p) { points.push_back(p); }, stop,
        progress, model);
    return points;
}

namespace {

long double DeviationAt(const CalcOutcome& base, const ModelCentre& model, long double x,
                        long double z) {
    const FieldPoint p = PointAt(base, model, Text(x), Text(z));
    if (p.status.empty())
        return p.deviation;
    // A point the check refuses was asked for wrongly; anything else is an arithmetic fault.
    if (p.x < 0)
        throw BadRequestError(p.status);
    throw ArithmeticError(p.status);
}

}  // namespace

long double DeviationAt(const CalcOutcome& base, long double x, long double z, FieldModel model) {
    return DeviationAt(base, CentreOf(base, model), x, z);
}

UniformRegion FindUniformRegion(const CalcOutcome& base, long double tolerance, FieldModel model) {
    ResetFloatingPointEnvironment();
    const ModelCentre m = CentreOf(base, model);
    const CalcRecord& rec = base.rec;
    UniformRegion region;
    region.tolerance = tolerance;
    region.centre = m.centre;
    // Look as far as well past the coils: along the axis to twice the outer face, radially to
    // twice the outer radius, in 400 steps, then bisect the first step that leaves.
    region.scanAxial = 2 * (rec.H + rec.hh / 2) + rec.R2;
    region.scanRadial = 2 * rec.R2;
    auto search = [&](long double limit, bool alongZ, long double* extent) {
        auto outside = [&](long double s) {
            const long double d = alongZ ? DeviationAt(base, m, 0, s) : DeviationAt(base, m, s, 0);
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
