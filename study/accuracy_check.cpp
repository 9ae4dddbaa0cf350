// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/accuracy_check.h"

#include <cmath>
#include <ostream>
#include <utility>

#include <nlohmann/json.hpp>

#include "accuracy/exact_coils.h"
#include "engine/field.h"
#include "engine/inductance.h"
#include "study/calc_output.h"
#include "study/checked_task.h"

namespace varnel {
namespace {

// The estimate of the exact value's error relative to it, as text: "-" where the value is 0.
std::string RelativeEstimate(const CheckedQuantity& q) {
    if (q.exact == 0)
        return q.estimatedError == 0 ? "0" : "-";
    return DigitsText(q.estimatedError / std::fabs(q.exact), 2);
}

long double RelativeDifference(const CheckedQuantity& q) {
    if (!q.hasClassic || q.exact == 0)
        return NAN;
    return q.classic / q.exact - 1;
}

}  // namespace

std::vector<CheckedQuantity> CheckAccuracy(const CalcOutcome& outcome) {
    const CalcRecord& rec = outcome.rec;
    const long double R1 = rec.R1, R2 = rec.R2, H = rec.H, h = rec.hh, N = rec.N;
    auto classicCoil = [&](long double height) {
        return CoilInductance(R1, R2, height, rec.D, rec.Lambda).inductance;
    };
    const long double classicSelf = classicCoil(H);
    const long double classicMutual =
        (classicCoil(2 * H + h) + classicCoil(h) - 2 * classicCoil(H + h)) / 2;
    // The mutual inductance, two thirds of the work, on a second core while this thread does
    // the rest: each value is the same whichever thread computes it.
    CheckedTask<exact::MutualResult> mutualTask(
        [=] { return exact::MutualInductance(R1, R2, H, h, N); });
    const exact::Refined self = exact::SelfInductance(R1, R2, H, N);
    const exact::RefinedField centre = exact::PairField(R1, R2, H, h, N, 0, 0, rec.Id);
    const exact::RefinedField point = exact::PairField(R1, R2, H, h, N, rec.x, rec.z, rec.Id);
    const exact::MutualResult mutual = mutualTask.Get();
    const long double pointModulus = std::hypot(point.radial.value, point.axial.value);
    const FieldValues& classic = outcome.field;

    std::vector<CheckedQuantity> q;
    q.push_back({"self-inductance of one coil", "H", true, classicSelf, self.value, self.change});
    q.push_back(
        {"mutual inductance", "H", true, classicMutual, mutual.mutual.value, mutual.mutual.change});
    q.push_back({"pair inductance L", "H", true, outcome.rec.L,
                 2 * self.value + 2 * mutual.mutual.value,
                 2 * self.change + 2 * mutual.mutual.change});
    q.push_back(
        {"B0d", "T", true, classic.centre, std::fabs(centre.axial.value), centre.axial.change});
    q.push_back(
        {"Bxd at the point", "T", true, classic.radial, point.radial.value, point.radial.change});
    q.push_back(
        {"Bzd at the point", "T", true, classic.axial, point.axial.value, point.axial.change});
    q.push_back({"Bd at the point", "T", true, classic.modulus, pointModulus,
                 std::hypot(point.radial.change, point.axial.change)});
    q.push_back({"angle at the point", "degrees", true, classic.angle,
                 exact::AngleDegrees(point.radial.value, point.axial.value),
                 exact::AngleError(point)});
    q.push_back({"force between the coils", "N", false, 0,
                 outcome.rec.Id * outcome.rec.Id * mutual.derivative.value,
                 outcome.rec.Id * outcome.rec.Id * mutual.derivative.change});
    return q;
}

void PrintCheckTable(std::ostream& out, const std::vector<CheckedQuantity>& quantities) {
    // Columns padded to their widths, as texts: the numbers are the program's own digits.
    auto row = [&](const std::vector<std::pair<std::string, std::size_t>>& cells) {
        for (const auto& [text, width] : cells)
            out << text << std::string(width > text.size() ? width - text.size() : 0, ' ') << ' ';
    };
    row({{"quantity", 30}, {"unit", 8}, {"classic", 18}, {"exact", 18}, {"classic/exact - 1", 18}});
    out << "exact's est. error\n";
    for (const CheckedQuantity& q : quantities) {
        const long double d = RelativeDifference(q);
        row({{q.name, 30},
             {q.unit, 8},
             {q.hasClassic ? DigitsText(q.classic, 10) : "-", 18},
             {DigitsText(q.exact, 10), 18},
             {std::isnan(d) ? "-" : DigitsText(d * 100, 3) + " %", 18}});
        out << RelativeEstimate(q) << "\n";
    }
    out << "Exact values: filament formulas integrated over the windings by double-exponential\n"
           "quadrature, refined once; the last column is the change of that refinement relative\n"
           "to the value (absolute values under estimated_error in --json).\n"
           "The force is Id^2 * dM/dh: negative means the coils attract.\n";
}

std::string CheckJson(const std::vector<CheckedQuantity>& quantities) {
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const CheckedQuantity& q : quantities) {
        nlohmann::ordered_json item;
        item["quantity"] = q.name;
        item["unit"] = q.unit;
        item["classic"] = q.hasClassic ? nlohmann::ordered_json(FullPrecisionText(q.classic))
                                       : nlohmann::ordered_json(nullptr);
        item["exact"] = FullPrecisionText(q.exact);
        item["estimated_error"] = FullPrecisionText(q.estimatedError);
        const long double d = RelativeDifference(q);
        item["relative_difference"] = std::isnan(d)
                                          ? nlohmann::ordered_json(nullptr)
                                          : nlohmann::ordered_json(static_cast<double>(d));
        json.push_back(item);
    }
    return Dump(json);
}

}  // namespace varnel
