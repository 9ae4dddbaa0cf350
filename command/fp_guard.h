// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one place that reads and clears the floating-point status flags. Arithmetic runs with
// every exception masked; the calculation tests the flags wherever a value is stored or shown
// and turns a raised overflow, division by zero or invalid operation into an ArithmeticError.

namespace varnel {

// g++ ignores FENV_ACCESS and may move plain arithmetic past a flag test. Passing a value
// through this empty asm makes the arithmetic that produced it happen before the asm, and the
// memory clobber keeps the asm before the next call that reads the flags.
template <typename Value>
inline void PinValue(Value& value) {
    asm volatile("" : "+m"(value) : : "memory");
}

template <typename... Values>
inline void PinValues(Values&... values) {
    (PinValue(values), ...);
}

// Round to nearest, 64-bit significand, every exception masked, every flag clear: the state
// each calculation starts from.
void ResetFloatingPointEnvironment();

// Clears every floating-point status flag.
void ClearFloatingPointFaults();

// Throws ArithmeticError, after clearing the flags, when overflow, division by zero or invalid
// operation is raised. Division by zero and overflow are named before invalid operation: the
// infinity they leave is what usually makes the invalid operation that follows. Where a stretch
// of arithmetic could raise an overflow and later a division by zero (the inductance of a very
// tall coil), the calculation tests in between, so the fault that arose first is named.
void RaiseFloatingPointFaults();

// The value, once it is certain that computing it raised no fault.
template <typename T>
T Checked(T value) {
    PinValues(value);
    RaiseFloatingPointFaults();
    return value;
}

// Keeps the caller's flags out of a conversion and the conversion's flags out of the caller.
class FloatingPointFlagsScope {
  public:
    FloatingPointFlagsScope();
    ~FloatingPointFlagsScope();
    FloatingPointFlagsScope(const FloatingPointFlagsScope&) = delete;
    FloatingPointFlagsScope& operator=(const FloatingPointFlagsScope&) = delete;

    bool OverflowOrInvalid() const;

  private:
    unsigned short saved_;
};

}  // namespace varnel
