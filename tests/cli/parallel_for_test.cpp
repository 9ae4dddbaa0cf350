// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <stop_token>
#include <vector>

#include "study/parallel_runner.h"

namespace varnel {
namespace {

TEST(ParallelFor, RunsEveryItemOnceAndReportsTheLastCount) {
    for (const unsigned threads : {1u, 3u}) {
        std::vector<std::atomic<int>> runs(1000);
        std::size_t lastDone = 0, lastTotal = 0;
        const bool whole = ParallelFor(
            runs.size(), threads, [&](std::size_t i) { ++runs[i]; }, {},
            [&](std::size_t done, std::size_t total) {
                lastDone = done;
                lastTotal = total;
            });
        EXPECT_TRUE(whole);
        for (const std::atomic<int>& r : runs)
            ASSERT_EQ(r.load(), 1) << threads << " threads";
        EXPECT_EQ(lastDone, 1000u);
        EXPECT_EQ(lastTotal, 1000u);
    }
}

TEST(ParallelFor, AStopRequestedBeforehandRunsNothing) {
    std::stop_source source;
    source.request_stop();
    std::atomic<int> ran{0};
    EXPECT_FALSE(ParallelFor(
        50, 2, [&](std::size_t) { ++ran; }, source.get_token()));
    EXPECT_EQ(ran.load(), 0);
}

TEST(ParallelFor, AStopFromAnItemEndsTheRunShortOfTheEnd) {
    std::stop_source source;
    std::atomic<int> ran{0};
    // One thread takes the items in order: item 10 stops it, and no later item starts.
    EXPECT_FALSE(ParallelFor(
        100, 1,
        [&](std::size_t i) {
            ++ran;
            if (i == 10)
                source.request_stop();
        },
        source.get_token()));
    EXPECT_EQ(ran.load(), 11);
    EXPECT_TRUE(ParallelFor(0, 2, [&](std::size_t) { ++ran; }));
}

}  // namespace
}  // namespace varnel
