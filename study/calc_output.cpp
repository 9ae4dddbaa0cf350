// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/calc_output.h"

#include <ostream>

#include "command/control_names.h"

namespace varnel {

void PrintResultLines(std::ostream& out, const CalcOutcome& outcome, bool currentSource) {
    for (const ResultBox& box : kResultBoxes) {
        std::string_view caption = box.caption;
        if (box.name == "eSource2" && currentSource)
            caption = kVoltageCaption;
        out << caption << ": " << outcome.controls.Text(box.name) << '\n';
    }
}

nlohmann::ordered_json OutcomeJson(const CalcOutcome& outcome, bool full) {
    nlohmann::ordered_json json;
    if (outcome.kind == CalcOutcome::Kind::Error) {
        json["error"] = outcome.message;
        return json;
    }
    json["status"] = outcome.message;
    auto& results = json["results"] = nlohmann::ordered_json::object();
    for (const ResultBox& box : kResultBoxes) {
        const std::string text = outcome.controls.Text(box.name);
        if (!text.empty())
            results[std::string(box.name)] = text;
    }
    if (full && outcome.kind == CalcOutcome::Kind::Results) {
        auto& values = json["values"] = nlohmann::ordered_json::object();
        for (const CalcRecordField& field : kCalcRecordFields) {
            values[field.name] = FullPrecisionText(outcome.rec.*field.member);
        }
        json["field"] = {
            {"B0d", FullPrecisionText(outcome.field.centre)},
            {"Bxd", FullPrecisionText(outcome.field.radial)},
            {"Bzd", FullPrecisionText(outcome.field.axial)},
            {"Bd", FullPrecisionText(outcome.field.modulus)},
            {"Fi0", FullPrecisionText(outcome.field.angle)},
        };
    }
    return json;
}

std::array<ResultValue, 16> ResultValues(const CalcOutcome& o, bool currentSource) {
    const CalcRecord& r = o.rec;
    return {{{"N", r.N},
             {"R", r.R},
             {"L", r.L},
             {"ZL", r.ZL},
             {"ZRL", r.ZRL},
             {"Id_or_Ud", currentSource ? r.Ud : r.Id},
             {"j", r.j / 1000000},
             {"jcond", r.jcond / 1000000},
             {"P", r.P},
             {"B0d", o.field.centre},
             {"K0", r.K0},
             {"Bxd", o.field.radial},
             {"Bzd", o.field.axial},
             {"Bd", o.field.modulus},
             {"Fi0", o.field.angle},
             {"m", r.m}}};
}

std::string Dump(const nlohmann::ordered_json& json, int indent) {
    return json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace varnel
