// SPDX-License-Identifier: GPL-3.0-or-later
// What an input change in the studio costs before the window can show it: the quick step
// (the calculator's results), the slow one (the exact column: exact values, force, uniform
// extents), and the map. The studio's computing functions alone, without its widgets.
#include <benchmark/benchmark.h>

#include "studio/core/study_bridge.h"

namespace {

void BM_StudioQuickStep(benchmark::State& state) {
    const varnel::studio::DesignInputs inputs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(varnel::studio::Calculate(inputs));
    }
}
BENCHMARK(BM_StudioQuickStep)->Unit(benchmark::kMillisecond);

void BM_StudioSlowStep(benchmark::State& state) {
    const varnel::studio::DesignInputs inputs;
    const varnel::studio::StudyNumbers quick = varnel::studio::Calculate(inputs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(varnel::studio::Refine(inputs, quick));
    }
}
// The mutual inductance runs on a second thread beside the rest: the time the user waits is the
// wall time, the work of both threads the process CPU time.
BENCHMARK(BM_StudioSlowStep)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

namespace {

// The map the studio draws for the default pair at its default resolution, on two threads,
// wall time as the user waits for it: the cells (what is painted first), the field lines'
// flux function added after them, and both as one call.
void BM_StudioMapCellsOfTheDefaultPair(benchmark::State& state) {
    const varnel::studio::DesignInputs inputs;
    const varnel::studio::MapArea area = varnel::studio::DefaultMapArea(inputs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(varnel::studio::ComputeMap(inputs, area, 2, {}, false));
    }
}
BENCHMARK(BM_StudioMapCellsOfTheDefaultPair)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StudioFieldLinesOfTheDefaultPair(benchmark::State& state) {
    const varnel::studio::DesignInputs inputs;
    const varnel::studio::MapArea area = varnel::studio::DefaultMapArea(inputs);
    const varnel::studio::StudyMap cells = varnel::studio::ComputeMap(inputs, area, 2, {}, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(varnel::studio::WithFieldLines(*cells.picture, 2));
    }
}
BENCHMARK(BM_StudioFieldLinesOfTheDefaultPair)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StudioMapOfTheDefaultPair(benchmark::State& state) {
    const varnel::studio::DesignInputs inputs;
    const varnel::studio::MapArea area = varnel::studio::DefaultMapArea(inputs);
    for (auto _ : state) {
        benchmark::DoNotOptimize(varnel::studio::ComputeMap(inputs, area, 2));
    }
}
BENCHMARK(BM_StudioMapOfTheDefaultPair)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
