// The constraint model behind the Smart rule: every slot's candidate words, kept consistent with the
// letters its crossing slots can still take, with an undo trail so that a search can go back.
//
// Model. Slots are the variables, the words of the pool of a slot's length the values. Constraints:
// crossing slots agree on their shared letter; no word stands in two slots (the repeat rule); a
// letter where a crossing word begins is never one of the letters no word may begin with (the
// first-letter rule, a filter applied once to the initial candidates).
//
// Data layout. A slot's candidates are a sparse set: `vals` holds pool indices, the first `size`
// of them alive, and `pos` maps a pool index back to its place in `vals`, so removal is a swap and
// undo is re-growing `size`. For every crossed position a slot keeps 64 support counters, one per
// letter: how many live candidates have that letter there. Letters are mapped to 0 … 63 once.
//
// Consistency (generalised arc consistency). When a counter of slot s falls to zero, the letter is
// gone from that cell, so every candidate of the crossing slot with that letter at the shared cell
// is removed; its removals may empty more counters, and so on until nothing changes. Removal uses
// the per-length index "words with letter c at position k" or scans the live candidates, whichever
// is shorter. The repeat rule is propagated two ways: a placed word leaves every other slot of its
// length, and per length the open slots are counted against the distinct words still alive in any
// of them (fewer words than slots proves that no fill exists, e.g. more two-letter slots than
// two-letter words).
//
// Undo. Every removal pushes its slot onto the trail; a decision level remembers the trail height,
// and going back re-grows the sparse sets and restores the counters. Removals at level 0 (initial
// filtering, refutations of first decisions) are never undone: they hold for every fill.
//
// Failure. A propagation fails when some slot's candidates run out (or the counting proves too few
// words); the slots responsible are kept as DeadSlots() and the conflict weights of the crossing
// that emptied them are raised (read by ChooseSlot: fewest candidates per weighted degree).
#pragma once

#include "compose/PoolScan.h"
#include "compose/WordPool.h"
#include "model/Grat.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vez {

class SmartSolver {
public:
    // Pools and slots must outlive the solver; the slot table must not change shape.
    SmartSolver(const SlotTable& slots, const TWordPool& pools);

    // Builds the candidates and runs the consistency pass; false when it proves that no fill exists.
    bool Init();

    int Level() const { return static_cast<int>(decisions_.size()); }
    // Opens a level and puts word `w` into slot s; false when propagation fails (the level stays open).
    bool Assign(int s, std::int32_t w);
    // Closes the last level; returns its decision (slot, word).
    std::pair<int, std::int32_t> Backtrack();
    // Removes word w from slot s at the current level; false when propagation fails.
    bool Refute(int s, std::int32_t w);

    int N() const { return n_; }
    std::size_t Size(int s) const { return slot_[s].size; }
    bool Live(int s, std::int32_t w) const {
        return static_cast<std::size_t>(slot_[s].pos[w]) < slot_[s].size;
    }
    std::int32_t Assigned(int s) const { return slot_[s].assigned; }
    // Slots whose candidates ran out in the last failed propagation, in slot order.
    const std::vector<int>& DeadSlots() const { return dead_; }

    // An open slot by fewest candidates per conflict weight (0: all assigned).
    int ChooseSlot(FillRandom& rnd) const;
    // A live candidate of s, drawn at random with a strong bias toward words that leave the open
    // crossing slots the most candidates.
    std::int32_t ChooseValue(int s, FillRandom& rnd) const;
    // Pool index of a word of slot s's length, −1 when the pool lacks it.
    std::int32_t Find(int s, std::string_view word) const;

    std::uint64_t removals = 0; // candidate removals, for the statistics

private:
    struct Cross {
        int k; // position in this slot (0-based)
        int u; // the crossing slot
        int j; // index of the shared cell in u's crossing list
    };
    struct Slot {
        int len = 0;
        std::vector<Cross> cross;
        std::vector<std::int32_t> vals, pos;
        std::size_t size = 0;
        std::vector<std::int32_t> count; // cross.size() × 64 support counters
        std::vector<double> weight;      // per crossing: conflicts it caused
        double ownWeight = 0;            // conflicts of the repeat rule
        std::int32_t assigned = -1;
        std::uint32_t firstLetterMask = 0;
    };
    struct Event {
        int s, j; // remove from s every candidate with letter c at crossing j …
        int c;
        int from, fj; // … because that letter is gone from crossing fj of slot `from`
    };

    std::uint8_t Sym(int len, std::int32_t w, int k) const {
        return syms_[len][static_cast<std::size_t>(w) * len + k];
    }
    void Remove(int s, std::int32_t w);
    bool Propagate();
    bool CountWords();
    void Fail(std::vector<int> dead);
    void Undo(std::size_t mark);

    const SlotTable& slots_;
    const TWordPool& pools_;
    int n_ = 0;
    std::vector<Slot> slot_; // index 0 unused
    std::array<std::vector<std::uint8_t>, kMaxWordLen + 1> syms_;
    // Pool words of length len with letter c at position k: indexWords_[len][b … e), where
    // b = indexStart_[len][k * 64 + c] and e the next start (one allocation per length).
    std::array<std::vector<std::int32_t>, kMaxWordLen + 1> indexWords_;
    std::array<std::vector<std::uint32_t>, kMaxWordLen + 1> indexStart_;
    std::array<std::vector<int>, kMaxWordLen + 1> byLength_; // slots of each length
    std::array<std::uint8_t, 256> symOf_{};
    std::array<bool, 64> badFirst_{};
    std::vector<double> logOf_; // log of a support count

    std::vector<Event> queue_;
    std::vector<int> trail_;
    std::vector<std::size_t> marks_;
    std::vector<std::pair<int, std::int32_t>> decisions_;
    std::vector<int> dead_;
    mutable std::vector<std::uint32_t> stamp_;
    mutable std::uint32_t stampNow_ = 0;
};

} // namespace vez
