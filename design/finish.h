// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stop_token>

#include "design/wire_search.h"

// The local finish of a build found on the sheet model: R1 and the gap moved by NLopt (COBYLA)
// until every goal holds on the turns where they lie, then set to whole micrometres, as the
// design is printed and wound.
namespace varnel::design {

struct Finished {
    std::optional<Placed> design;  // meets every goal on the turns, R1 and h in whole um
    int result = 0;                // NLopt's result code, 0 when it was not needed
};

// The margins kept on the turns: only the rounding of what is printed.
Margins TurnMargins();

Finished FinishOnTurns(const Goals& g, const Box& box, const Placed& start, std::stop_token stop);

// R1 and h as printed: whole micrometres, R1 never below the least allowed.
Candidate Printed(const Candidate& c, const Box& box);

}  // namespace varnel::design
