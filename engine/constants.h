// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varnel {

// The program's pi is the seven-decimal literal, not the full-precision value: every formula
// that contains pi uses this one, and the multiples below are derived from it exactly.
inline constexpr long double kPi = 3.1415926L;
inline constexpr long double kTwoPi = 6.2831852L;
inline constexpr long double kFourPi = 12.5663704L;

// The true pi, for what lies outside the calculator's own formulas (the design search's models
// and the wound length of wire). Never mixed with kPi: each formula uses one or the other.
inline constexpr long double kTruePi = 3.141592653589793238462643383279502884L;

}  // namespace varnel
