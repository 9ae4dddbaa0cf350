// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/entry_points.h"

#include <cmath>

#include "design/winding.h"
#include "engine/field.h"
#include "study/map_field.h"
#include "study/parallel_runner.h"

namespace varnel::python {

CalcOutcome Calculation(const CalcRequest& request) {
    return RunCalculation(request);
}

CalcOutcome FieldBase(const CalcRequest& request) {
    return StudyBase(request);
}

FieldVector ClassicField(const CalcRecord& rec, double x, double z) {
    // The field is mirrored in the axis: the sums are taken at |x| and Bx turned with the side.
    const long double rho = std::fabs(static_cast<long double>(x));
    const PairSums sums = PairFieldSums(rec, rho, z);
    const long double radial = PairRadialFromSums(rec, sums, rec.Id);
    const long double axial = PairAxialFromSums(rec, sums, rec.Id);
    const long double modulus = FieldModulusOf(radial, axial);
    const long double side = x < 0 ? -1 : 1;
    return {static_cast<double>(side * radial), static_cast<double>(axial),
            static_cast<double>(modulus)};
}

FieldVector ExactField(const CalcRecord& rec, double x, double z) {
    const MapVector v = MapFieldAt(rec, static_cast<double>(rec.Id), x, z);
    return {v.radial, v.axial, std::hypot(v.radial, v.axial)};
}

std::string AccuracyCheckJson(const CalcOutcome& outcome) {
    return CheckJson(CheckAccuracy(outcome));
}

UniformRegion Uniform(const CalcOutcome& base, long double tolerance, FieldModel model) {
    return FindUniformRegion(base, tolerance, model);
}

design::Answer Designs(const design::Goals& goals, std::stop_token stop, unsigned threads) {
    design::CheckGoals(goals);
    return design::FindDesigns(goals, stop, {}, threads);
}

design::Material Material(const std::string& name) {
    return design::LoadMaterial(name);
}

std::vector<design::Wire> Wires(const std::string& which, const std::string& grade) {
    return design::LoadWires(which, grade);
}

design::Winding WindingOf(const std::string& text) {
    return design::ParseWinding(text);
}

unsigned AllThreads() {
    return DefaultThreads();
}

}  // namespace varnel::python
