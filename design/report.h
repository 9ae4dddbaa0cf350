// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "design/candidate.h"
#include "design/search.h"

// The words of the answer: the limits that bind a design, and why there is none.
namespace varnel::design {

// A field in T, mT or uT as people say it.
std::string FieldText(long double tesla);
// "a, b and c".
std::string Sentence(const std::vector<std::string>& parts);

// The limits within 2 % of their value at an evaluation: option names, or (`phrases`) words.
// A bound of the search's own is named as such.
std::vector<std::string> BindingLimits(const Goals& g, const Box& box, const Evaluation& e,
                                       bool phrases);

// Why no design: the limits that hold the closest back and what it reaches, in numbers.
std::string NoDesignMessage(const Goals& g, const Box& box, const Evaluation* closest);

}  // namespace varnel::design
