#include "compose/PoolScan.h"

#include <bit>
#include <emmintrin.h>

namespace vez {

bool IsBadFirstLetter(unsigned char c) {
    return c == 2 || c == 3 || c == 0xE9 || c == 0xFA || c == 0xFB || c == 0xFC;
}

namespace {
bool BreaksFirstLetterRule(const PoolRecord& w, std::uint32_t firstMask) {
    for (std::uint32_t m = firstMask; m; m &= m - 1)
        if (IsBadFirstLetter(w.b[std::countr_zero(m)])) return true;
    return false;
}
} // namespace

ScanOutcome ScanPool(const TWordPool& pools, int len, const ScanPattern& pat, const std::uint8_t* inUse,
                     FillRandom& rnd) {
    ScanOutcome out;
    const std::size_t count = pools.Count(len);
    const PoolRecord* rec = pools.Records(len);
    const __m128i want = _mm_load_si128(reinterpret_cast<const __m128i*>(pat.letters.b.data()));
    const std::uint32_t letterMask = pat.letterMask;
    int best = 17;
    std::size_t i = 0;
    for (; i < count; ++i) {
        const __m128i w = _mm_load_si128(reinterpret_cast<const __m128i*>(rec[i].b.data()));
        const auto eq = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(w, want)));
        const std::uint32_t mis = ~eq & letterMask;
        if (mis != 0) {
            // Only a strictly better near-miss can be recorded; once one letter off has been
            // recorded nothing but fitting words matter.
            if (best <= 1) continue;
            const int nm = std::popcount(mis);
            if (nm >= best || static_cast<std::int64_t>(i) == pat.skip) continue;
            if (rnd.Random(99) > 64) {
                best = nm;
                out.bestMismatches = mis;
            }
            continue;
        }
        if (static_cast<std::int64_t>(i) == pat.skip || inUse[i] || BreaksFirstLetterRule(rec[i], pat.firstLetterMask))
            continue;
        out.choice = static_cast<std::int64_t>(i);
        if (rnd.Random(99) > 91) {
            ++i;
            break;
        }
    }
    out.best = best;
    out.scanned = i;
    return out;
}

} // namespace vez
