#pragma once

#include <optional>
#include <string_view>

#include "command/controls.h"
#include "engine/calc_record.h"

namespace varnel {

// How the command obtains the field values it shows. Both give the same texts; Recompute runs
// the field routines for every value asked, as a reference for tests and benchmarks.
enum class FieldEvaluation { Reuse, Recompute };

// The calculate command. Reads the twelve inputs into the record (stopping with a
// ConversionError at the first text that is not a number), checks them (the first failed
// check goes to the status box and the results are emptied), computes every quantity and
// shows the sixteen results. An arithmetic fault ends it with an ArithmeticError and leaves
// the window's texts as they were before the click.
void bCalcClick(Controls& controls, CalcRecord& rec,
                FieldEvaluation evaluation = FieldEvaluation::Reuse);

class FieldSource;

// The same command asking `field` (bound to `rec`, with nothing cached yet) for the field
// values, so a caller can ask it for those values again afterwards at no cost.
void bCalcClick(Controls& controls, CalcRecord& rec, FieldSource& field);

// Empties the sixteen result boxes, eN first and em last.
void ClearResults(Controls& controls);

// The rules that show a field value as "0": a component whose share of the modulus is at most
// 1e-6 in magnitude, an angle of at most 1e-4 degrees in magnitude. Both bounds are inclusive.
bool IsNegligibleShare(long double componentOverModulus);
bool IsNegligibleAngle(long double degrees);

// The message of the first check the record's inputs fail, in the order they are checked.
std::optional<std::string_view> FirstFailedCheck(const CalcRecord& rec);

}  // namespace varnel
