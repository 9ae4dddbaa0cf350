// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/parallel_runner.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

#include "command/fp_guard.h"

namespace varnel {
unsigned DefaultThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

std::size_t InOrderWindow(unsigned threads) {
    return 64 * static_cast<std::size_t>(std::max(1u, threads));
}

namespace {

// One run of RunInOrder: the workers compute, the calling thread writes in order.
class InOrderRun {
  public:
    InOrderRun(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& compute,
               const std::function<void(std::size_t)>& write, std::stop_token stop)
        : count_(count),
          window_(InOrderWindow(threads)),
          compute_(compute),
          write_(write),
          stop_(std::move(stop)),
          // Whether item i is done, in slot i % window: an item starts only once the one a
          // window before it has been written and its slot cleared, so a run of any length
          // needs no more.
          done_(std::max<std::size_t>(1, std::min(count, window_)), 0) {}

    // Writes the items in order as they are done; returns how many were written.
    std::size_t Run(unsigned threads, const Progress& progress) {
        const auto used =
            static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(threads, count_)));
        for (unsigned t = 0; t < used; ++t)
            pool_.emplace_back([this] { Work(); });
        try {
            WriteWhileRunning(progress);
        } catch (...) {
            // A write that failed ends the run: the threads stop instead of computing for nobody.
            abandoned_ = true;
            room_.notify_all();
            pool_.clear();
            throw;
        }
        return written_;
    }

  private:
    char& Slot(std::size_t i) { return done_[i % done_.size()]; }
    bool Ending() const { return stop_.stop_requested() || abandoned_.load(); }

    void Work() {
        // Each thread has its own floating-point environment: set it as the command expects.
        ResetFloatingPointEnvironment();
        for (;;) {
            if (Ending())
                break;
            const std::size_t i = next_.fetch_add(1);
            if (i >= count_ || !WaitForRoom(i))
                break;
            compute_(i);
            {
                std::lock_guard lock(mutex_);
                Slot(i) = 1;
            }
            changed_.notify_one();
        }
        changed_.notify_one();
    }

    // Items wait until they are within the window past the one written next, so a run holds
    // at most `window` results however far the threads could run ahead. False when ending.
    bool WaitForRoom(std::size_t i) {
        std::unique_lock lock(mutex_);
        while (i >= written_ + window_ && !Ending())
            room_.wait_for(lock, std::chrono::milliseconds(100));
        return !Ending();
    }

    bool IsDone(std::size_t i) {
        std::lock_guard lock(mutex_);
        return Slot(i) != 0;
    }

    void WriteNext() {
        write_(written_);
        std::lock_guard lock(mutex_);
        Slot(written_) = 0;
        ++written_;
        room_.notify_all();
    }

    void WriteWhileRunning(const Progress& progress) {
        while (written_ < count_) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait_for(lock, std::chrono::milliseconds(100),
                                  [&] { return Slot(written_) != 0 || stop_.stop_requested(); });
            }
            while (written_ < count_ && IsDone(written_))
                WriteNext();
            if (progress)
                progress(written_, count_);
            if (stop_.stop_requested()) {
                // Let the threads finish the items in hand, then write what is complete in
                // order.
                room_.notify_all();
                pool_.clear();
                while (written_ < count_ && Slot(written_) != 0)
                    WriteNext();
                break;
            }
        }
    }

    const std::size_t count_, window_;
    const std::function<void(std::size_t)>& compute_;
    const std::function<void(std::size_t)>& write_;
    const std::stop_token stop_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> abandoned_{false};
    std::mutex mutex_;
    std::condition_variable changed_;  // an item is done, or a worker has left
    std::condition_variable room_;     // the writer has moved on, or the run ends
    std::vector<char> done_;
    std::size_t written_ = 0;         // under mutex_ for the workers; the writer alone changes it
    std::vector<std::jthread> pool_;  // last: its threads end before the rest goes
};

}  // namespace

std::size_t RunInOrder(std::size_t count, unsigned threads,
                       const std::function<void(std::size_t)>& compute,
                       const std::function<void(std::size_t)>& write, std::stop_token stop,
                       const Progress& progress) {
    InOrderRun run(count, threads, compute, write, std::move(stop));
    return run.Run(threads, progress);
}

bool ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& body,
                 std::stop_token stop, const Progress& progress) {
    // The ordered runner with nothing to write: one pool for every parallel loop.
    return RunInOrder(
               count, threads, body, [](std::size_t) {}, stop, progress) == count;
}

}  // namespace varnel
