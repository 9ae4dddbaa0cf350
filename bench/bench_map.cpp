// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "study/field_study.h"
#include "study/map_field.h"

namespace {

// A 61 x 81 field map at the window's defaults, on one thread and on two.
void BM_Map61x81(benchmark::State& state) {
    const varnel::CalcOutcome base = varnel::StudyBase(varnel::CalcRequest::Defaults());
    const varnel::GridRange x = varnel::ParseGridRange("0:0.03:61", "--x");
    const varnel::GridRange z = varnel::ParseGridRange("-0.04:0.04:81", "--z");
    for (auto _ : state) {
        const auto points = varnel::FieldGrid(base, x, z, static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(points.data());
    }
}

BENCHMARK(BM_Map61x81)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

}  // namespace

namespace {

// The same 61 x 81 map by the fast exact field, on one thread (CPU time is the figure).
void BM_ExactMap61x81(benchmark::State& state) {
    const varnel::CalcOutcome base = varnel::StudyBase(varnel::CalcRequest::Defaults());
    const varnel::GridRange x = varnel::ParseGridRange("0:0.03:61", "--x");
    const varnel::GridRange z = varnel::ParseGridRange("-0.04:0.04:81", "--z");
    for (auto _ : state) {
        const auto grid = varnel::MapFieldGrid(base.rec, static_cast<double>(base.rec.Id), x, z, 1);
        benchmark::DoNotOptimize(grid.field.data());
    }
}

// Exact points one by one over the default pair's neighbourhood (no mirror saving): points per
// second; a million take 1e6 / that many seconds.
void BM_ExactPoints(benchmark::State& state) {
    const varnel::CalcOutcome base = varnel::StudyBase(varnel::CalcRequest::Defaults());
    std::size_t done = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            for (int j = 0; j < 100; ++j) {
                const double x = 0.0003 * i, z = -0.04 + 0.0008 * j;
                benchmark::DoNotOptimize(varnel::MapFieldAt(base.rec, 1, x, z));
            }
        }
        done += 10000;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(done));
}

BENCHMARK(BM_ExactMap61x81)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactPoints)->Unit(benchmark::kMillisecond);

}  // namespace
