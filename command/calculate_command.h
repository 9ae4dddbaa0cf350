// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "command/controls.h"
#include "engine/calc_record.h"

namespace varnel {

// How the command obtains the field values it shows. Both give the same texts; Recompute runs
// the field routines for every value asked, as a reference for tests and benchmarks.
enum class FieldEvaluation { Reuse, Recompute };

// What one run of the calculate command came to, besides the texts it wrote: results, the
// first failed check, or an error. `message` is the status text ("Готов ..." or the check's
// text) or the error's whole message.
struct CommandOutcome {
    enum class Kind { Results, CheckFailed, Error };
    Kind kind = Kind::Results;
    std::string message;
    std::exception_ptr error;  // the error itself, for a caller that wants it thrown
};

class FieldSource;

// The calculate command. Reads the twelve inputs into the record (stopping with a
// ConversionError at the first text that is not a number), checks them (the first failed
// check goes to the status box and the results are emptied), computes every quantity and
// shows the sixteen results. An arithmetic fault ends it with an ArithmeticError and leaves
// the window's texts as they were before the click. Field values come from `field`, bound to
// `rec` with nothing cached yet, so a caller can ask it for them again afterwards at no cost.
// Returns the outcome as a value; an error is returned, not thrown.
CommandOutcome Calculate(Controls& controls, CalcRecord& rec, FieldSource& field);

// The command as the window's button runs it: as Calculate, but an error is thrown.
CommandOutcome bCalcClick(Controls& controls, CalcRecord& rec,
                          FieldEvaluation evaluation = FieldEvaluation::Reuse);
CommandOutcome bCalcClick(Controls& controls, CalcRecord& rec, FieldSource& field);

// Empties the sixteen result boxes, eN first and em last.
void ClearResults(Controls& controls);

// The rules that show a field value as "0": a component whose share of the modulus is at most
// 1e-6 in magnitude, an angle of at most 1e-4 degrees in magnitude. Both bounds are inclusive.
bool IsNegligibleShare(long double componentOverModulus);
bool IsNegligibleAngle(long double degrees);

// The message of the first check the record's inputs fail, in the order they are checked.
std::optional<std::string_view> FirstFailedCheck(const CalcRecord& rec);

}  // namespace varnel
