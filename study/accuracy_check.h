// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "study/calc_request.h"

namespace varnel {

// One quantity computed both ways: by the classic engine and by the high-accuracy integrals.
struct CheckedQuantity {
    std::string name;
    std::string unit;
    bool hasClassic = true;
    long double classic = 0;
    long double exact = 0;
    long double estimatedError = 0;  // of the exact value, from its last refinement
};

// Compares, for the calculation's inputs, the classic self, mutual and pair inductances, B0d
// and the field at the point with the high-accuracy values, and adds the mean axial force
// between the coils, Id^2 * dM/dh (negative: they attract).
std::vector<CheckedQuantity> CheckAccuracy(const CalcOutcome& outcome);

void PrintCheckTable(std::ostream& out, const std::vector<CheckedQuantity>& quantities);
std::string CheckJson(const std::vector<CheckedQuantity>& quantities);

}  // namespace varnel
