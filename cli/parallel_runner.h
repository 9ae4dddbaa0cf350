#pragma once

#include <cstddef>
#include <functional>

namespace varnel {

// Computes items 0 .. count-1 on `threads` threads (compute(i) stores its own result) and
// calls write(i) in item order, on the calling thread, as soon as item i and all before it
// are done. Shows a progress
// bar on a terminal's stderr once a run has taken about a second. Ctrl-C stops it after the
// items in hand; it returns how many were written.
std::size_t RunInOrder(std::size_t count, unsigned threads,
                       const std::function<void(std::size_t)>& compute,
                       const std::function<void(std::size_t)>& write);

// True once Ctrl-C was pressed during a RunInOrder.
bool Interrupted();

// The threads to use when the user does not say: every core.
unsigned DefaultThreads();

}  // namespace varnel
