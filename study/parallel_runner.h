// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>

namespace varnel {

// Computes items 0 .. count-1 on `threads` threads (compute(i) stores its own result) and
// calls write(i) in item order, on the calling thread, as soon as item i and all before it
// are done. `progress`, when given, hears on the calling thread how many items are written,
// at least every 100 ms while the run goes on. A stop requested through `stop` ends it after the
// items in hand, those complete in order written; it returns how many were written. At most
// InOrderWindow(threads) items are computed ahead of the one written next, so compute(i) may keep
// its result in slot i % InOrderWindow of a ring, which write(i) has emptied before item i +
// InOrderWindow starts. An exception from write ends the run: the threads stop and it passes on to
// the caller.
using Progress = std::function<void(std::size_t written, std::size_t total)>;
std::size_t RunInOrder(std::size_t count, unsigned threads,
                       const std::function<void(std::size_t)>& compute,
                       const std::function<void(std::size_t)>& write, std::stop_token stop = {},
                       const Progress& progress = {});

std::size_t InOrderWindow(unsigned threads);

// The libraries' one parallel for: body(i) for items 0 .. count-1 on `threads` threads, each
// item's result kept by body itself, in no order the caller may rely on. `stop` and `progress`
// as for RunInOrder (progress counts the items done before the first not yet done). True when
// every item ran, false when a stop ended the run first.
bool ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& body,
                 std::stop_token stop = {}, const Progress& progress = {});

// The threads to use when the user does not say: every core.
unsigned DefaultThreads();

}  // namespace varnel
