// The state of one filling run and the ways of filling it.
//
// A run repeats cycles until every slot holds a word. A strategy performs one cycle on the shared
// FillContext: it picks a slot and fills it, moving words in and out of the grid only through
// Place and Empty, which keep the grid, the slot table, the repeat index and the reports in step.
// The five selection rules share one strategy (LocalSearch); another way of filling plugs in as
// another FillStrategy chosen by its rule value.
//
// LocalSearch: pick a slot by the rule; scan the pool of its length for the last fitting word
// (stopping early with probability 7/99 at each fitting word), while recording with probability
// 34/99 any candidate that misses by fewer letters than the best recorded so far. No fit and no
// near-miss: the cycle ends with the slot empty. No fit but a near-miss: empty the crossing words
// under its mismatched letters, empty every filled word left with no filled crossing word (the
// prune pass), and try the slot again.
#pragma once

#include "compose/FillTypes.h"
#include "compose/PoolScan.h"
#include "model/Grat.h"

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace vez {

// An internal error that ends a run as failed.
struct FillFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct FillStats {
    std::uint64_t cycles = 0;
    std::uint64_t attempts = 0;
    std::uint64_t scanned = 0; // pool words looked at
};

class FillContext {
public:
    // `checkPoint` returns false when the run must stop (it may block while paused).
    FillContext(TGrat& grat, SlotTable& slots, const TWordPool& pools, const FillOptions& options,
                FillReportSink& sink, FillRandom& rnd, std::function<bool()> checkPoint);

    TGrat& grat;
    SlotTable& slots;
    const TWordPool& pools;
    const FillOptions& options;
    FillRandom& rnd;

    int N() const { return SlotCount(slots); }
    int filled = 0;
    int current = 1;  // slot of the running cycle (before selection: the one of the last cycle)
    int previous = 0; // slot of the cycle before

    bool IsFilled(int n) const { return wordIdx_[n] >= 0; }
    bool CheckPoint() { return checkPoint_(); }

    // Builds the comparison pattern of slot s from the letters in the grid.
    ScanPattern PatternOf(int s) const;
    const std::uint8_t* InUse(int len) const { return inUse_[len].data(); }
    // Puts pool word `idx` into slot s and reports its letters.
    void Place(int s, std::int64_t idx);
    // Takes the word out of slot s; a letter shared with a filled crossing word stays.
    void Empty(int s);
    // Empties every filled slot none of whose crossing slots is filled, in slot order, once.
    void Prune();
    void Report(const FillReport& r) { sink_.Report(r); }

    FillStats stats;

private:
    FillReportSink& sink_;
    std::function<bool()> checkPoint_;
    std::vector<std::int64_t> wordIdx_;                    // per slot: pool index of its word, −1 empty
    std::vector<std::int64_t> lastIdx_;                    // per slot: pool index of its last word
    std::vector<std::uint32_t> firstLetterMask_;           // per slot
    std::array<std::vector<std::uint8_t>, kMaxWordLen + 1> inUse_; // per length, per pool word
};

class FillStrategy {
public:
    virtual ~FillStrategy() = default;
    // One cycle. Returns false when a check point saw a stop request. Throws FillFailure.
    virtual bool Cycle(FillContext& ctx, TFillAlgorithm rule, bool backward) = 0;
};

// The five selection rules.
class LocalSearch : public FillStrategy {
public:
    bool Cycle(FillContext& ctx, TFillAlgorithm rule, bool backward) override;
    // The slot a rule picks (0: none), given the slot of the last cycle in ctx.current.
    static int ChooseSlot(FillContext& ctx, TFillAlgorithm rule, bool backward);

private:
    bool FillSlot(FillContext& ctx, int s);
};

} // namespace vez
