#include "cli/calc_output.h"

#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

#include "command/control_names.h"

namespace varnel {

void PrintResultLines(std::ostream& out, const Controls& controls, bool currentSource) {
    for (const ResultBox& box : kResultBoxes) {
        std::string_view caption = box.caption;
        if (box.name == "eSource2" && currentSource)
            caption = kVoltageCaption;
        out << caption << ": " << controls.Text(box.name) << '\n';
    }
}

std::string FullPrecisionText(long double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
    return buffer;
}

std::string ResultJson(const Controls& controls, const CalcRecord& rec, bool full) {
    nlohmann::ordered_json json;
    json["status"] = controls.Text(kStatusBox);
    auto& results = json["results"] = nlohmann::ordered_json::object();
    for (const ResultBox& box : kResultBoxes) {
        const std::string text = controls.Text(box.name);
        if (!text.empty())
            results[std::string(box.name)] = text;
    }
    if (full) {
        auto& values = json["values"] = nlohmann::ordered_json::object();
        for (const CalcRecordField& field : kCalcRecordFields) {
            values[field.name] = FullPrecisionText(rec.*field.member);
        }
    }
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string ErrorJson(const std::string& message) {
    nlohmann::ordered_json json;
    json["error"] = message;
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace varnel
