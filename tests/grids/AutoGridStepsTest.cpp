// The steps after the placement loop on small drawn shapes: splitting long runs, the clean-up
// passes with their end trimming, and the acceptance test.
#include "grids/AutoGrid.h"
#include "grids/AutoGridShapes.h"

#include <gtest/gtest.h>

using namespace vez;
using vez::test::RowsOf;
using vez::test::ShapeFromRows;
using Rows = std::vector<std::string>;

namespace {

struct StepCase {
    const char* what;
    int symmetry;
    Rows before, after;
};

void CleanUp(TGratShape& s, int symmetry) {
    int passes = 0;
    while (CleanUpPass(s, symmetry))
        ASSERT_LT(++passes, 100);
}

} // namespace

TEST(AutoGridSteps, CleanUpTrimsWeakWordsAndEnds) {
    // clang-format off
    const StepCase cases[] = {
        {"ends: one uncrossed square stays before the first crossing and after the last across, none after "
         "the last down; an end is kept when the square after it has a letter beside it (row 4)",
         kSymmetryNone,
         {".*.*.*...",
          "********.",
          ".*.*.*...",
          "********.",
          ".*.*.*..*",
          "*********",
          ".*.*.*..*",
          "*********",
          ".*.*.*..*"},
         {".*.*.*...",
          "*******..",
          ".*.*.*...",
          "********.",
          ".*.*.*..*",
          "*********",
          ".*.*.*..*",
          "*********",
          "........."}},
        {"a word crossed once keeps its crossing only; the down word it hung from is trimmed in the next "
         "pass; an isolated square goes",
         kSymmetryNone,
         {"..*...*..",
          ".*******.",
          "..*.*.*..",
          ".*******.",
          "....*....",
          "...***...",
          "........*"},
         {"..*...*..",
          ".*******.",
          "..*.*.*..",
          ".*******.",
          ".........",
          ".........",
          "........."}},
        {"without a top-bottom mirror the down words keep their top square",
         kSymmetryNone,
         {".*...*.", "*******", ".*...*.", "*******", ".*...*."},
         {".*...*.", "*******", ".*...*.", "*******", "......."}},
        {"with a top-bottom mirror the bottom trim clears the mirrored top square too",
         kSymmetryHorizontal,
         {".*...*.", "*******", ".*...*.", "*******", ".*...*."},
         {".......", "*******", ".*...*.", "*******", "......."}},
    };
    // clang-format on
    for (const StepCase& c : cases) {
        TGratShape s = ShapeFromRows(c.before);
        CleanUp(s, c.symmetry);
        EXPECT_EQ(RowsOf(s), c.after) << c.what;
    }
}

TEST(AutoGridSteps, LongRunsSplitAtTheLastUncrossedSquareOfTheirFirst17) {
    // clang-format off
    const StepCase cases[] = {
        {"row: squares 15 … 17 are crossed, so square 14 is cleared",
         kSymmetryNone,
         {"..............***...", "********************", "...................."},
         {"..............***...", "*************.******", "...................."}},
        {"row with a left-right mirror: square 14 and its image 7 are cleared",
         kSymmetryVertical,
         {"...***........***...", "********************", "...***........***..."},
         {"...***........***...", "******.******.******", "...***........***..."}},
        {"column: the same along rows",
         kSymmetryNone,
         {".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.",
          "**.", "**.", "**.", ".*.", ".*.", ".*."},
         {".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", ".*.", "...",
          "**.", "**.", "**.", ".*.", ".*.", ".*."}},
        {"a run crossed on all its 17 squares cannot be split",
         kSymmetryNone,
         {"*****************", "*****************"},
         {"*****************", "*****************"}},
        {"runs of 16 stay",
         kSymmetryNone,
         {"****************.****************", "................................."},
         {"****************.****************", "................................."}},
    };
    // clang-format on
    for (const StepCase& c : cases) {
        TGratShape s = ShapeFromRows(c.before);
        SplitLongRuns(s, c.symmetry);
        EXPECT_EQ(RowsOf(s), c.after) << c.what;
    }
}

TEST(AutoGridSteps, AcceptanceNeedsTheSidesTheMiddleLinesAndNoRunOver16) {
    const Rows full(7, "*******");
    auto without = [&](int column, int row) {
        Rows r = full;
        for (int j = 0; j < 7; ++j)
            for (int i = 0; i < 7; ++i)
                if (i + 1 == column || j + 1 == row) r[j][i] = '.';
        return r;
    };
    const struct {
        const char* what;
        Rows rows;
        bool accepted;
    } cases[] = {
        {"all lines hold letters", full, true},
        {"row 1 empty", without(0, 1), false},
        {"row H empty", without(0, 7), false},
        {"middle row empty", without(0, 4), false},
        {"column 1 empty", without(1, 0), false},
        {"column W empty", without(7, 0), false},
        {"middle column empty", without(4, 0), false},
        {"only a non-middle inner line empty", without(3, 5), true},
        {"a run of 17", Rows(7, "*****************"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAcceptedAutoGrid(ShapeFromRows(c.rows)), c.accepted) << c.what;
}

TEST(AutoGridSteps, GenerationAreaPerSymmetryMode) {
    const struct {
        int w, h, symmetry, hw, hh;
    } cases[] = {
        {7, 7, kSymmetryFull, 4, 4},         {15, 16, kSymmetryFull, 8, 8},
        {40, 9, kSymmetryHorizontal, 40, 5}, {9, 40, kSymmetryVertical, 5, 40},
        {12, 13, kSymmetryNone, 12, 13},
    };
    for (const auto& c : cases) {
        AutoGridArea a = GenerationArea(c.w, c.h, c.symmetry);
        EXPECT_EQ(a.width, c.hw) << c.w << " x " << c.h << " symmetry " << c.symmetry;
        EXPECT_EQ(a.height, c.hh) << c.w << " x " << c.h << " symmetry " << c.symmetry;
    }
}
