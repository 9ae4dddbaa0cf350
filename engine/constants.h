// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varnel {

// The program's pi is the seven-decimal literal, not the full-precision value: every formula
// that contains pi uses this one, and the multiples below are derived from it exactly.
inline constexpr long double kPi = 3.1415926L;
inline constexpr long double kTwoPi = 6.2831852L;
inline constexpr long double kFourPi = 12.5663704L;

}  // namespace varnel
