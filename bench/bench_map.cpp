// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "study/field_study.h"

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
