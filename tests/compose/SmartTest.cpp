// The Smart rule on small grids whose answer is known: by construction, or by counting the fills
// with a plain brute-force search.
#include "compose/SmartSearch.h"
#include "compose/FillEngine.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <set>

namespace vez {
namespace {

using namespace std::chrono_literals;

struct Grid {
    TGrat grat;
    SlotTable slots;
    TWordPool pools;
    FillOptions options;

    Grid(const std::vector<std::string>& rows, const std::vector<std::string>& wordsUtf8) {
        int width = 0;
        for (auto& r : rows)
            width = std::max(width, static_cast<int>(r.size()));
        grat = GratFromCells(width, static_cast<int>(rows.size()), rows);
        slots = FindSlots(grat);
        EXPECT_TRUE(BuildCrossings(grat, slots));
        std::set<std::string> seen;
        for (auto& u : wordsUtf8) {
            std::string w = ru(u);
            if (seen.insert(w).second) pools.Add(static_cast<int>(w.size()), w);
        }
        options.rule = TFillAlgorithm::Smart;
    }
    std::vector<std::string> Words() const {
        std::vector<std::string> out;
        for (int n = 1; n <= SlotCount(slots); ++n)
            out.push_back(Cp1251ToUtf8(slots[n].word));
        return out;
    }
};

struct Sink : FillReportSink {
    std::vector<FillReport> reports;
    std::function<void(const FillReport&)> hook;
    void Report(const FillReport& r) override {
        reports.push_back(r);
        if (hook) hook(r);
    }
    int Count(FillReportKind k) const {
        return static_cast<int>(
            std::count_if(reports.begin(), reports.end(), [&](auto& r) { return r.kind == k; }));
    }
};

FillEnd RunToEnd(Grid& g, Sink& sink, std::uint64_t seed) {
    FillEngine engine(g.grat, g.slots, g.pools, g.options, sink, seed);
    engine.Start();
    const FillEnd end = engine.WaitEnd(30s);
    EXPECT_NE(end, FillEnd::Running) << "no end within 30 s";
    return end;
}

bool StartsCrossingWord(const SlotTable& slots, int s, int k) {
    const int u = slots[s].cross[k];
    return u && (slots[s].dir == 'H' ? slots[u].y == slots[s].y : slots[u].x == slots[s].x);
}

// Every placed word comes from the pool and agrees with the grid; no word twice; no word gives a
// crossing word one of the forbidden first letters.
void ExpectRulesHold(const Grid& g) {
    std::set<std::string> used;
    for (int n = 1; n <= SlotCount(g.slots); ++n) {
        const TWordSlot& s = g.slots[n];
        if (s.word.empty()) continue;
        EXPECT_TRUE(used.insert(s.word).second) << "repeated " << Cp1251ToUtf8(s.word);
        bool inPool = false;
        for (std::size_t i = 0; i < g.pools.Count(s.length); ++i)
            inPool |= g.pools.Word(s.length, i) == s.word;
        EXPECT_TRUE(inPool) << Cp1251ToUtf8(s.word);
        for (int k = 1; k <= s.length; ++k) {
            const CellPos c = SlotCell(s, k);
            EXPECT_EQ(g.grat.at(c.x, c.y), s.word[k - 1]) << "slot " << n;
            if (StartsCrossingWord(g.slots, n, k)) {
                EXPECT_FALSE(IsBadFirstLetter(static_cast<unsigned char>(s.word[k - 1])))
                    << "slot " << n << " gives a crossing word a forbidden first letter";
            }
        }
    }
}

// Counts complete fills (up to `cap`) by trying every word in every slot in slot order; the first
// one found goes to `first`.
int CountFills(const Grid& g, int cap = 2, std::vector<std::string>* first = nullptr) {
    const int n = SlotCount(g.slots);
    TGrat grat = g.grat;
    std::set<std::string> used;
    int found = 0;
    std::function<void(int)> go = [&](int s) {
        if (found >= cap) return;
        if (s > n) {
            if (++found == 1 && first) {
                first->clear();
                for (int t = 1; t <= n; ++t) {
                    std::string w;
                    for (int k = 1; k <= g.slots[t].length; ++k)
                        w += grat.at(SlotCell(g.slots[t], k).x, SlotCell(g.slots[t], k).y);
                    first->push_back(Cp1251ToUtf8(w));
                }
            }
            return;
        }
        const TWordSlot& slot = g.slots[s];
        for (std::size_t i = 0; i < g.pools.Count(slot.length); ++i) {
            const std::string w(g.pools.Word(slot.length, i));
            bool ok = !used.count(w);
            for (int k = 1; k <= slot.length && ok; ++k) {
                const CellPos c = SlotCell(slot, k);
                const char have = grat.at(c.x, c.y);
                ok = (have == kEmptyCell || have == w[k - 1]) &&
                     !(StartsCrossingWord(g.slots, s, k) &&
                       IsBadFirstLetter(static_cast<unsigned char>(w[k - 1])));
            }
            if (!ok) continue;
            const TGrat before = grat;
            for (int k = 1; k <= slot.length; ++k)
                grat.at(SlotCell(slot, k).x, SlotCell(slot, k).y) = w[k - 1];
            used.insert(w);
            go(s + 1);
            used.erase(w);
            grat = before;
        }
    };
    go(1);
    return found;
}

// A lattice of two across words of five letters and three down words of four, crossing in six
// cells, with random words over a small alphabet that holds forbidden first letters; the pools of
// odd seeds hold a planted fill. (Not square, so a fill has no transposed twin.)
Grid RandomLattice(std::uint64_t seed) {
    std::vector<std::string> rows = {"*****", "*.*.*", "*****", "*.*.*"};
    const std::string letters[] = {"а", "о", "т", "к", "р", "й", "ь"};
    std::mt19937_64 gen(seed);
    auto letter = [&] { return letters[gen() % std::size(letters)]; };
    std::vector<std::string> words;
    if (seed % 2) {
        // Where a word begins (top row, left column) the planted fill keeps to letters allowed there.
        std::string cell[4][5];
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                do
                    cell[y][x] = letter();
                while ((y == 0 || x == 0) && (cell[y][x] == "й" || cell[y][x] == "ь"));
        for (int y = 0; y < 4; y += 2) {
            std::string across;
            for (int x = 0; x < 5; ++x)
                across += cell[y][x];
            words.push_back(across);
        }
        for (int x = 0; x < 5; x += 2) {
            std::string down;
            for (int y = 0; y < 4; ++y)
                down += cell[y][x];
            words.push_back(down);
        }
    }
    for (int len : {4, 5})
        for (int d = 0; d < 10; ++d) {
            std::string w;
            for (int j = 0; j < len; ++j)
                w += letter();
            words.push_back(w);
        }
    return Grid(rows, words);
}

// Drives the search cycle by cycle without a thread; a restart base of 1 restarts after every
// failure or two, so the restart and top-level proof paths are exercised.
FillEnd DirectRun(Grid& g, std::uint64_t restartBase, std::uint64_t seed, std::uint64_t* restarts) {
    Sink sink;
    FillRandom rnd(seed);
    FillContext ctx(g.grat, g.slots, g.pools, g.options, sink, rnd, [] { return true; });
    SmartSearch search(restartBase);
    try {
        while (ctx.filled < ctx.N())
            search.Cycle(ctx, TFillAlgorithm::Smart, false);
    } catch (const FillUnfillable&) {
        *restarts += search.restarts;
        return FillEnd::Unfillable;
    }
    *restarts += search.restarts;
    return FillEnd::Finished;
}

TEST(Smart, FillsExactlyWhenAFillExistsAndProvesOtherwise) {
    int fillable = 0, unfillable = 0, provenBySearch = 0;
    std::uint64_t restarts = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Grid g = RandomLattice(seed);
        const int fills = CountFills(g);
        Sink sink;
        const FillEnd end = RunToEnd(g, sink, seed);
        if (fills > 0) {
            ++fillable;
            ASSERT_EQ(end, FillEnd::Finished);
            for (const std::string& w : g.Words())
                EXPECT_FALSE(w.empty());
        } else {
            ++unfillable;
            provenBySearch += !CheckGrid(g.slots, g.pools).unfillable;
            ASSERT_EQ(end, FillEnd::Unfillable);
            EXPECT_EQ(sink.Count(FillReportKind::Unfillable), 1);
            EXPECT_EQ(sink.reports.back().kind, FillReportKind::Unfillable);
            EXPECT_FALSE(sink.reports.back().slots.empty());
        }
        ExpectRulesHold(g);

        Grid again = RandomLattice(seed);
        EXPECT_EQ(DirectRun(again, 1, seed, &restarts), fills > 0 ? FillEnd::Finished : FillEnd::Unfillable);
        ExpectRulesHold(again);
    }
    // The sample must exercise both ends, proofs that need a search, and the restarts.
    EXPECT_GT(provenBySearch, 0);
    EXPECT_GT(restarts, 0u);
    EXPECT_GT(fillable, 5);
    EXPECT_GT(unfillable, 5);
}

TEST(Smart, UniqueFillIsFound) {
    int checked = 0;
    for (std::uint64_t seed = 1; seed <= 40 && checked < 3; seed += 2) {
        std::vector<std::string> only;
        if (CountFills(RandomLattice(seed), 2, &only) != 1) continue;
        ++checked;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        for (std::uint64_t run = 1; run <= 4; ++run) {
            Grid g = RandomLattice(seed);
            Sink sink;
            ASSERT_EQ(RunToEnd(g, sink, run), FillEnd::Finished);
            EXPECT_EQ(g.Words(), only);
        }
    }
    EXPECT_EQ(checked, 3) << "too few samples with a unique fill";
}

TEST(Smart, ProvesUnfillableAndNamesTheDeadWords) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<std::string> words;
        const char* dead; // the message text
    } cases[] = {
        {"no word of a length", {"***", "...", "****"}, {"кот"}, "2 по горизонтали"},
        // Every across word would give the down word a first letter no word may begin with.
        {"first-letter rule", {"***", "..*", "..*"}, {"чай", "рай", "йод"}, "1 по горизонтали"},
        // One word for two slots starting in the same cell: they share the number.
        {"repeat rule", {"***", "*..", "*.."}, {"кот"}, "1 по горизонтали, 1 по вертикали"},
        // Three two-letter slots, two two-letter words.
        {"too few short words",
         {"**.***", "......", "**.**."},
         {"да", "но", "кот"},
         "1 по горизонтали, 3 по горизонтали, 4 по горизонтали"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Grid g(c.rows, c.words);
        // The consistency pass alone proves it, before any word is tried.
        const GridCheck check = CheckGrid(g.slots, g.pools);
        EXPECT_TRUE(check.unfillable);
        EXPECT_EQ(Cp1251ToUtf8(DeadSlotsText(g.slots, check.deadSlots)), c.dead);
        Sink sink;
        ASSERT_EQ(RunToEnd(g, sink, 1), FillEnd::Unfillable);
        ASSERT_EQ(sink.reports.size(), 1u) << "nothing placed, no progress, one end";
        EXPECT_EQ(Cp1251ToUtf8(DeadSlotsText(g.slots, sink.reports[0].slots)), c.dead);
    }
}

TEST(Smart, CountingProvesTooFewDistinctTwoLetterWordsAtOnce) {
    // Six two-letter down words hang from an across word; five two-letter words fit each of them.
    Grid g({"***********", "*.*.*.*.*.*"}, {"ааааааааааа", "ад", "аз", "ар", "ас", "ай"});
    ASSERT_EQ(SlotCount(g.slots), 7);
    const GridCheck check = CheckGrid(g.slots, g.pools);
    EXPECT_TRUE(check.unfillable);
    EXPECT_EQ(check.deadSlots, (std::vector<int>{2, 3, 4, 5, 6, 7}));
    for (int s = 2; s <= 7; ++s)
        EXPECT_EQ(check.candidates[s], 5u) << "no slot ran out on its own";
}

TEST(Smart, ConsistencyPassKeepsOnlyCandidatesThatAgree) {
    // Corner: the across word ends where the down word begins.
    // Both take words from one pool: "топ" ends in a letter no word begins with, "рис" begins with
    // a letter no word ends with.
    Grid g({"***", "..*", "..*"}, {"кот", "сом", "топ", "мак", "рис"});
    const GridCheck check = CheckGrid(g.slots, g.pools);
    EXPECT_FALSE(check.unfillable);
    EXPECT_EQ(check.candidates[1], 4u);
    EXPECT_EQ(check.candidates[2], 4u);
}

TEST(Smart, PauseResumeAndStopAtCheckPoints) {
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stop" : "pause and resume");
        Grid g = RandomLattice(1);
        ASSERT_GE(CountFills(g, 1), 1);
        Sink sink;
        FillEngine engine(g.grat, g.slots, g.pools, g.options, sink, 4);
        std::atomic<int> cycles{0};
        sink.hook = [&](const FillReport& r) {
            if (r.kind == FillReportKind::Progress && ++cycles == 2) stop ? engine.Stop() : engine.Pause();
        };
        engine.Start();
        while (cycles < 2 && engine.End() == FillEnd::Running)
            std::this_thread::yield();
        if (stop) {
            ASSERT_EQ(engine.WaitEnd(30s), FillEnd::Stopped);
            EXPECT_EQ(cycles, 2);
            EXPECT_EQ(sink.reports.back().kind, FillReportKind::Stopped);
        } else {
            ASSERT_TRUE(engine.WaitPaused());
            const auto parked = engine.Stats().cycles;
            const auto words = g.Words();
            std::this_thread::sleep_for(20ms);
            EXPECT_EQ(engine.Stats().cycles, parked);
            EXPECT_EQ(g.Words(), words);
            engine.Resume();
            ASSERT_EQ(engine.WaitEnd(30s), FillEnd::Finished);
        }
        ExpectRulesHold(g);
    }
}

TEST(Smart, RuleSwitchedMidRunTakesOverTheGrid) {
    for (auto [from, to] : {std::pair{TFillAlgorithm::Follow, TFillAlgorithm::Smart},
                            std::pair{TFillAlgorithm::Smart, TFillAlgorithm::Follow}}) {
        SCOPED_TRACE(int(from));
        for (std::uint64_t seed : {1u, 3u, 5u}) {
            Grid g = RandomLattice(seed);
            ASSERT_GE(CountFills(g, 1), 1);
            g.options.rule = from;
            Sink sink;
            int cycles = 0;
            sink.hook = [&](const FillReport& r) {
                if (r.kind == FillReportKind::Progress && ++cycles == 3) g.options.rule = to;
            };
            ASSERT_EQ(RunToEnd(g, sink, seed), FillEnd::Finished);
            ExpectRulesHold(g);
        }
    }
}

TEST(Smart, LubySequence) {
    const std::uint64_t expect[] = {1, 1, 2, 1, 1, 2, 4, 1, 1, 2, 1, 1, 2, 4, 8, 1};
    for (std::uint64_t i = 1; i <= std::size(expect); ++i)
        EXPECT_EQ(Luby(i), expect[i - 1]) << i;
}

} // namespace
} // namespace vez
