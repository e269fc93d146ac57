#include "compose/SmartSolver.h"

#include "compose/FillSearch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <string>

namespace vez {

namespace {
constexpr int kSyms = 64;
} // namespace

SmartSolver::SmartSolver(const SlotTable& slots, const TWordPool& pools) : slots_(slots), pools_(pools) {}

bool SmartSolver::Init() {
    n_ = SlotCount(slots_);
    slot_.assign(n_ + 1, Slot{});
    for (int s = 1; s <= n_; ++s) {
        const int len = slots_[s].length;
        if (len < 2 || len > kMaxWordLen)
            throw FillFailure("slot " + std::to_string(s) + " has no word pool");
        slot_[s].len = len;
        byLength_[len].push_back(s);
    }

    // Letters to symbols, over every pool a slot needs.
    symOf_.fill(0xFF);
    int nsym = 0;
    std::size_t maxCount = 0;
    for (int len = 2; len <= kMaxWordLen; ++len) {
        if (byLength_[len].empty()) continue;
        const std::size_t count = pools_.Count(len);
        maxCount = std::max(maxCount, count);
        syms_[len].resize(count * len);
        auto& start = indexStart_[len];
        start.assign(static_cast<std::size_t>(len) * kSyms + 1, 0);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view w = pools_.Word(len, i);
            for (int k = 0; k < len; ++k) {
                const auto b = static_cast<unsigned char>(w[k]);
                if (symOf_[b] == 0xFF) {
                    if (nsym == kSyms) throw FillFailure("the dictionary uses more than 64 distinct letters");
                    symOf_[b] = static_cast<std::uint8_t>(nsym);
                    badFirst_[nsym] = IsBadFirstLetter(b);
                    ++nsym;
                }
                syms_[len][i * len + k] = symOf_[b];
                ++start[k * kSyms + symOf_[b] + 1];
            }
        }
        for (std::size_t e = 1; e < start.size(); ++e)
            start[e] += start[e - 1];
        auto& words = indexWords_[len];
        words.resize(count * len);
        std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
        for (std::size_t i = 0; i < count; ++i)
            for (int k = 0; k < len; ++k)
                words[fill[k * kSyms + syms_[len][i * len + k]]++] = static_cast<std::int32_t>(i);
    }
    stamp_.assign(maxCount, 0);
    logOf_.resize(maxCount + 1);
    for (std::size_t i = 1; i <= maxCount; ++i)
        logOf_[i] = std::log(static_cast<double>(i));

    // Crossings, and the cells where a crossing word begins.
    for (int s = 1; s <= n_; ++s) {
        const TWordSlot& ws = slots_[s];
        for (int k = 1; k <= std::min<int>(ws.length, kMaxWordLen); ++k) {
            const int u = ws.cross[k];
            if (u < 1 || u > n_) continue;
            slot_[s].cross.push_back({k - 1, u, -1});
            if (ws.dir == 'H' ? slots_[u].y == ws.y : slots_[u].x == ws.x)
                slot_[s].firstLetterMask |= 1u << (k - 1);
        }
    }
    for (int s = 1; s <= n_; ++s)
        for (Cross& c : slot_[s].cross) {
            const CellPos cell = SlotCell(slots_[s], c.k + 1);
            const auto& back = slot_[c.u].cross;
            for (std::size_t j = 0; j < back.size(); ++j)
                if (back[j].u == s && SlotCell(slots_[c.u], back[j].k + 1) == cell) c.j = static_cast<int>(j);
            if (c.j < 0)
                throw FillFailure("crossing table of slot " + std::to_string(s) + " is not symmetric");
        }

    // Candidates: the pool of the slot's length without words that give a crossing word a first
    // letter no word may begin with.
    std::vector<int> empty;
    for (int s = 1; s <= n_; ++s) {
        Slot& sl = slot_[s];
        const std::size_t count = pools_.Count(sl.len);
        sl.pos.resize(count);
        sl.vals.resize(count);
        // Allowed words fill `vals` from the front, refused ones from the back.
        std::size_t front = 0, back = count;
        for (std::size_t i = 0; i < count; ++i) {
            bool ok = true;
            for (std::uint32_t m = sl.firstLetterMask; m && ok; m &= m - 1)
                ok = !badFirst_[Sym(sl.len, static_cast<std::int32_t>(i), std::countr_zero(m))];
            const std::size_t p = ok ? front++ : --back;
            sl.vals[p] = static_cast<std::int32_t>(i);
            sl.pos[i] = static_cast<std::int32_t>(p);
        }
        sl.size = front;
        sl.count.assign(sl.cross.size() * kSyms, 0);
        sl.weight.assign(sl.cross.size(), 1.0);
        for (std::size_t p = 0; p < sl.size; ++p)
            for (std::size_t j = 0; j < sl.cross.size(); ++j)
                ++sl.count[j * kSyms + Sym(sl.len, sl.vals[p], sl.cross[j].k)];
        if (sl.size == 0) empty.push_back(s);
    }
    if (!empty.empty()) {
        Fail(empty);
        return false;
    }
    // Letters one side of a crossing has and the other lacks.
    for (int s = 1; s <= n_; ++s) {
        const Slot& sl = slot_[s];
        for (std::size_t j = 0; j < sl.cross.size(); ++j) {
            const Cross& c = sl.cross[j];
            for (int sym = 0; sym < kSyms; ++sym)
                if (sl.count[j * kSyms + sym] > 0 && slot_[c.u].count[c.j * kSyms + sym] == 0)
                    queue_.push_back({s, static_cast<int>(j), sym, c.u, c.j});
        }
    }
    return Propagate() && CountWords();
}

void SmartSolver::Remove(int s, std::int32_t w) {
    Slot& sl = slot_[s];
    const std::int32_t p = sl.pos[w];
    const auto last = static_cast<std::int32_t>(sl.size - 1);
    const std::int32_t other = sl.vals[last];
    sl.vals[last] = w;
    sl.vals[p] = other;
    sl.pos[other] = p;
    sl.pos[w] = last;
    --sl.size;
    trail_.push_back(s);
    ++removals;
    for (std::size_t j = 0; j < sl.cross.size(); ++j) {
        const Cross& c = sl.cross[j];
        const int sym = Sym(sl.len, w, c.k);
        if (--sl.count[j * kSyms + sym] == 0) queue_.push_back({c.u, c.j, sym, s, static_cast<int>(j)});
    }
}

bool SmartSolver::Propagate() {
    for (std::size_t qi = 0; qi < queue_.size(); ++qi) {
        const Event e = queue_[qi];
        Slot& t = slot_[e.s];
        if (t.count[e.j * kSyms + e.c] == 0) continue;
        const int k = t.cross[e.j].k;
        const std::uint32_t* start = indexStart_[t.len].data() + k * kSyms + e.c;
        const std::int32_t* first = indexWords_[t.len].data() + start[0];
        const std::int32_t* last = indexWords_[t.len].data() + start[1];
        if (static_cast<std::size_t>(last - first) > t.size) {
            // Removal swaps the last live candidate into place i; walking down, it was already seen.
            for (auto i = static_cast<std::ptrdiff_t>(t.size) - 1; i >= 0; --i) {
                const std::int32_t w = t.vals[i];
                if (Sym(t.len, w, k) == e.c) Remove(e.s, w);
            }
        } else {
            for (const std::int32_t* w = first; w != last; ++w)
                if (Live(e.s, *w)) Remove(e.s, *w);
        }
        if (t.size == 0) {
            t.weight[e.j] += 1;
            slot_[e.from].weight[e.fj] += 1;
            Fail({e.s});
            return false;
        }
    }
    queue_.clear();
    return true;
}

bool SmartSolver::CountWords() {
    for (int len = 2; len <= kMaxWordLen; ++len) {
        std::size_t open = 0, largest = 0;
        for (int s : byLength_[len])
            if (slot_[s].assigned < 0) {
                ++open;
                largest = std::max(largest, slot_[s].size);
            }
        if (largest >= open) continue; // one slot alone already has enough words
        ++stampNow_;
        std::size_t distinct = 0;
        for (int s : byLength_[len]) {
            const Slot& sl = slot_[s];
            if (sl.assigned >= 0) continue;
            for (std::size_t p = 0; p < sl.size; ++p)
                if (stamp_[sl.vals[p]] != stampNow_) {
                    stamp_[sl.vals[p]] = stampNow_;
                    ++distinct;
                }
        }
        if (distinct < open) {
            std::vector<int> dead;
            for (int s : byLength_[len])
                if (slot_[s].assigned < 0) {
                    slot_[s].ownWeight += 1;
                    dead.push_back(s);
                }
            Fail(dead);
            return false;
        }
    }
    return true;
}

void SmartSolver::Fail(std::vector<int> dead) {
    queue_.clear();
    std::sort(dead.begin(), dead.end());
    dead_ = std::move(dead);
}

bool SmartSolver::Assign(int s, std::int32_t w) {
    marks_.push_back(trail_.size());
    decisions_.emplace_back(s, w);
    Slot& sl = slot_[s];
    sl.assigned = w;
    for (auto i = static_cast<std::ptrdiff_t>(sl.size) - 1; i >= 0; --i)
        if (sl.vals[i] != w) Remove(s, sl.vals[i]);
    // The repeat rule: the word leaves every other slot of its length.
    for (int t : byLength_[sl.len]) {
        if (t == s || !Live(t, w)) continue;
        Remove(t, w);
        if (slot_[t].size == 0) {
            slot_[t].ownWeight += 1;
            Fail({t});
            return false;
        }
    }
    return Propagate() && CountWords();
}

std::pair<int, std::int32_t> SmartSolver::Backtrack() {
    const auto d = decisions_.back();
    decisions_.pop_back();
    Undo(marks_.back());
    marks_.pop_back();
    slot_[d.first].assigned = -1;
    return d;
}

bool SmartSolver::Refute(int s, std::int32_t w) {
    if (!Live(s, w)) return true;
    Remove(s, w);
    if (slot_[s].size == 0) {
        Fail({s});
        return false;
    }
    return Propagate() && CountWords();
}

void SmartSolver::Undo(std::size_t mark) {
    while (trail_.size() > mark) {
        Slot& sl = slot_[trail_.back()];
        trail_.pop_back();
        // Removals come back in reverse order, so the last one removed sits just past the live part.
        const std::int32_t w = sl.vals[sl.size++];
        for (std::size_t j = 0; j < sl.cross.size(); ++j)
            ++sl.count[j * kSyms + Sym(sl.len, w, sl.cross[j].k)];
    }
}

int SmartSolver::ChooseSlot(FillRandom& rnd) const {
    int best = 0, ties = 0;
    double bestScore = std::numeric_limits<double>::infinity();
    for (int s = 1; s <= n_; ++s) {
        const Slot& sl = slot_[s];
        if (sl.assigned >= 0) continue;
        double wdeg = sl.ownWeight;
        for (std::size_t j = 0; j < sl.cross.size(); ++j)
            if (slot_[sl.cross[j].u].assigned < 0) wdeg += sl.weight[j];
        // A slot tied to no open slot can wait: it can only clash through the repeat rule.
        const double score =
            wdeg > 0 ? static_cast<double>(sl.size) / wdeg : 1e12 + static_cast<double>(sl.size);
        if (score < bestScore) {
            bestScore = score;
            best = s;
            ties = 1;
        } else if (score == bestScore && rnd.Random(++ties) == 0) {
            best = s;
        }
    }
    return best;
}

std::int32_t SmartSolver::ChooseValue(int s, FillRandom& rnd) const {
    const Slot& sl = slot_[s];
    // Score: log of the product of the candidates each open crossing slot keeps with this letter.
    thread_local std::vector<double> score;
    score.resize(sl.size);
    double top = -std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < sl.size; ++p) {
        const std::int32_t w = sl.vals[p];
        double sc = 0;
        for (std::size_t j = 0; j < sl.cross.size(); ++j) {
            const Cross& c = sl.cross[j];
            const Slot& u = slot_[c.u];
            if (u.assigned >= 0) continue;
            sc += logOf_[u.count[c.j * kSyms + Sym(sl.len, w, c.k)]];
        }
        score[p] = sc;
        top = std::max(top, sc);
    }
    // Gumbel noise turns the scores into a random draw with probability proportional to the
    // product; words far below the top could only win with noise that practically never comes.
    constexpr double kReach = 14;
    std::int32_t chosen = sl.vals[0];
    double bestKey = -std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < sl.size; ++p) {
        if (score[p] < top - kReach) continue;
        const double u01 = (rnd.Random(1 << 30) + 0.5) / static_cast<double>(1 << 30);
        const double key = score[p] - std::log(-std::log(u01));
        if (key > bestKey) {
            bestKey = key;
            chosen = sl.vals[p];
        }
    }
    return chosen;
}

std::int32_t SmartSolver::Find(int s, std::string_view word) const {
    const int len = slot_[s].len;
    if (static_cast<int>(word.size()) != len) return -1;
    for (std::size_t i = 0; i < pools_.Count(len); ++i)
        if (pools_.Word(len, i) == word) return static_cast<std::int32_t>(i);
    return -1;
}

} // namespace vez
