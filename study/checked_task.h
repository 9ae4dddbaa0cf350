// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <future>
#include <utility>

#include "command/fp_guard.h"

namespace varnel {

// A value computed on a thread of its own while the caller computes others. The floating-point
// status flags belong to each thread: the task starts from the calculation's environment and,
// once its value is computed, tests its own flags there, so that an overflow, division by zero
// or invalid operation it raised comes out of Get() on the caller's thread as the
// ArithmeticError the caller would have had, and the caller's flags are left as they were.
template <typename T>
class CheckedTask {
  public:
    template <typename Work>
    explicit CheckedTask(Work work)
        : future_(std::async(std::launch::async, [work = std::move(work)]() -> T {
              ResetFloatingPointEnvironment();
              return Checked(work());
          })) {}

    // The value, or the error the task ended with. Waits for the task; call once.
    T Get() { return future_.get(); }

  private:
    std::future<T> future_;
};

}  // namespace varnel
