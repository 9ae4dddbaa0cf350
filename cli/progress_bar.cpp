// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace varnel {

ProgressBar::ProgressBar() : start_(std::chrono::steady_clock::now()), terminal_(isatty(2) == 1) {}

ProgressBar::~ProgressBar() {
    if (shown_)
        std::fprintf(stderr, "\n");
}

void ProgressBar::Update(std::size_t done, std::size_t total) {
    if (!terminal_ || total == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(100))
        return;
    last_ = now;
    shown_ = true;
    constexpr int kWidth = 40;
    const int filled = static_cast<int>(kWidth * done / total);
    std::fprintf(stderr, "\r[%.*s%*s] %3zu%% %zu/%zu", filled,
                 "########################################", kWidth - filled, "",
                 100 * done / total, done, total);
    std::fflush(stderr);
}

}  // namespace varnel
