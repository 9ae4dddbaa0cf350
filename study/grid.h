// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "study/study_errors.h"

namespace varnel {

// START:STOP:COUNT, COUNT evenly spaced values from START to STOP (START alone for 1).
struct GridRange {
    long double start = 0;
    long double stop = 0;
    int count = 1;

    long double At(int i) const;
};

// Throws UsageError for a malformed range, a count below 1, STOP below START, START = STOP
// with COUNT above 1, or a width beyond the largest number. `what` names
// the option in the message.
GridRange ParseGridRange(std::string_view text, std::string_view what);

// The values as input texts: 15 significant digits with ".", as a person would type them.
std::vector<std::string> GridTexts(const GridRange& range);

}  // namespace varnel
