// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <exception>
#include <string>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/text_controls.h"
#include "engine/calc_record.h"

namespace varnel {

// The inputs of one calculation: the texts typed into the boxes (in the order of kInputBoxes)
// and the source mode.
struct CalcRequest {
    std::array<std::string, kInputBoxes.size()> texts;
    bool currentSource = false;

    // The window's default texts and its voltage source.
    static CalcRequest Defaults();
};

// The field as the result boxes show it, at full precision, for the record's current.
struct FieldValues {
    long double centre = 0;   // B0d
    long double radial = 0;   // Bxd
    long double axial = 0;    // Bzd
    long double modulus = 0;  // Bd
    long double angle = 0;    // degrees
};

// What one calculation gave: results, a failed check, or an error with its message.
struct CalcOutcome {
    using Kind = CommandOutcome::Kind;
    Kind kind = Kind::Results;
    std::string message;       // the status text, or the error as the error box words it
    std::exception_ptr error;  // the error itself (a ConversionError or ArithmeticError)
    TextControls controls;
    CalcRecord rec;
    FieldValues field;
};

class SharedFieldSums;

// One calculation. With `shared`, the windings' sums come from (and go to) the store the rows
// of a study share; the numbers are the same either way.
CalcOutcome RunCalculation(const CalcRequest& request, SharedFieldSums* shared = nullptr);

}  // namespace varnel
