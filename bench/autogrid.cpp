// Time to an accepted automatic grid: 15 x 15 with full symmetry, and 40 x 40 in every symmetry mode.
// Each repetition makes one grid from its own seed, so the reported median is the median time per grid.
#include "grids/AutoGrid.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

void BM_AutoGrid(benchmark::State& state) {
    static std::uint64_t seed = 0;
    const int side = static_cast<int>(state.range(0));
    const int symmetry = static_cast<int>(state.range(1));
    int trials = 0;
    for (auto _ : state) {
        vez::TGratShape shape;
        shape.width = shape.height = side;
        vez::AutoGridResult r = vez::GenerateAutoGrid(shape, symmetry, ++seed, [] { return true; });
        if (r.status != vez::AutoGridStatus::Accepted) state.SkipWithError("no accepted grid");
        trials += r.trials;
        benchmark::DoNotOptimize(shape);
    }
    state.counters["trials"] = benchmark::Counter(trials, benchmark::Counter::kAvgIterations);
}

// The tick stands in for the editor's "let pending events run" call, which is made on every step.
BENCHMARK(BM_AutoGrid)
    ->ArgNames({"side", "symmetry"})
    ->Args({15, 1})
    ->Args({40, 1})
    ->Args({40, 2})
    ->Args({40, 3})
    ->Args({40, 4})
    ->Iterations(1)
    ->Repetitions(101)
    ->ComputeStatistics("max",
                        [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
