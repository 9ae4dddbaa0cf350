// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "study/study_errors.h"

namespace varnel {

// START:STOP:COUNT, COUNT evenly spaced values from START to STOP (START alone for 1).
struct GridRange {
    GridRange() = default;
    GridRange(long double first, long double last, int points)
        : start(first), stop(last), count(points) {}

    long double start = 0;
    long double stop = 0;
    int count = 1;
    // The ends as they were typed (blanks trimmed), so that a study's first and last rows
    // calculate exactly what a single calculation of the same text does. Empty: made by code.
    std::string startText, stopText;

    // Point i; START and STOP exactly at the ends, and no step past the largest number
    // whatever the width and count.
    long double At(int i) const;
};

// Throws UsageError for a malformed range, a count below 1, STOP below START, START = STOP
// with COUNT above 1, or a width beyond the largest number. `what` names
// the option in the message.
GridRange ParseGridRange(std::string_view text, std::string_view what);

// The values as input texts with ".": the ends as typed, the points between with 15 significant
// digits, as a person would type them, or with more where 15 would move a point by more than a
// millionth of a step (up to the 21 that hold every extended value).
std::vector<std::string> GridTexts(const GridRange& range);

}  // namespace varnel
