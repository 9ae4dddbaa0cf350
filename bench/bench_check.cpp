// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "study/accuracy_check.h"

namespace {

// The high-accuracy comparison at the defaults with the point inside the winding.
void BM_CheckAtDefaults(benchmark::State& state) {
    varnel::CalcRequest request = varnel::CalcRequest::Defaults();
    request.texts[varnel::kXInput] = "0.015";
    request.texts[varnel::kZInput] = "0.02";
    const varnel::CalcOutcome outcome = varnel::RunCalculation(request);
    for (auto _ : state)
        benchmark::DoNotOptimize(varnel::CheckAccuracy(outcome));
}

// The mutual inductance runs on a second thread: wall time as the user waits, and the process
// CPU time of both threads.
BENCHMARK(BM_CheckAtDefaults)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
