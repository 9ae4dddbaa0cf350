// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// design and wires: coil pairs from goals, and the wire catalogues they are made from.
namespace varnel::python {

void AddDesignBindings(pybind11::module_& module);

}  // namespace varnel::python
