#include "model/Grat.h"

#include <gtest/gtest.h>

using namespace vez;

namespace {
TGrat Grid(std::vector<std::string> rows) {
    return GratFromCells(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), rows);
}
} // namespace

TEST(FindSlots, TwoByTwoNumbersDownSlotsBeforeTheSecondAcross) {
    auto t = FindSlots(Grid({"**", "**"}));
    ASSERT_EQ(SlotCount(t), 4);
    const char dirs[] = {'H', 'V', 'V', 'H'};
    const int ys[] = {1, 1, 1, 2}, xs[] = {1, 1, 2, 1};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(t[n].dir, dirs[n - 1]);
        EXPECT_EQ(t[n].x, xs[n - 1]);
        EXPECT_EQ(t[n].y, ys[n - 1]);
        EXPECT_EQ(t[n].number, n);
    }
}

TEST(FindSlots, PlusShapeCrossesInTheMiddle) {
    TGrat g = Grid({".*.", "***", ".*."});
    auto t = FindSlots(g);
    ASSERT_TRUE(BuildCrossings(g, t));
    ASSERT_EQ(SlotCount(t), 2);
    EXPECT_EQ(t[1].dir, 'V');
    EXPECT_EQ(t[2].dir, 'H');
    EXPECT_EQ(t[1].pattern, "010");
    EXPECT_EQ(t[2].pattern, "010");
    EXPECT_EQ(t[1].cross[2], 2);
    EXPECT_EQ(t[2].cross[2], 1);
    EXPECT_EQ(t[2].cross[1], 0);
}

TEST(FindSlots, UncrossedRunLoneCellAndNoSlots) {
    auto t = FindSlots(Grid({"***", "...", "*.*"}));
    ASSERT_EQ(SlotCount(t), 1);
    EXPECT_EQ(t[1].pattern, "000");
    EXPECT_EQ(t[1].crossCount, 0);
    EXPECT_EQ(SlotCount(FindSlots(Grid({"*.*", ".*.", "*.*"}))), 0);
}

TEST(BuildCrossings, SixteenIsFineSeventeenthCrossedFails) {
    std::string row16(16, '*'), row17(17, '*');
    TGrat ok = Grid({row16 + ".", std::string(15, '.') + "*."});
    auto t = FindSlots(ok);
    EXPECT_TRUE(BuildCrossings(ok, t));
    TGrat bad = Grid({row17, std::string(16, '.') + "*"});
    auto t2 = FindSlots(bad);
    EXPECT_FALSE(BuildCrossings(bad, t2));
    // A 17-run whose crossed letters all lie within the first 16 builds; the engine refuses it later.
    TGrat uncrossed = Grid({row17, "*" + std::string(16, '.')});
    auto t3 = FindSlots(uncrossed);
    EXPECT_TRUE(BuildCrossings(uncrossed, t3));
}

TEST(MarkOutside, EnclosedSquaresStayBlocked) {
    TGrat g = Grid({"..***", "***.*", "*.***", "*****"});
    MarkOutside(g);
    EXPECT_EQ(g.at(1, 1), ' ');
    EXPECT_EQ(g.at(2, 1), ' ');
    EXPECT_EQ(g.at(4, 2), '.'); // enclosed by letters
    EXPECT_EQ(g.at(2, 3), '.');
    EXPECT_EQ(g.at(3, 1), '*');
}

TEST(MarkOutside, BlockedChainReachingTheBorderBecomesOutside) {
    TGrat g = Grid({"*****", "*..**", "**.**", "**.**", "*****"});
    g.at(3, 5) = '.'; // the chain now touches the bottom row
    MarkOutside(g);
    for (auto [x, y] : {std::pair{3, 5}, {3, 4}, {3, 3}, {3, 2}, {2, 2}}) EXPECT_EQ(g.at(x, y), ' ') << x << "," << y;
}
