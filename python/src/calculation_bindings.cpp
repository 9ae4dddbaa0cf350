// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/calculation_bindings.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "command/control_names.h"
#include "command/errors.h"
#include "command/number_text.h"
#include "python/src/entry_points.h"
#include "python/src/errors.h"
#include "python/src/interrupts.h"
#include "python/src/request.h"
#include "study/calc_output.h"

namespace py = pybind11;

namespace varnel::python {
namespace {

// One calculation's outcome, its texts and numbers turned into Python's on demand: most callers
// want a few of them, and writing all forty values with every digit would cost more than the
// call itself.
struct Calculated {
    CalcOutcome outcome;
    bool current = false;

    py::dict Texts() const {
        py::dict out;
        const auto results = ResultValues(outcome, current);
        for (std::size_t i = 0; i < results.size(); ++i)
            out[results[i].name] = outcome.controls.Text(kResultBoxes[i].name);
        return out;
    }
    py::dict Values() const {
        py::dict out;
        for (const ResultValue& v : ResultValues(outcome, current))
            out[v.name] = static_cast<double>(v.value);
        return out;
    }
    py::dict Extended() const {
        py::dict out;
        for (const ResultValue& v : ResultValues(outcome, current))
            out[v.name] = FullPrecisionText(v.value);
        return out;
    }
    py::dict Record() const {
        py::dict out;
        for (const CalcRecordField& field : kCalcRecordFields)
            out[field.name] = FullPrecisionText(outcome.rec.*field.member);
        return out;
    }
};

Calculated CalculateTexts(const std::vector<std::string>& texts, bool current) {
    const CalcRequest request = RequestOf(texts, current);
    Calculated out;
    out.current = current;
    {
        const py::gil_scoped_release released;
        out.outcome = Calculation(request);
    }
    ThrowUnlessResults(out.outcome);
    return out;
}

std::string CheckTexts(const std::vector<std::string>& texts, bool current) {
    const CalcRequest request = RequestOf(texts, current);
    std::string json;
    RunInterruptibly([&](std::stop_token) {
        const CalcOutcome outcome = Calculation(request);
        ThrowUnlessResults(outcome);
        json = AccuracyCheckJson(outcome);
    });
    return json;
}

py::dict UniformOf(const std::vector<std::string>& texts, bool current,
                   const std::string& tolerance, const std::string& model) {
    const bool exact = model == "exact";
    if (!exact && model != "classic")
        throw std::invalid_argument("model: '" + model + "' is not \"exact\" or \"classic\"");
    const FieldModel fieldModel = exact ? FieldModel::Exact : FieldModel::Classic;
    const CalcRequest request = RequestOf(texts, current);
    long double tol = 0;
    try {
        tol = ParseNumber(TrimText(tolerance));
    } catch (const ConversionError&) {
        throw GoalFailure("tol: '" + tolerance + "' is not a number");
    }
    if (!(tol > 0 && tol < 1)) {
        throw GoalFailure("tol: '" + tolerance +
                          "' is not a fraction above 0 and below 1 (0.001 means 0.1 %)");
    }
    CalcOutcome base;
    UniformRegion region;
    RunInterruptibly([&](std::stop_token) {
        base = FieldBase(request);
        ThrowUnlessResults(base);
        if (base.field.centre == 0) {
            throw GoalFailure(
                "the field is zero everywhere (the supply, source, is 0), so there is no B0d to "
                "measure a region against");
        }
        region = Uniform(base, tol, fieldModel);
    });
    auto extent = [](bool found, long double metres) -> py::object {
        return found ? py::object(py::float_(static_cast<double>(metres))) : py::object(py::none());
    };
    py::dict out;
    out["tolerance"] = static_cast<double>(tol);
    out["B0d"] = static_cast<double>(region.centre);
    out["axial"] = extent(region.axialFound, region.axial);
    out["radial"] = extent(region.radialFound, region.radial);
    out["scanned_axial"] = static_cast<double>(region.scanAxial);
    out["scanned_radial"] = static_cast<double>(region.scanRadial);
    return out;
}

// The calculator's inputs: option name, default text and its value, unit and description.
py::list Inputs() {
    py::list out;
    for (const InputBox& box : kInputBoxes) {
        out.append(py::make_tuple(std::string(box.option), std::string(box.defaultText),
                                  static_cast<double>(ParseNumber(box.defaultText)),
                                  std::string(box.unit), std::string(box.help)));
    }
    return out;
}

// CPU seconds of the calling thread one calculation takes, the mean of `repeat`, with nothing
// of Python around it: what the call's overhead is measured against. CPU time, not the clock,
// so that other work on the machine weighs less.
double TimeCalculation(const std::vector<std::string>& texts, bool current, int repeat) {
    const CalcRequest request = RequestOf(texts, current);
    const py::gil_scoped_release released;
    auto cpu = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    };
    const double start = cpu();
    for (int i = 0; i < repeat; ++i)
        Calculation(request);
    return (cpu() - start) / std::max(1, repeat);
}

}  // namespace

void AddCalculationBindings(py::module_& module) {
    module.def("inputs", &Inputs,
               "The calculator's inputs in the order it reads them: (name, default text, default "
               "value, unit, description).");
    py::class_<Calculated>(module, "Outcome", "One calculation's results.")
        .def_property_readonly("status", [](const Calculated& c) { return c.outcome.message; })
        .def("texts", &Calculated::Texts, "The sixteen results as the calculator writes them.")
        .def("values", &Calculated::Values, "The sixteen results as the nearest floats.")
        .def("extended", &Calculated::Extended, "The sixteen results with every digit.")
        .def("record", &Calculated::Record, "The record's fields with every digit.");
    module.def("calculate", &CalculateTexts, py::arg("texts"), py::arg("current"),
               "One calculation from the twelve input texts.");
    module.def("check", &CheckTexts, py::arg("texts"), py::arg("current"),
               "The accuracy check as varnel-calc check --json writes it.");
    module.def("uniform", &UniformOf, py::arg("texts"), py::arg("current"), py::arg("tol"),
               py::arg("model"),
               "The uniform region for the tolerance tol (a text) by the field model named.");
    module.def("time_calculation", &TimeCalculation, py::arg("texts"), py::arg("current"),
               py::arg("repeat"), "CPU seconds one calculation takes in C++, for the benchmark.");
}

}  // namespace varnel::python
