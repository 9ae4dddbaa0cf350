// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stop_token>
#include <string>
#include <vector>

#include "design/search.h"
#include "study/accuracy_check.h"
#include "study/calc_request.h"
#include "study/field_study.h"

// The one place where the module reaches the program's libraries: each entry point is called
// from here alone, so that a library that moves or changes is followed in one file.
namespace varnel::python {

// The calculator's sixteen results for the twelve input texts and the source mode.
CalcOutcome Calculation(const CalcRequest& request);

// A calculation at the centre whose record (geometry, turns, current) serves a field study.
CalcOutcome FieldBase(const CalcRequest& request);

// The pair's field at (x, z) for the record's current, T. Classic: the calculator's
// Biot-Savart sums, bit for bit its Bxd and Bzd. Exact: the windings' field in closed form.
struct FieldVector {
    double radial = 0, axial = 0, modulus = 0;
};
FieldVector ClassicField(const CalcRecord& rec, double x, double z);
FieldVector ExactField(const CalcRecord& rec, double x, double z);

// The classic values beside the high-accuracy ones, as varnel-calc check --json writes them.
std::string AccuracyCheckJson(const CalcOutcome& outcome);

UniformRegion Uniform(const CalcOutcome& base, long double tolerance, FieldModel model);

design::Answer Designs(const design::Goals& goals, std::stop_token stop, unsigned threads);
design::Material Material(const std::string& name);
std::vector<design::Wire> Wires(const std::string& which, const std::string& grade);
design::Winding WindingOf(const std::string& text);

// The threads a study uses when the caller does not say.
unsigned AllThreads();

}  // namespace varnel::python
