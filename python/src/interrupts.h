// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <stop_token>

// Ctrl-C during a long call. Python's own SIGINT handler only notes the signal; its handlers
// run when the interpreter is asked to (PyErr_CheckSignals, on the main thread, with the GIL).
// A call that works without the GIL asks every 100 ms or so and, when a handler raised
// (KeyboardInterrupt), stops the work through its stop token and raises once it has ended.
namespace varnel::python {

class SignalWatch {
  public:
    std::stop_token token() const { return source_.get_token(); }
    // Runs Python's signal handlers, taking the GIL for it; a handler that raised requests the
    // stop. Returns whether the work should go on.
    bool Poll();
    // Throws the handler's exception (the GIL held) when one was raised.
    void ThrowIfRaised() const;

  private:
    std::stop_source source_;
    bool raised_ = false;
};

// Runs work(stop) on a thread of its own, the GIL released, polling for signals on the calling
// thread; raises KeyboardInterrupt (or whatever a handler raised) after a stopped run, and
// passes on any exception of the work. Call with the GIL held.
void RunInterruptibly(const std::function<void(std::stop_token)>& work);

}  // namespace varnel::python
