// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "accuracy/zonal_field.h"
#include "design/search.h"

namespace {

using namespace varnel::design;
using namespace varnel::exact;

// One candidate as the design search reports it: B0 and both uniform extents.
void BM_DesignCandidate(benchmark::State& state) {
    const PairGeometry g{0.045L, 0.062L, 0.019L, 0.036L, 361};
    for (auto _ : state) {
        const CentreExpansion e(g, 1.64L, 40);
        const UniformExtents x = FindUniformExtents(g, e, 1e-3L);
        benchmark::DoNotOptimize(e.B0());
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_DesignCandidate)->Unit(benchmark::kMicrosecond);

// One evaluation inside the search: winding, temperature, B0 and the sphere's deviation.
void BM_DesignSearchEvaluation(benchmark::State& state) {
    Goals goals;
    goals.B0 = 0.01L;
    goals.uniform = Uniformity{0.001L, 0.005L};
    goals.source = 12;
    goals.material = LoadMaterial("copper");
    static const Wire wire{"0.900 mm", 0.0009L, 0.000959L};
    const WoundBuild b = MakeBuild(goals.winding, wire, 19, 19);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Evaluate(goals, {&wire, b, 0.045L, 0.036L}, FieldModel::Sheet));
    }
}
BENCHMARK(BM_DesignSearchEvaluation)->Unit(benchmark::kMicrosecond);

// The same on the turns where they lie, as the finish and the check evaluate.
void BM_DesignTurnsEvaluation(benchmark::State& state) {
    Goals goals;
    goals.B0 = 0.01L;
    goals.uniform = Uniformity{0.001L, 0.005L};
    goals.source = 12;
    goals.material = LoadMaterial("copper");
    static const Wire wire{"0.900 mm", 0.0009L, 0.000959L};
    const WoundBuild b = MakeBuild(goals.winding, wire, 19, 19);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Evaluate(goals, {&wire, b, 0.045L, 0.036L}, FieldModel::Turns));
    }
}
BENCHMARK(BM_DesignTurnsEvaluation)->Unit(benchmark::kMicrosecond);

// The example query: 10 mT, 0.1 % over a 5 mm sphere, 12 V, 20 W, 40 mm bore, 60 K.
void BM_DesignExampleQuery(benchmark::State& state) {
    Goals goals;
    goals.B0 = 0.01L;
    goals.uniform = Uniformity{0.001L, 0.005L};
    goals.source = 12;
    goals.maxPower = 20;
    goals.bore = 0.04L;
    goals.maxTempRise = 60;
    goals.material = LoadMaterial("copper");
    goals.wires = LoadWires("metric", "");
    for (auto _ : state)
        benchmark::DoNotOptimize(FindDesigns(goals, {}, nullptr, 2));
}
BENCHMARK(BM_DesignExampleQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
