// Building the default storage: which candidates are kept, where they go, and the fill trial that
// judges them.
#include "grids/AutoGrid.h"
#include "cli/DefaultStore.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;

namespace {

TGratShape Generated(int w, int h, int symmetry, std::uint64_t seed) {
    TGratShape s;
    s.width = w;
    s.height = h;
    EXPECT_EQ(GenerateAutoGrid(s, symmetry, seed).status, AutoGridStatus::Accepted);
    return s;
}

TEST(DefaultStore, KeepsTheFirstPassingCandidateOfEachPlaceAndStoresThemInPlanOrder) {
    const std::vector<DefaultShapePlan> plan = {
        {7, 7, kSymmetryFull, 100}, {8, 7, kSymmetryNone, 200}, {9, 9, kSymmetryHorizontal, 300}};
    // Verdicts in the order of the trials: place 1 passes at its second seed, place 2 never, place 3
    // at once. A failing verdict is one fill short of passing.
    const std::vector<bool> verdicts = {false, true, false, false, false, true};
    std::size_t call = 0;
    std::vector<std::uint64_t> tried;
    DefaultStoreChoice choice = ChooseDefaultShapes(
        plan, 3,
        [&](const TGratShape&) {
            FillTrialResult r;
            r.runs = kFillTrialRuns;
            r.filled = call < verdicts.size() && verdicts[call] ? kFillTrialNeeded : kFillTrialNeeded - 1;
            ++call;
            return r;
        },
        [&](const DefaultStoreShape& c, bool kept) {
            tried.push_back(c.seed);
            EXPECT_EQ(kept, verdicts[tried.size() - 1]) << c.seed;
        });

    EXPECT_EQ(tried, (std::vector<std::uint64_t>{100, 101, 200, 201, 202, 300}));
    ASSERT_EQ(choice.kept.size(), 2u);
    EXPECT_EQ(choice.kept[0].seed, 101u);
    EXPECT_EQ(choice.kept[1].seed, 300u);
    ASSERT_EQ(choice.missed.size(), 1u);
    EXPECT_EQ(choice.missed[0].firstSeed, 200u);
    // A kept shape is exactly what its seed generates, so the storage can be made again.
    EXPECT_EQ(choice.kept[0].shape.letter, Generated(7, 7, kSymmetryFull, 101).letter);
    EXPECT_EQ(choice.kept[1].shape.letter, Generated(9, 9, kSymmetryHorizontal, 300).letter);

    auto store = StoreOfShapes(choice.kept);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->bitsPerPixel, 4);
    for (int k = 0; k < 2; ++k) {
        const TGratShape got = ReadShape(*store, k, 0);
        EXPECT_EQ(got.width, choice.kept[k].shape.width) << k;
        EXPECT_EQ(got.height, choice.kept[k].shape.height) << k;
        EXPECT_EQ(got.letter, choice.kept[k].shape.letter) << k;
    }
    EXPECT_EQ(FreeStoreCells(*store).front(), 2);
    EXPECT_FALSE(StoreOfShapes(std::vector<DefaultStoreShape>(kStoreCellCount + 1)));
}

TEST(DefaultStore, FillTrialCountsFillsAndStopsOnceItCannotPass) {
    test::TempHome home;
    // йод/дом fill the corner; the two parallel words below share one word and the repeat rule
    // forbids it twice, so that grid runs until the time limit.
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        double limit;
        int runs, filled;
    } cases[] = {
        {"fills every run", {"***", "..*", "..*"}, 5.0, kFillTrialRuns, kFillTrialRuns},
        {"never fills: stops after the second failure",
         {"***", "...", "***"},
         0.05,
         kFillTrialRuns - kFillTrialNeeded + 1,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        home.Write("DICT/dict.3", ru(c.filled ? "йод\nэлемент\nдом\nздание\n" : "кот\nзверь\n"));
        auto shape = ShapeFromRows(c.rows);
        ASSERT_TRUE(shape);
        const TGrat grat = GratFromShape(*shape);
        PoolsResult pools = BuildPools(home.path(), FindSlots(grat));
        ASSERT_TRUE(pools.ok());
        const double limit = c.limit;
        FillTrialResult r = RunFillTrial(*shape, pools.pools, TFillAlgorithm::Follow, kFillTrialRuns,
                                         kFillTrialNeeded, limit);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.runs, c.runs);
        EXPECT_EQ(r.filled, c.filled);
        EXPECT_EQ(PassesFillTrial(r), c.filled >= kFillTrialNeeded);
        if (c.filled)
            EXPECT_LT(r.medianSeconds, limit);
        else
            EXPECT_DOUBLE_EQ(r.medianSeconds, limit);
    }
}

} // namespace
