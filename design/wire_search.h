// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <vector>

#include "design/candidate.h"

// The global search over one wire: every build of whole layers of whole turns within the box,
// in the order of a lower bound of the objective (its value at the least R1 and gap), each
// given the least R1 and a gap that meet the goals on the sheet model; a build whose bound
// passes the best found so far is never looked at, nor any after it.
namespace varnel::design {

struct Placed {
    Candidate candidate;
    Evaluation eval;
    long double objective = 0;
};

struct WireResult {
    std::vector<Placed> best;       // the best builds, best first (a few, for the finish)
    std::optional<Placed> closest;  // least violation, when none met the goals
    long double closestViolation = 1e300L;
    std::size_t builds = 0;
    std::string stopped;
};

// The margins the sheet model keeps: it stands for turns it does not place exactly.
Margins SheetMargins();

// The least R1 where the goals may hold: where a voltage source's power can be within its
// limit at the hottest the winding may run.
long double LeastRadius(const Goals& g, const Box& box, const Wire& w, const WoundBuild& b);

// The lower bound of the objective over every R1 and gap of this build.
long double ObjectiveBound(const Goals& g, const Box& box, const Wire& w, const WoundBuild& b);

// `closestOnly`: when nothing meets the goals, the first builds of each wire, each looked at
// for what comes closest, however short of B0.
// `threshold()` is the value past which a build is of no use to the answer (the other wires'
// count-th best); it may only fall while the search runs.
WireResult SearchWire(const Goals& g, const Box& box, const Wire& w,
                      const std::function<long double()>& threshold, std::stop_token stop,
                      bool closestOnly = false);

}  // namespace varnel::design
