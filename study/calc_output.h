// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "command/number_styles.h"
#include "study/calc_request.h"

namespace varnel {

// The sixteen results as the window shows them, one "caption: text" line each.
void PrintResultLines(std::ostream& out, const CalcOutcome& outcome, bool currentSource);

// One calculation as JSON: {"error": ...} after an error, otherwise {"status": ...,
// "results": {"eN": ..., ...}} and, with `full`, "values" (every record field) and "field"
// (the field values behind the texts), each number a string with all its digits.
nlohmann::ordered_json OutcomeJson(const CalcOutcome& outcome, bool full);

// The one way the program writes JSON: indented by `indent` spaces (-1: on one line), a byte
// that is not UTF-8 written as U+FFFD, so that a name or path of any bytes never loses the
// answer.
std::string Dump(const nlohmann::ordered_json& json, int indent = 2);

// The sixteen results as numbers, in the order of the result boxes, named as the full tables
// name them ("Id_or_Ud" for the supply's other side); the densities in A/mm^2 as shown.
struct ResultValue {
    const char* name;
    long double value;
};
std::array<ResultValue, 16> ResultValues(const CalcOutcome& outcome, bool currentSource);

}  // namespace varnel
