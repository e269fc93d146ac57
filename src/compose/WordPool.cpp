#include "compose/WordPool.h"

#include "dictionary/DictFile.h"
#include "platform/Text.h"

#include <unordered_set>

namespace vez {

std::size_t TWordPool::Bytes() const {
    std::size_t n = sizeof(*this);
    for (const auto& p : pools_) n += p.capacity() * sizeof(PoolRecord);
    return n;
}

void TWordPool::Add(int len, std::string_view word) {
    PoolRecord r;
    for (int k = 0; k < len; ++k) r.b[k] = static_cast<unsigned char>(word[k]);
    pools_[len].push_back(r);
}

std::string PoolLoadError(int len) {
    return ru("Ошибка доступа к файлу\r\nсловаря \"Dict.") + std::to_string(len) + "\" !";
}

PoolsResult BuildPools(const fs::path& home, const SlotTable& slots, const std::function<void(int)>& afterLength) {
    PoolsResult res;
    std::array<bool, kMaxWordLen + 1> wanted{};
    for (int n = 1; n <= SlotCount(slots); ++n)
        if (slots[n].length >= kMinDictLen && slots[n].length <= kMaxWordLen) wanted[slots[n].length] = true;

    for (int len = kMinDictLen; len <= kMaxWordLen; ++len) {
        if (!wanted[len]) continue;
        auto entries = ReadDictEntries(DictPath(home, len));
        if (!entries) {
            res.error = PoolLoadError(len);
            return res;
        }
        // Words of one length can only equal words of the same length, so one set per length
        // gives the same "first occurrence wins" as a table shared across lengths.
        std::unordered_set<std::string_view> seen;
        seen.reserve(entries->size());
        for (const TDictEntry& e : *entries) {
            if (e.Word.size() < 2) {
                res.error = PoolLoadError(len);
                return res;
            }
            if (static_cast<int>(e.Word.size()) != len) continue;
            if (seen.insert(e.Word).second) res.pools.Add(len, e.Word);
        }
        res.pools.Trim(len);
        if (afterLength) afterLength(len);
    }
    return res;
}

} // namespace vez
