// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// calculate, check and uniform: one calculation's results, the accuracy check and the uniform
// region, from the calculator's twelve input texts and the source mode.
namespace varnel::python {

void AddCalculationBindings(pybind11::module_& module);

}  // namespace varnel::python
