#include "compose/FillSearch.h"

#include <algorithm>
#include <bit>
#include <string>

namespace vez {

FillContext::FillContext(TGrat& g, SlotTable& t, const TWordPool& p, const FillOptions& o, FillReportSink& sink,
                         FillRandom& r, std::function<bool()> checkPoint)
    : grat(g), slots(t), pools(p), options(o), rnd(r), sink_(sink), checkPoint_(std::move(checkPoint)) {
    const int n = N();
    wordIdx_.assign(n + 1, -1);
    lastIdx_.assign(n + 1, -1);
    firstLetterMask_.assign(n + 1, 0);
    for (int s = 1; s <= n; ++s) {
        TWordSlot& slot = slots[s];
        slot.lastWord.clear();
        const int len = std::min<int>(slot.length, kMaxWordLen);
        for (int k = 1; k <= len; ++k) {
            const int u = slot.cross[k];
            if (u < 1 || u > n) continue;
            // The crossing word begins here when it starts on this slot's row (across) or column (down).
            if (slot.dir == 'H' ? slots[u].y == slot.y : slots[u].x == slot.x) firstLetterMask_[s] |= 1u << (k - 1);
        }
    }
    for (int len = 2; len <= kMaxWordLen; ++len) inUse_[len].assign(pools.Count(len), 0);
}

ScanPattern FillContext::PatternOf(int s) const {
    const TWordSlot& slot = slots[s];
    ScanPattern p;
    for (int k = 1; k <= slot.length; ++k) {
        const CellPos c = SlotCell(slot, k);
        const char ch = grat.at(c.x, c.y);
        if (IsLetterCode(ch)) {
            p.letters.b[k - 1] = static_cast<unsigned char>(ch);
            p.letterMask |= 1u << (k - 1);
        }
    }
    p.firstLetterMask = firstLetterMask_[s];
    p.skip = lastIdx_[s];
    return p;
}

void FillContext::Place(int s, std::int64_t idx) {
    TWordSlot& slot = slots[s];
    const std::string_view w = pools.Word(slot.length, static_cast<std::size_t>(idx));
    slot.word.assign(w);
    slot.lastWord.assign(w);
    wordIdx_[s] = lastIdx_[s] = idx;
    inUse_[slot.length][idx] = 1;
    const bool show = options.showLetters.load(std::memory_order_relaxed);
    for (int k = 1; k <= slot.length; ++k) {
        const CellPos c = SlotCell(slot, k);
        grat.at(c.x, c.y) = w[k - 1];
        if (show) {
            FillReport r;
            r.kind = FillReportKind::LetterPlaced;
            r.x = c.x;
            r.y = c.y;
            r.letter = w[k - 1];
            sink_.Report(r);
        }
    }
    ++filled;
}

void FillContext::Empty(int s) {
    TWordSlot& slot = slots[s];
    const bool show = options.showLetters.load(std::memory_order_relaxed);
    for (int k = 1; k <= slot.length; ++k) {
        const int u = slot.cross[k];
        if (u >= 1 && IsFilled(u)) continue;
        const CellPos c = SlotCell(slot, k);
        grat.at(c.x, c.y) = kEmptyCell;
        if (show) {
            FillReport r;
            r.kind = FillReportKind::CellEmptied;
            r.x = c.x;
            r.y = c.y;
            sink_.Report(r);
        }
    }
    inUse_[slot.length][wordIdx_[s]] = 0;
    wordIdx_[s] = -1;
    slot.word.clear();
    --filled;
}

void FillContext::Prune() {
    for (int i = 1; i <= N(); ++i) {
        if (!IsFilled(i)) continue;
        bool anchored = false;
        for (int k = 1; k <= slots[i].length && !anchored; ++k) anchored = slots[i].cross[k] >= 1 && IsFilled(slots[i].cross[k]);
        if (!anchored) Empty(i);
    }
}

namespace {
// Letters of slot s in crossing order: forward from the last letter, backward from the first.
template <class F>
int FirstInCrossingOrder(const TWordSlot& slot, bool backward, F&& pick) {
    const int len = slot.length;
    for (int j = 0; j < len; ++j) {
        const int k = backward ? j + 1 : len - j;
        if (int c = pick(slot.cross[k])) return c;
    }
    return 0;
}
} // namespace

int LocalSearch::ChooseSlot(FillContext& ctx, TFillAlgorithm rule, bool backward) {
    const int n = ctx.N();
    auto at = [&](int j) { return backward ? n - j : j + 1; }; // j-th slot of the scan order
    auto unfilledCross = [&](int c) { return c >= 1 && !ctx.IsFilled(c) ? c : 0; };
    auto firstUnfilled = [&] {
        for (int j = 0; j < n; ++j)
            if (!ctx.IsFilled(at(j))) return at(j);
        return 0;
    };
    switch (rule) {
    case TFillAlgorithm::Follow: {
        int remembered = 0;
        for (int j = 0; j < n; ++j) {
            const int s = at(j);
            if (ctx.IsFilled(s)) {
                if (int c = FirstInCrossingOrder(ctx.slots[s], backward, unfilledCross)) return c;
            } else if (remembered == 0) {
                remembered = s;
            }
        }
        return remembered;
    }
    case TFillAlgorithm::Empty:
        return firstUnfilled();
    case TFillAlgorithm::Max: {
        int chosen = 0, most = 0;
        for (int j = 0; j < n; ++j) {
            const int s = at(j);
            if (!ctx.IsFilled(s) && ctx.slots[s].crossCount > most) {
                most = ctx.slots[s].crossCount;
                chosen = s;
            }
        }
        return chosen;
    }
    case TFillAlgorithm::Zigzag: {
        const int p = ctx.current;
        if (p >= 1 && p <= n && ctx.IsFilled(p))
            if (int c = FirstInCrossingOrder(ctx.slots[p], backward, unfilledCross)) return c;
        return firstUnfilled();
    }
    case TFillAlgorithm::Random:
        for (;;) {
            const int s = ctx.rnd.Random(n) + 1;
            if (!ctx.IsFilled(s)) return s;
        }
    case TFillAlgorithm::Smart: // a search of its own (SmartSearch), never a local-search rule
        break;
    }
    return 0;
}

bool LocalSearch::Cycle(FillContext& ctx, TFillAlgorithm rule, bool backward) {
    const int s = ChooseSlot(ctx, rule, backward);
    if (s == 0) throw FillFailure("no slot can be chosen");
    ctx.previous = ctx.current;
    ctx.current = s;
    return FillSlot(ctx, s);
}

bool LocalSearch::FillSlot(FillContext& ctx, int s) {
    const TWordSlot& slot = ctx.slots[s];
    const int len = slot.length;
    if (len < 2 || len > kMaxWordLen) throw FillFailure("slot " + std::to_string(s) + " has no word pool");
    for (;;) {
        if (!ctx.CheckPoint()) return false;
        ++ctx.stats.attempts;
        const ScanPattern pat = ctx.PatternOf(s);
        const ScanOutcome out = ScanPool(ctx.pools, len, pat, ctx.InUse(len), ctx.rnd);
        ctx.stats.scanned += out.scanned;
        if (out.choice >= 0) {
            ctx.Place(s, out.choice);
            return true;
        }
        // The crossing slots under the near-miss's mismatched letters, in letter order.
        std::array<int, kMaxWordLen + 1> conflicts{};
        int q = 0;
        for (std::uint32_t m = out.bestMismatches; m; m &= m - 1) conflicts[++q] = slot.cross[std::countr_zero(m) + 1];
        if (conflicts[1] == 0) return true; // nothing to blame: the slot stays empty this cycle
        for (q = 1; q <= out.best && conflicts[q] != 0; ++q)
            if (ctx.IsFilled(conflicts[q])) ctx.Empty(conflicts[q]);
        ctx.Prune();
    }
}

} // namespace vez
