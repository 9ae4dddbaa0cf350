// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/real_power.h"

#include <cmath>

namespace varnel {
namespace {

constexpr long double kLog2E = 1.44269504088896340735992468100189214L;

// e^z as 2^(z*log2(e)), the whole and the fractional part of the binary exponent scaled
// separately, so the fraction keeps full precision however large z is.
long double NaturalExp(long double z) {
    const long double t = z * kLog2E;
    if (std::isnan(t))
        return t;
    // Beyond this the result is infinite or zero anyway; the clamp keeps the conversion to an
    // integer defined while ldexp still raises overflow or underflow as it should.
    constexpr long double kLimit = 1e6L;
    const long double whole = std::trunc(std::fmax(-kLimit, std::fmin(kLimit, t)));
    const long double fraction = t - whole;
    return std::ldexp(std::exp2(fraction), static_cast<int>(whole));
}

}  // namespace

long double RealPower(long double x, long double y) {
    if (x == 0)
        return y == 0 ? 1.0L : 0.0L;
    return NaturalExp(y * std::log(std::fabs(x)));
}

}  // namespace varnel
