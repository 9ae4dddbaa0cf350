// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>

namespace varnel {

// A progress bar on standard error, shown only on a terminal and only once a run has taken
// about a second, redrawn at most every 100 ms; the line is ended when the bar goes.
class ProgressBar {
  public:
    ProgressBar();
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(std::size_t done, std::size_t total);

  private:
    std::chrono::steady_clock::time_point start_, last_;
    bool terminal_;
    bool shown_ = false;
};

}  // namespace varnel
