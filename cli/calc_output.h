#pragma once

#include <iosfwd>
#include <string>

#include "command/controls.h"
#include "engine/calc_record.h"

namespace varnel {

// The sixteen results as the window shows them, one "caption: text" line each.
void PrintResultLines(std::ostream& out, const Controls& controls, bool currentSource);

// {"status": ..., "results": {"eN": ..., ...}} and, with `full`, "values" holding every record
// field as a string with all the digits of its extended value.
std::string ResultJson(const Controls& controls, const CalcRecord& rec, bool full);

std::string ErrorJson(const std::string& message);

// A record value with every digit its extended value has (21 significant digits).
std::string FullPrecisionText(long double value);

}  // namespace varnel
