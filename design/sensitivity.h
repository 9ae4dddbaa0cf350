// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "design/search.h"
#include "design/wire_search.h"

// How B0 and the sphere's deviation move when the build strays from the sheet: h, R1 and H by
// 0.1 mm each way, one turn more or less on one coil (the odd-order terms an unequal pair
// brings), and the wire's diameter across its catalogue range (bare to the largest overall).
// The current is held: these are the field's own changes.
namespace varnel::design {

// The turns of a variant: what strays, by how much (m, or turns).
std::vector<Loop> VariantLoops(const Candidate& c, const std::string& what, long double change);

std::vector<Sensitivity> Sensitivities(const Goals& g, const Placed& design);

// The worst B0 and deviation over the tolerances of --robust, relative to the nominal B0 goal;
// the nominal values when none is asked for.
struct WorstCase {
    long double B0low = 0, B0high = 0;  // B0 at the hot current, lowest and highest
    long double deviation = 0;
};
WorstCase RobustWorst(const Goals& g, const Candidate& c, long double current);

// The limits of B0 and uniformity made the worst case over --robust's strays.
void ApplyRobust(const Goals& g, const Candidate& c, const Evaluation& e, const Margins& m,
                 std::array<long double, kLimits>& limits);

}  // namespace varnel::design
