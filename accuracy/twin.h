// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnel::exact {

// Two doubles that arithmetic treats lane by lane (the vector extension of GCC and Clang), so
// that one instruction serves two independent computations, such as a thin solenoid's two ends.
using Twin = double __attribute__((vector_size(16)));

inline Twin SquareRoot(Twin x) {
#if defined(__SSE2__)
    return _mm_sqrt_pd(x);
#else
    return Twin{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

}  // namespace varnel::exact
