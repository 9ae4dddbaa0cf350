// SPDX-License-Identifier: GPL-3.0-or-later
#include <pybind11/pybind11.h>

#include "python/src/calculation_bindings.h"
#include "python/src/design_bindings.h"
#include "python/src/errors.h"
#include "python/src/field_bindings.h"

// The compiled half of the Python package varnel; the package's __init__ gives it its
// documented, keyword-checked form.
PYBIND11_MODULE(_varnel, module) {
    module.doc() = "Varnel Coils' libraries for the Python package varnel.";
    module.attr("__version__") = VARNEL_VERSION;
    varnel::python::RegisterErrors(module);
    varnel::python::AddCalculationBindings(module);
    varnel::python::AddFieldBindings(module);
    varnel::python::AddDesignBindings(module);
}
