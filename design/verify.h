// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/search.h"
#include "design/wire_search.h"
#include "study/calc_request.h"

// A design recomputed independently: the calculator's own calculation from the values through
// its input table, and the field of every wound turn by the accuracy library's exact loop
// field, at the centre and on the sphere.
namespace varnel::design {

// The calculation request of a design at its operating temperature, from the values.
CalcRequest DesignRequest(const Goals& g, const Wire& w, const Evaluation& e,
                          long double hotResistivity);

// The command line that reproduces it, for the user to read.
std::string DesignCommand(const CalcRequest& request);

// The largest |B|/B0 - 1 on the sphere by the exact loop field over the turns, and B0.
struct ExactOnTurns {
    long double B0 = 0, sphere = 0;
};
ExactOnTurns ExactField(const std::vector<Loop>& loops, long double I, long double radius);

// Fills `out` from the recomputation; false when it does not bear the design out.
bool Verify(const Goals& g, const Box& box, const Placed& found, Design* out);

}  // namespace varnel::design
