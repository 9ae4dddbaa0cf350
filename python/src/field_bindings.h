// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// field: the pair's flux density on numpy arrays of points, off the GIL on all cores.
namespace varnel::python {

void AddFieldBindings(pybind11::module_& module);

}  // namespace varnel::python
