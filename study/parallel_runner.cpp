// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/parallel_runner.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "command/fp_guard.h"

namespace varnel {
unsigned DefaultThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

std::size_t InOrderWindow(unsigned threads) {
    return 64 * static_cast<std::size_t>(std::max(1u, threads));
}

std::size_t RunInOrder(std::size_t count, unsigned threads,
                       const std::function<void(std::size_t)>& compute,
                       const std::function<void(std::size_t)>& write, std::stop_token stop,
                       const Progress& progress) {
    const std::size_t window = InOrderWindow(threads);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> abandoned{false};
    std::mutex mutex;
    std::condition_variable changed;  // an item is done, or a worker has left
    std::condition_variable room;     // the writer has moved on, or the run ends
    // Whether item i is done, in slot i % window: an item starts only once the one a window
    // before it has been written and its slot cleared, so a run of any length needs no more.
    std::vector<char> done(std::max<std::size_t>(1, std::min(count, window)), 0);
    auto slot = [&](std::size_t i) -> char& { return done[i % done.size()]; };
    std::size_t written = 0;  // under mutex for the workers; the writer alone changes it

    auto ending = [&] { return stop.stop_requested() || abandoned.load(); };
    auto worker = [&] {
        // Each thread has its own floating-point environment: set it as the command expects.
        ResetFloatingPointEnvironment();
        for (;;) {
            if (ending())
                break;
            const std::size_t i = next.fetch_add(1);
            if (i >= count)
                break;
            {
                // Items wait until they are within the window past the one written next, so
                // a run holds at most `window` results however far the threads could run ahead.
                std::unique_lock lock(mutex);
                while (i >= written + window && !ending())
                    room.wait_for(lock, std::chrono::milliseconds(100));
            }
            if (ending())
                break;
            compute(i);
            {
                std::lock_guard lock(mutex);
                slot(i) = 1;
            }
            changed.notify_one();
        }
        changed.notify_one();
    };
    std::vector<std::jthread> pool;
    const auto used =
        static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(threads, count)));
    for (unsigned t = 0; t < used; ++t)
        pool.emplace_back(worker);

    auto isDone = [&](std::size_t i) {
        std::lock_guard lock(mutex);
        return slot(i) != 0;
    };
    auto writeNext = [&] {
        write(written);
        std::lock_guard lock(mutex);
        slot(written) = 0;
        ++written;
        room.notify_all();
    };
    try {
        while (written < count) {
            {
                std::unique_lock lock(mutex);
                changed.wait_for(lock, std::chrono::milliseconds(100),
                                 [&] { return slot(written) != 0 || stop.stop_requested(); });
            }
            while (written < count && isDone(written))
                writeNext();
            if (progress)
                progress(written, count);
            if (stop.stop_requested()) {
                // Let the threads finish the items in hand, then write what is complete in
                // order.
                room.notify_all();
                pool.clear();
                while (written < count && slot(written) != 0)
                    writeNext();
                break;
            }
        }
    } catch (...) {
        // A write that failed ends the run: the threads stop instead of computing for nobody.
        abandoned = true;
        room.notify_all();
        pool.clear();
        throw;
    }
    return written;
}

}  // namespace varnel
