// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/design_bindings.h"

#include <pybind11/stl.h>

#include <optional>
#include <string>

#include "command/number_text.h"
#include "design/design_json.h"
#include "design/winding.h"
#include "python/src/entry_points.h"
#include "python/src/errors.h"
#include "python/src/interrupts.h"
#include "study/calc_output.h"

namespace py = pybind11;

namespace varnel::python {
namespace {

using namespace design;

std::optional<long double> Limit(const py::dict& goals, const char* name) {
    const py::object value = goals[name];
    if (value.is_none())
        return std::nullopt;
    return static_cast<long double>(value.cast<double>());
}

long double Number(const py::dict& goals, const char* name) {
    return static_cast<long double>(goals[name].cast<double>());
}

// A goal given as text, read as varnel-calc design reads its --uniform: written with ".".
long double TextNumber(const std::string& text, const char* what) {
    // Blanks at the ends are dropped, as the command line drops them.
    const std::optional<long double> value = ReadDigitsText(TrimText(text));
    if (!value)
        throw GoalFailure(std::string(what) + ": '" + text + "' is not a number");
    return *value;
}

// The strays of the build, checked item by item on the Python side.
Tolerances RobustOf(const py::dict& in) {
    Tolerances t;
    t.gap = Number(in, "h");
    t.radius = Number(in, "R1");
    t.height = Number(in, "H");
    t.turns = in["turns"].cast<long long>();
    t.wire = in["wire"].cast<bool>();
    return t;
}

// The goals as varnel-calc design reads its options: numbers as doubles, the uniformity goal
// read from its text.
Goals GoalsOf(const py::dict& in) {
    Goals g;
    g.B0 = Number(in, "B0");
    g.B0Tol = Number(in, "B0_tol");
    const py::object uniform = in["uniform"];
    if (!uniform.is_none()) {
        const auto texts = uniform.cast<std::pair<std::string, std::string>>();
        g.uniform = Uniformity{TextNumber(texts.first, "uniform tol"),
                               TextNumber(texts.second, "uniform radius")};
    }
    const std::optional<long double> voltage = Limit(in, "voltage");
    const std::optional<long double> current = Limit(in, "current");
    if (voltage.has_value() == current.has_value())
        throw GoalFailure("give the supply: voltage=V or current=A");
    g.currentSource = current.has_value();
    g.source = g.currentSource ? *current : *voltage;
    g.frequency = Number(in, "f");
    g.maxPower = Limit(in, "max_power");
    g.maxTempRise = Limit(in, "max_temp_rise");
    g.maxOuter = Limit(in, "max_outer");
    g.maxLength = Limit(in, "max_length");
    g.maxMass = Limit(in, "max_mass");
    g.ambient = Number(in, "ambient");
    g.thermalClass = Number(in, "thermal_class");
    g.bore = Number(in, "bore");
    g.formerWall = Number(in, "former_wall");
    g.cheek = Number(in, "cheek");
    g.bounds = {Number(in, "search_outer"), Number(in, "search_length"), Number(in, "search_inner"),
                Number(in, "search_reach")};
    g.robust = RobustOf(in["robust"].cast<py::dict>());
    g.heatTransfer = Number(in, "heat_transfer");
    if (const std::optional<long double> k = Limit(in, "winding_conductivity"))
        g.windingConductivity = *k;
    g.count = in["count"].cast<int>();
    if (g.count < 1 || g.count > 100)
        throw GoalFailure("count: " + std::to_string(g.count) + " is not from 1 to 100");
    const std::string minimise = in["minimise"].cast<std::string>();
    if (minimise == "power") {
        g.minimise = Minimise::Power;
    } else if (minimise == "size") {
        g.minimise = Minimise::Size;
    } else if (minimise == "mass") {
        g.minimise = Minimise::Mass;
    } else {
        throw GoalFailure("minimise: '" + minimise + "' is not power, mass or size");
    }
    try {
        g.winding = WindingOf(in["winding"].cast<std::string>());
    } catch (const std::invalid_argument& e) {
        throw GoalFailure(e.what());
    }
    g.material = Material(in["material"].cast<std::string>());
    g.wires = Wires(in["wires"].cast<std::string>(), in["grade"].cast<std::string>());
    return g;
}

// One design by the names of varnel-calc design --json (the one writer of them), with the
// calculator's options beside them for Design.pair().
py::dict DesignDict(const Design& d, const Goals& g) {
    const py::object loads = py::module_::import("json").attr("loads");
    py::dict j = loads(Dump(DesignJson(d, g), -1));
    if (!j.contains("sphere_deviation"))
        j["sphere_deviation"] = py::none();
    j["inputs"] = d.inputs;
    return j;
}

py::dict DesignsFor(const py::dict& goalsIn, unsigned threads) {
    Goals goals = GoalsOf(goalsIn);
    Answer answer;
    RunInterruptibly([&](std::stop_token stop) {
        answer = Designs(goals, stop, threads > 0 ? threads : AllThreads());
    });
    py::list designs;
    for (const Design& d : answer.designs)
        designs.append(DesignDict(d, goals));
    py::dict out;
    out["designs"] = designs;
    out["error"] = answer.error;
    out["best"] = answer.best ? py::object(DesignDict(*answer.best, goals)) : py::none();
    out["rejected_by_check"] = answer.rejectedByCheck;
    return out;
}

py::list WireTable(const std::string& which, const std::string& grade) {
    py::list out;
    for (const Wire& w : Wires(which, grade)) {
        out.append(
            py::make_tuple(w.name, static_cast<double>(w.bare), static_cast<double>(w.overall)));
    }
    return out;
}

}  // namespace

void AddDesignBindings(py::module_& module) {
    module.def("design", &DesignsFor, py::arg("goals"), py::arg("threads"),
               "Designs for the goals (a dict of every goal): designs, error, best.");
    module.def("wires", &WireTable, py::arg("which"), py::arg("grade"),
               "The wires of a catalogue: (name, bare, overall), diameters in m.");
}

}  // namespace varnel::python
