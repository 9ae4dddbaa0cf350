// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "command/calculate_command.h"
#include "command/text_controls.h"

namespace {

using varnel::FieldEvaluation;

// One full calculate command, all sixteen results, at the field point (x, z).
void Calculate(benchmark::State& state, const char* x, const char* z, FieldEvaluation evaluation) {
    varnel::TextControls controls;
    controls.SetText("ex", x);
    controls.SetText("ez", z);
    varnel::CalcRecord rec;
    for (auto _ : state) {
        varnel::bCalcClick(controls, rec, evaluation);
        benchmark::DoNotOptimize(rec.K0);
    }
}

void BM_CalculateAtCentre(benchmark::State& s) {
    Calculate(s, "0", "0", FieldEvaluation::Reuse);
}
void BM_CalculateAtPoint(benchmark::State& s) {
    Calculate(s, "0.015", "0.02", FieldEvaluation::Reuse);
}
// The baseline: every field value asked for is summed over the windings anew.
void BM_CalculateAtCentreRecomputing(benchmark::State& s) {
    Calculate(s, "0", "0", FieldEvaluation::Recompute);
}
void BM_CalculateAtPointRecomputing(benchmark::State& s) {
    Calculate(s, "0.015", "0.02", FieldEvaluation::Recompute);
}

BENCHMARK(BM_CalculateAtCentre)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateAtPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateAtCentreRecomputing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateAtPointRecomputing)->Unit(benchmark::kMillisecond);

}  // namespace
