#include "compose/FillSearch.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <set>

namespace vez {
namespace {

struct NullSink : FillReportSink {
    void Report(const FillReport&) override {}
};

// Slot 1 runs across the top and is crossed at its letters 1, 3 and 5 by the down slots 2, 3, 4.
struct Comb {
    TGrat grat = GratFromCells(5, 3, {"*****", "*.*.*", "*.*.*"});
    SlotTable slots = FindSlots(grat);
    TWordPool pools;
    FillOptions options;
    NullSink sink;
    FillRandom rnd{1};
    Comb() {
        BuildCrossings(grat, slots);
        pools.Add(5, ru("абвгд"));
        pools.Add(3, ru("ара"));
    }
};

TEST(SlotSelection, RulesAndDirections) {
    using R = TFillAlgorithm;
    struct Case {
        const char* name;
        R rule;
        bool backward;
        bool acrossFilled; // slot 1 holds a word
        int current;       // slot of the last cycle
        int expect;
    } cases[] = {
        {"follow, empty grid", R::Follow, false, false, 1, 1},
        {"follow, empty grid, backward", R::Follow, true, false, 1, 4},
        // From a filled word, forward takes the crossing of its last letter, backward of its first.
        {"follow grows from the filled word", R::Follow, false, true, 1, 4},
        {"follow grows from the filled word, backward", R::Follow, true, true, 1, 2},
        {"empty", R::Empty, false, true, 1, 2},
        {"empty, backward", R::Empty, true, false, 1, 4},
        {"max takes the most crossed", R::Max, true, false, 1, 1},
        {"max tie goes to the first in scan order", R::Max, false, true, 1, 2},
        {"max tie, backward", R::Max, true, true, 1, 4},
        {"zigzag from the filled last slot", R::Zigzag, false, true, 1, 4},
        {"zigzag from the filled last slot, backward", R::Zigzag, true, true, 1, 2},
        {"zigzag after an empty slot", R::Zigzag, false, true, 3, 2},
        {"zigzag after an empty slot, backward", R::Zigzag, true, false, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Comb g;
        FillContext ctx(g.grat, g.slots, g.pools, g.options, g.sink, g.rnd, [] { return true; });
        if (c.acrossFilled) ctx.Place(1, 0);
        ctx.current = c.current;
        EXPECT_EQ(LocalSearch::ChooseSlot(ctx, c.rule, c.backward), c.expect);
    }
}

TEST(SlotSelection, RandomDrawsOnlyUnfilledSlots) {
    Comb g;
    FillContext ctx(g.grat, g.slots, g.pools, g.options, g.sink, g.rnd, [] { return true; });
    ctx.Place(1, 0);
    ctx.Place(3, 0);
    std::set<int> drawn;
    for (int i = 0; i < 200; ++i) drawn.insert(LocalSearch::ChooseSlot(ctx, TFillAlgorithm::Random, false));
    EXPECT_EQ(drawn, (std::set<int>{2, 4}));
}

TEST(SlotSelection, EmptyingKeepsLettersOfFilledCrossings) {
    Comb g;
    FillContext ctx(g.grat, g.slots, g.pools, g.options, g.sink, g.rnd, [] { return true; });
    ctx.Place(1, 0); // абвгд
    ctx.Place(2, 0); // ара, down from the same first cell
    ctx.Empty(1);
    // The cell shared with the filled slot 2 keeps its letter; the others are empty again.
    EXPECT_EQ(g.grat.at(1, 1), ru("а")[0]);
    for (int x = 2; x <= 5; ++x) EXPECT_EQ(g.grat.at(x, 1), kEmptyCell) << x;
    EXPECT_EQ(ctx.filled, 1);
    EXPECT_TRUE(g.slots[1].word.empty());
    EXPECT_EQ(Cp1251ToUtf8(g.slots[1].lastWord), "абвгд");
}

} // namespace
} // namespace vez
