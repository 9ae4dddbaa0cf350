// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/fp_guard.h"

#include <cfenv>
#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#endif

#include "command/errors.h"

namespace varnel {

void ResetFloatingPointEnvironment() {
#if defined(__x86_64__) || defined(__i386__)
    fpu_control_t word;
    _FPU_GETCW(word);
    word = static_cast<fpu_control_t>((word & ~_FPU_EXTENDED) | _FPU_EXTENDED);  // precision
    word = static_cast<fpu_control_t>(word | _FPU_MASK_IM | _FPU_MASK_ZM | _FPU_MASK_OM |
                                      _FPU_MASK_UM | _FPU_MASK_PM | _FPU_MASK_DM);
    _FPU_SETCW(word);
#endif
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
}

void ClearFloatingPointFaults() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void RaiseFloatingPointFaults() {
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised == 0)
        return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO)
        throw ArithmeticError("Floating point division by zero");
    if (raised & FE_OVERFLOW)
        throw ArithmeticError("Floating point overflow");
    throw ArithmeticError("Invalid floating point operation");
}

static_assert(sizeof(std::fexcept_t) == sizeof(unsigned short));

FloatingPointFlagsScope::FloatingPointFlagsScope() : saved_(0) {
    std::fegetexceptflag(&saved_, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
}

FloatingPointFlagsScope::~FloatingPointFlagsScope() {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetexceptflag(&saved_, FE_ALL_EXCEPT);
}

bool FloatingPointFlagsScope::OverflowOrInvalid() const {
    return std::fetestexcept(FE_OVERFLOW | FE_INVALID) != 0;
}

}  // namespace varnel
