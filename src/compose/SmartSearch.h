// The Smart rule: a complete search over whole words that fills hard grids quickly and proves it
// when a grid cannot be filled at all.
//
// Algorithm. SmartSolver keeps every slot's candidate words consistent with its crossings and with
// the repeat and first-letter rules. The search branches two ways at each step: put word w into
// slot s, or, when that fails, remove w from s and go on. The slot is the open one with the fewest
// candidates per conflict weight (dom/wdeg: every time a crossing empties a slot, the weight of
// that crossing grows, so slots that keep failing are decided early). The word is drawn at random,
// biased toward words that leave the open crossing slots the most candidates. After a number of
// failures the search restarts from an empty grid (limits follow the Luby sequence 1 1 2 1 1 2 4 …
// times a base), keeping the weights and whatever was refuted at the top level; the limits grow
// without bound, so the search stays complete. When a failure happens with no decision left to
// undo, no fill exists: the run ends with FillUnfillable naming the slots whose candidates ran out.
//
// Engine fit. One cycle places one word (and reports its letters); backtracking and restarts empty
// words through the context (reporting emptied cells); each step of the search is a fill attempt
// with its own check point. If another rule moved words in the meantime, the search adopts the
// words it finds in the grid as its first decisions.
#pragma once

#include "compose/FillSearch.h"
#include "compose/SmartSolver.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vez {

// Thrown by the Smart rule when it has proven that the grid cannot be filled.
struct FillUnfillable : std::runtime_error {
    explicit FillUnfillable(std::vector<int> dead)
        : std::runtime_error("the grid cannot be filled"), deadSlots(std::move(dead)) {}
    std::vector<int> deadSlots; // slot numbers whose candidates ran out
};

class SmartSearch : public FillStrategy {
public:
    // Failures before the first restart; later limits are this times the Luby sequence.
    explicit SmartSearch(std::uint64_t restartBase = 64) : restartBase_(restartBase) {}
    bool Cycle(FillContext& ctx, TFillAlgorithm rule, bool backward) override;

    std::uint64_t restarts = 0, failures = 0;

private:
    bool InStep(const FillContext& ctx) const;
    void Adopt(FillContext& ctx);
    void Restart(FillContext& ctx);

    std::unique_ptr<SmartSolver> solver_;
    bool failed_ = false; // the current node has failed and must be undone
    std::uint64_t restartBase_;
    std::uint64_t lubyIndex_ = 1, failuresSinceRestart_ = 0;
};

// The i-th term (from 1) of the Luby sequence 1 1 2 1 1 2 4 1 1 2 1 1 2 4 8 …
std::uint64_t Luby(std::uint64_t i);

// Result of the consistency pass alone (vezdar-cli check-grid).
struct GridCheck {
    bool unfillable = false;
    std::vector<std::size_t> candidates; // per slot (index 0 unused): candidates left
    std::vector<int> deadSlots;          // slots whose candidates ran out
};
GridCheck CheckGrid(const SlotTable& slots, const TWordPool& pools);

// The number a reader sees for each slot: start cells numbered in reading order, so an across and
// a down word starting in one cell share it (index 0 unused).
std::vector<int> WordNumbers(const SlotTable& slots);

// "12 по горизонтали, 7 по вертикали" (Windows-1251) for the given slots, in slot order.
std::string DeadSlotsText(const SlotTable& slots, const std::vector<int>& dead);

} // namespace vez
