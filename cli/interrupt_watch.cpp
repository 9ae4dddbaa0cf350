// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/interrupt_watch.h"

#include <chrono>

namespace varnel {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnStopSignal(int signal) {
    g_signal = signal;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    g_signal = 0;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int k = 0; k < 3; ++k)
        sigaction(kStopSignals[k], &action, &previous_[k]);
    watcher_ = std::jthread([this](std::stop_token done) {
        while (!done.stop_requested()) {
            if (g_signal != 0) {
                source_.request_stop();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

InterruptWatch::~InterruptWatch() {
    watcher_ = {};
    for (int k = 0; k < 3; ++k)
        sigaction(kStopSignals[k], &previous_[k], nullptr);
}

int InterruptWatch::ExitStatus() const {
    const int signal = g_signal;
    return 128 + (signal != 0 ? signal : SIGINT);
}

void IgnoreFaultSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace varnel
