// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/latest_result.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <semaphore>
#include <vector>

namespace varnel::studio {
namespace {

// Runs the event loop until the runner has shown its newest result; no clock is involved: each
// result arrives as an event that wakes the loop.
void WaitUntilShown(LatestResult& runner) {
    while (runner.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Blocks until the job's token is stopped, then returns `value`.
int WaitForStop(std::stop_token token, int value) {
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait(lock, token, [] { return false; });
    return value;
}

TEST(LatestResult, ShowsAJobsResultOnItsOwnThread) {
    LatestResult runner(2);
    std::vector<int> shown;
    QThread* shownOn = nullptr;
    runner.start([](std::stop_token) { return 7; },
                 [&](int v) {
                     shown.push_back(v);
                     shownOn = QThread::currentThread();
                 });
    EXPECT_TRUE(runner.busy());
    WaitUntilShown(runner);
    EXPECT_EQ(shown, std::vector<int>{7});
    EXPECT_EQ(shownOn, QCoreApplication::instance()->thread());
}

// The first job runs until stopped; the second stops it and only the second's result shows.
TEST(LatestResult, ANewerJobStopsTheOlderAndDropsItsResult) {
    LatestResult runner(2);
    std::vector<int> shown;
    runner.start([](std::stop_token token) { return WaitForStop(token, 1); },
                 [&](int v) { shown.push_back(v); });
    runner.start([](std::stop_token) { return 2; }, [&](int v) { shown.push_back(v); });
    WaitUntilShown(runner);
    runner.waitForDone();
    QCoreApplication::processEvents();  // the stale result, had it been queued
    EXPECT_EQ(shown, std::vector<int>{2});
}

// With one thread, a job still waiting when a newer one starts never runs.
TEST(LatestResult, AJobWaitingForAThreadIsSkippedWhenANewerStarts) {
    LatestResult runner(1);
    std::binary_semaphore release(0);
    std::atomic<int> runs[3] = {0, 0, 0};
    std::vector<int> shown;
    auto show = [&](int v) { shown.push_back(v); };
    runner.start(
        [&](std::stop_token) {
            ++runs[0];
            release.acquire();  // holds the only thread until the other two are started
            return 10;
        },
        show);
    runner.start([&](std::stop_token) { return ++runs[1], 11; }, show);
    runner.start([&](std::stop_token) { return ++runs[2], 12; }, show);
    release.release();
    WaitUntilShown(runner);
    runner.waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs[1].load(), 0);
    EXPECT_EQ(runs[2].load(), 1);
    EXPECT_EQ(shown, std::vector<int>{12});
}

// stop() asks the newest job to end; unlike a newer start, its result still shows.
TEST(LatestResult, AStoppedNewestJobStillShowsWhatItReturns) {
    LatestResult runner(1);
    std::vector<int> shown;
    runner.start([](std::stop_token token) { return WaitForStop(token, -3); },
                 [&](int v) { shown.push_back(v); });
    runner.stop();
    WaitUntilShown(runner);
    EXPECT_EQ(shown, std::vector<int>{-3});
}

TEST(LatestResult, ADroppedJobShowsNothingAndIsNotBusy) {
    LatestResult runner(1);
    std::vector<int> shown;
    std::vector<bool> busy;
    QObject::connect(&runner, &LatestResult::busyChanged, [&](bool b) { busy.push_back(b); });
    runner.start([](std::stop_token token) { return WaitForStop(token, 5); },
                 [&](int v) { shown.push_back(v); });
    runner.drop();
    EXPECT_FALSE(runner.busy());
    runner.waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

// Destroyed with a job running, the runner stops it, waits for it and shows nothing.
TEST(LatestResult, DestroyingTheRunnerStopsItsRunningJob) {
    std::vector<int> shown;
    std::binary_semaphore started(0);
    std::atomic<bool> ended{false};
    {
        LatestResult runner(1);
        runner.start(
            [&](std::stop_token token) {
                started.release();
                const int v = WaitForStop(token, 9);
                ended = true;
                return v;
            },
            [&](int v) { shown.push_back(v); });
        started.acquire();  // running, and waiting to be stopped
    }
    EXPECT_TRUE(ended.load());  // the destructor stopped it and waited for it
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown.empty());
}

// A result that cannot be copied cheaply is moved, not lost: a vector arrives whole.
TEST(LatestResult, CarriesAWholeResultObject) {
    LatestResult runner(2);
    std::vector<double> shown;
    runner.start(
        [](std::stop_token) {
            return std::vector<double>{0.5, -2.25, 3};
        },
        [&](std::vector<double> v) { shown = std::move(v); });
    WaitUntilShown(runner);
    EXPECT_EQ(shown, (std::vector<double>{0.5, -2.25, 3}));
}

}  // namespace
}  // namespace varnel::studio
