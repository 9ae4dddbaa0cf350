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

std::size_t RunInOrder(std::size_t count, unsigned threads,
                       const std::function<void(std::size_t)>& compute,
                       const std::function<void(std::size_t)>& write, std::stop_token stop,
                       const Progress& progress) {
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<char> done(count, 0);

    auto worker = [&] {
        // Each thread has its own floating-point environment: set it as the command expects.
        ResetFloatingPointEnvironment();
        for (;;) {
            if (stop.stop_requested())
                break;
            const std::size_t i = next.fetch_add(1);
            if (i >= count)
                break;
            compute(i);
            {
                std::lock_guard lock(mutex);
                done[i] = 1;
            }
            changed.notify_one();
        }
        changed.notify_one();
    };
    std::vector<std::jthread> pool;
    const unsigned used = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(count)));
    for (unsigned t = 0; t < used; ++t)
        pool.emplace_back(worker);

    std::size_t written = 0;
    while (written < count) {
        {
            std::unique_lock lock(mutex);
            changed.wait_for(lock, std::chrono::milliseconds(100),
                             [&] { return done[written] != 0 || stop.stop_requested(); });
        }
        while (written < count) {
            {
                std::lock_guard lock(mutex);
                if (done[written] == 0)
                    break;
            }
            write(written);
            ++written;
        }
        if (progress)
            progress(written, count);
        if (stop.stop_requested()) {
            // Let the threads finish the items in hand, then write what is complete in order.
            pool.clear();
            while (written < count && done[written] != 0)
                write(written++);
            break;
        }
    }
    return written;
}

}  // namespace varnel
