// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <limits>

namespace varnel {

// Whether `back`, the value read from the four-digit text of `value`, is as close as that text
// allows: within half a unit of the fourth significant digit, with room for the rounding of the
// scaling itself. A denormal reads back as the nearest multiple of the smallest step, which can
// add up to half a step to the text's own error; next to a four-digit rounding tie that puts
// the read-back one step past the half unit, so a denormal may miss by one step more.
inline bool ReadsBackClose(long double value, long double back) {
    const long double magnitude = std::fabs(value);
    const long double halfUnit =
        0.5L * std::pow(10.0L, std::floor(std::log10(magnitude)) - 3) * (1 + 1e-9L);
    const long double step = std::numeric_limits<long double>::denorm_min();
    const bool denormal = magnitude < std::numeric_limits<long double>::min();
    const long double miss = std::fabs(back - value);
    return miss <= halfUnit || (denormal && miss <= halfUnit + step);
}

}  // namespace varnel
