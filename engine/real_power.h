// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varnel {

// x raised to the real power y, as e^(y*ln|x|): the sign of a negative base is dropped, so the
// result is never negative. A zero base gives 1 for y = 0 and 0 otherwise, even for y < 0.
long double RealPower(long double x, long double y);

}  // namespace varnel
