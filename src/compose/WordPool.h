// Word pools of a composition: for every slot length, the distinct words of DICT/dict.L in file
// order, stored as one contiguous array of fixed 16-byte records so that a fill attempt can compare
// a whole candidate with one vector instruction and never allocates while it scans.
#pragma once

#include "model/Grat.h"
#include "platform/Files.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

// One word of a pool: its letters, padded with zero bytes to 16. Aligned so that a record is one
// aligned 16-byte load.
struct alignas(16) PoolRecord {
    std::array<unsigned char, 16> b{};
};

class TWordPool {
public:
    // Words of length L (2 … 16); empty for a length no slot has.
    std::size_t Count(int len) const { return InRange(len) ? pools_[len].size() : 0; }
    const PoolRecord* Records(int len) const { return InRange(len) ? pools_[len].data() : nullptr; }
    std::string_view Word(int len, std::size_t i) const {
        return {reinterpret_cast<const char*>(pools_[len][i].b.data()), static_cast<std::size_t>(len)};
    }
    // Memory held by all pools.
    std::size_t Bytes() const;

    // Appends a word of exactly `len` letters; callers keep words distinct.
    void Add(int len, std::string_view word);
    // Gives back the spare capacity of one pool once it is complete.
    void Trim(int len) { pools_[len].shrink_to_fit(); }

private:
    static bool InRange(int len) { return len >= 2 && len <= kMaxWordLen; }
    std::array<std::vector<PoolRecord>, kMaxWordLen + 1> pools_;
};

struct PoolsResult {
    TWordPool pools;
    std::string error; // Windows-1251 message for the window to show; empty on success
    bool ok() const { return error.empty(); }
};

// Reads DICT/dict.L of `home` for every length L that a slot of `slots` has, in increasing order,
// keeping the first occurrence of every word. A word line whose length is not L is left out (it
// could never fit a slot of that length, and keeping it would misalign every later word).
// `afterLength(L)` runs after each length read (the window moves its progress bar).
PoolsResult BuildPools(const fs::path& home, const SlotTable& slots,
                       const std::function<void(int len)>& afterLength = {});

// The message of a dictionary file that cannot be read or holds a word line under two characters.
std::string PoolLoadError(int len);

} // namespace vez
