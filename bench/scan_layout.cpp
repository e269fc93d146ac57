// Passes per second of the scanword layout generation, and time to a complete layout.
#include "settings/Config.h"
#include "scanword/ScanBuilder.h"
#include "scanword/ScanGenerator.h"

#include <benchmark/benchmark.h>

using namespace vez;

namespace {
ScanOptions Options(int area, bool shortCheck) {
    ScanOptions o;
    o.area = area;
    o.shortCheck = shortCheck;
    return o;
}
} // namespace

// Raw pass rate on 15x10, whatever block the search is in.
static void BM_ScanPasses15x10(benchmark::State& state) {
    ExcludedMap ex{};
    ScanGenerator g(15, 10, ex, Options(7, true), 12345);
    for (auto _ : state) {
        if (g.Pass()) g = ScanGenerator(15, 10, ex, Options(7, true), g.passes());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScanPasses15x10);

// One complete layout per iteration (a new seed each time).
static void BM_ScanComplete(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int area = static_cast<int>(state.range(2));
    const bool shortCheck = state.range(3) != 0;
    ExcludedMap ex{};
    std::uint64_t seed = 1;
    std::uint64_t passes = 0;
    for (auto _ : state) {
        ScanGenerator g(w, h, ex, Options(area, shortCheck), seed++);
        g.Run([] { return true; });
        passes += g.passes();
    }
    state.counters["passes"] = benchmark::Counter(static_cast<double>(passes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScanComplete)->Args({15, 10, 7, 0})->Args({30, 20, 7, 0})->Args({40, 40, 7, 0})
    ->Unit(benchmark::kMillisecond);

// The builder's run (a clock read every 256 passes, a pump every 10 ms) against bare passes, on the
// same seeds: the pass rates should match.
namespace {
class NoDialogs : public Dialogs {
public:
    int ShowMsgBox(const MsgBoxRequest&, std::string*) override { return 0; }
};
} // namespace

static void BM_ScanRunBare(benchmark::State& state) {
    ExcludedMap ex{};
    std::uint64_t seed = 1, passes = 0;
    for (auto _ : state) {
        ScanGenerator g(15, 10, ex, Options(8, false), seed++);
        g.Run([] { return true; });
        passes += g.passes();
    }
    state.counters["passes/s"] = benchmark::Counter(static_cast<double>(passes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScanRunBare)->Unit(benchmark::kMillisecond);

static void BM_ScanRunBuilder(benchmark::State& state) {
    Settings settings;
    ScanOperSettings oper;
    oper.SetShortCheck(false);
    oper.SetArea(8);
    ScanBuilder builder(settings, oper);
    NoDialogs dialogs;
    std::uint64_t seed = 1, passes = 0, pumps = 0;
    for (auto _ : state) {
        builder.PressBuild(seed++);
        builder.Run(dialogs, [&] { ++pumps; });
        passes += builder.lastPasses();
    }
    state.counters["passes/s"] = benchmark::Counter(static_cast<double>(passes), benchmark::Counter::kIsRate);
    state.counters["pumps"] = benchmark::Counter(static_cast<double>(pumps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScanRunBuilder)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
