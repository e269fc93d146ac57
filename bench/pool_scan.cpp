// One fill attempt's pass over a word pool, per word length: pool words compared per second.
// The pool holds 30,000 pseudo-random Russian words; the slot has every other letter set, as a
// slot of a lattice grid has while it is being filled, so that almost no word fits and the scan
// runs through the whole pool as most attempts do.
#include "compose/PoolScan.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

vez::TWordPool MakePool(int len, std::size_t count) {
    vez::TWordPool pool;
    std::mt19937_64 gen(len);
    std::string w(len, ' ');
    for (std::size_t i = 0; i < count; ++i) {
        for (char& c : w) c = static_cast<char>(0xE0 + gen() % 32);
        pool.Add(len, w);
    }
    return pool;
}

void BM_PoolScan(benchmark::State& state) {
    const int len = static_cast<int>(state.range(0));
    const vez::TWordPool pool = MakePool(len, 30000);
    std::vector<std::uint8_t> inUse(pool.Count(len), 0);
    vez::ScanPattern pat;
    std::mt19937_64 gen(99);
    for (int k = 0; k < len; k += 2) {
        pat.letters.b[k] = static_cast<unsigned char>(0xE0 + gen() % 32);
        pat.letterMask |= 1u << k;
    }
    vez::FillRandom rnd(7);
    std::uint64_t scanned = 0;
    for (auto _ : state) {
        vez::ScanOutcome out = vez::ScanPool(pool, len, pat, inUse.data(), rnd);
        benchmark::DoNotOptimize(out);
        scanned += out.scanned;
    }
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(scanned), benchmark::Counter::kIsRate);
    state.counters["pool bytes"] = static_cast<double>(pool.Bytes());
}

BENCHMARK(BM_PoolScan)->DenseRange(2, 16, 1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
