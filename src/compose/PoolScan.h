// The inner loop of a fill attempt: one pass over the pool of a slot's length that finds the word
// to place, or the near-miss to blame, under the engine's random acceptance rules.
//
// A candidate is compared with the slot's letters in one step: both are 16-byte records, the
// per-byte equality mask is reduced to a bit mask and intersected with the positions that hold a
// letter, so the mismatch positions come out as bits and their count as a popcount.
#pragma once

#include "compose/WordPool.h"

#include <cstdint>
#include <random>

namespace vez {

// The engine's random source: Random(n) is uniform over 0 … n − 1.
class FillRandom {
public:
    explicit FillRandom(std::uint64_t seed) : gen_(seed) {}
    int Random(int n) { return static_cast<int>(std::uniform_int_distribution<std::uint64_t>(0, n - 1)(gen_)); }

private:
    std::mt19937_64 gen_;
};

struct ScanPattern {
    PoolRecord letters;               // byte k−1: the grid letter of position k, 0 when empty
    std::uint32_t letterMask = 0;     // bit k−1: position k holds a letter
    std::uint32_t firstLetterMask = 0; // bit k−1: a crossing word begins at position k
    std::int64_t skip = -1;           // pool index of the slot's last word, never placed again at once
};

struct ScanOutcome {
    std::int64_t choice = -1;        // pool index of the word to place, or −1
    int best = 17;                   // mismatch count of the recorded near-miss (17: none)
    std::uint32_t bestMismatches = 0; // its mismatch positions as bits
    std::uint64_t scanned = 0;       // pool words looked at
};

// `inUse[i]` is non-zero when pool word i stands in some slot (the repeat rule).
ScanOutcome ScanPool(const TWordPool& pools, int len, const ScanPattern& pat, const std::uint8_t* inUse,
                     FillRandom& rnd);

// Letters that no crossing word may be made to begin with (й, ъ, ы, ь and two control codes).
bool IsBadFirstLetter(unsigned char c);

} // namespace vez
