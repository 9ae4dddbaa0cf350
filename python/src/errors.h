// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <stdexcept>

#include "study/calc_request.h"

// The module's exceptions: the program's errors as Python exceptions of their own, each with
// the message the program gives.
namespace varnel::python {

// A failed input check; varnel.InputCheckError with the check's message ("Введите R1 > 0").
class InputCheckFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Goals, a catalogue or a tolerance that make no sense; varnel.GoalError (a ValueError).
class GoalFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Creates varnel.VarnelError and its kinds in the module and turns the C++ errors into them:
// ConversionError into NumberTextError, ArithmeticError into FloatingPointError, with the
// message as the calculator's error box shows it.
void RegisterErrors(pybind11::module_& module);

// Returns for results; otherwise throws the check failure or the error the calculation ended
// with.
void ThrowUnlessResults(const CalcOutcome& outcome);

}  // namespace varnel::python
