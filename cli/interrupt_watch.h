// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <stop_token>
#include <thread>

namespace varnel {

// SIGINT (Ctrl-C), SIGTERM and SIGHUP during a study: the handler only notes the signal (all
// a signal handler may safely do); a watcher thread turns it into a stop request that the
// study's threads see, so the study ends after its whole rows, as it would for Ctrl-C.
class InterruptWatch {
  public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    std::stop_token token() const { return source_.get_token(); }
    // The status of a run the signal stopped: 128 + the signal, as a shell reports a program
    // the signal ended; 130 (Ctrl-C) when none came.
    int ExitStatus() const;

  private:
    struct sigaction previous_[3] = {};
    std::stop_source source_;
    std::jthread watcher_;
};

// Faults the program reports itself instead of dying of: a file-size limit (SIGXFSZ) then
// fails the write with EFBIG, which names the file.
void IgnoreFaultSignals();

}  // namespace varnel
