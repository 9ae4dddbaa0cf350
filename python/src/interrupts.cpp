// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/interrupts.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <exception>
#include <future>
#include <thread>

namespace py = pybind11;

namespace varnel::python {

bool SignalWatch::Poll() {
    if (raised_)
        return false;
    const py::gil_scoped_acquire gil;
    // The handler's exception stays set in this thread's state until ThrowIfRaised.
    if (PyErr_CheckSignals() != 0) {
        raised_ = true;
        source_.request_stop();
    }
    return !raised_;
}

void SignalWatch::ThrowIfRaised() const {
    if (raised_)
        throw py::error_already_set();
}

void RunInterruptibly(const std::function<void(std::stop_token)>& work) {
    SignalWatch watch;
    std::exception_ptr failure;
    {
        const py::gil_scoped_release released;
        std::promise<void> finished;
        std::future<void> done = finished.get_future();
        std::jthread worker([&] {
            try {
                work(watch.token());
            } catch (...) {
                failure = std::current_exception();
            }
            finished.set_value();
        });
        while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
            watch.Poll();
    }
    watch.ThrowIfRaised();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace varnel::python
