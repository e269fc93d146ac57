// What every accepted generated grid must satisfy, checked over many seeds, sizes and symmetry modes.
#include "grids/AutoGrid.h"
#include "grids/AutoGridShapes.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vez;
using vez::test::RowsOf;

namespace {

// A generation that needs more ticks than this (hundreds of trials) counts as not finishing.
constexpr long kTickBudget = 5'000'000;

std::string Drawing(const TGratShape& s) {
    std::string out;
    for (const auto& row : RowsOf(s))
        out += row + "\n";
    return out;
}

// Every broken guarantee of a finished shape, in words; empty when the shape is sound.
std::vector<std::string> Faults(const TGratShape& s, int symmetry, int width, int height) {
    std::vector<std::string> faults;
    auto fault = [&](std::string what, int x, int y) {
        std::ostringstream o;
        o << what << " at (" << x << ", " << y << ")";
        faults.push_back(o.str());
    };
    const auto& a = s.letter;
    if (s.width != width || s.height != height) fault("size changed", s.width, s.height);
    for (int x = 0; x < kGratSize; ++x)
        for (int y = 0; y < kGratSize; ++y)
            if (a[x][y] && (x < 1 || x > width || y < 1 || y > height))
                fault("letter outside the grid", x, y);

    for (int x = 1; x <= width; ++x)
        for (int y = 1; y <= height; ++y) {
            if (!a[x][y]) continue;
            if (!a[x - 1][y] && !a[x + 1][y] && !a[x][y - 1] && !a[x][y + 1]) fault("isolated square", x, y);
            const int mx = width + 1 - x, my = height + 1 - y;
            const bool mirrorX = symmetry == 1 || symmetry == 3, mirrorY = symmetry == 1 || symmetry == 2;
            if ((mirrorX && !a[mx][y]) || (mirrorY && !a[x][my]) || (mirrorX && mirrorY && !a[mx][my]))
                fault("mirror image missing", x, y);
        }

    // Runs along rows (dx = 1) and columns (dy = 1): length and crossings.
    for (int across = 0; across < 2; ++across) {
        const int lines = across ? height : width, along = across ? width : height;
        for (int line = 1; line <= lines; ++line) {
            int run = 0, crossed = 0;
            for (int k = 1; k <= along + 1; ++k) {
                const int x = across ? k : line, y = across ? line : k;
                if (k <= along && a[x][y]) {
                    ++run;
                    crossed += across ? (a[x][y - 1] || a[x][y + 1]) : (a[x - 1][y] || a[x + 1][y]);
                    continue;
                }
                const int sx = across ? k - run : line, sy = across ? line : k - run;
                if (run > kMaxWordLen) fault("run longer than 16", sx, sy);
                if (run >= 2 && crossed < 2) fault("word crossed fewer than twice", sx, sy);
                run = crossed = 0;
            }
        }
    }

    auto rowEmpty = [&](int y) {
        for (int x = 1; x <= width; ++x)
            if (a[x][y]) return false;
        return true;
    };
    auto columnEmpty = [&](int x) {
        for (int y = 1; y <= height; ++y)
            if (a[x][y]) return false;
        return true;
    };
    for (int y : {1, height, (height + 1) / 2})
        if (rowEmpty(y)) fault("empty row", 0, y);
    for (int x : {1, width, (width + 1) / 2})
        if (columnEmpty(x)) fault("empty column", x, 0);
    return faults;
}

struct Case {
    int width, height, symmetry;
    std::uint64_t seed;
};

void ExpectSoundGrid(const Case& c) {
    TGratShape shape;
    shape.width = c.width;
    shape.height = c.height;
    long ticks = 0;
    AutoGridResult r = GenerateAutoGrid(shape, c.symmetry, c.seed, [&] { return ++ticks < kTickBudget; });
    const std::string where = std::to_string(c.width) + " x " + std::to_string(c.height) + ", symmetry " +
                              std::to_string(c.symmetry) + ", seed " + std::to_string(c.seed);
    ASSERT_EQ(r.status, AutoGridStatus::Accepted)
        << where << ": no accepted grid after " << r.trials << " trials";
    const auto faults = Faults(shape, c.symmetry, c.width, c.height);
    EXPECT_TRUE(faults.empty()) << where << ": " << faults.front() << "\n" << Drawing(shape);
}

} // namespace

TEST(AutoGridProperties, AcceptedGridsKeepEveryGuaranteeOverSeedsSizesAndModes) {
    // 200 seeds spread over all sizes 7 … 25 in both directions and the four modes.
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        const int n = static_cast<int>(seed);
        ExpectSoundGrid({7 + n % 19, 7 + (n * 7 + n / 19) % 19, 1 + n % 4, seed});
    }
}

TEST(AutoGridProperties, LargeFlatAndNarrowGridsFinishSoundly) {
    // The largest grids (where mirrored words join into runs longer than 16), and shapes whose
    // placement could not reach all sides: even heights without a top-bottom mirror, wide flat and
    // tall narrow grids.
    const Case cases[] = {
        {40, 40, 1, 1},  {40, 40, 2, 2}, {40, 40, 3, 3}, {40, 40, 4, 4},  {39, 39, 1, 5},
        {40, 7, 2, 6},   {40, 10, 2, 7}, {31, 8, 2, 8},  {40, 7, 4, 9},   {40, 10, 1, 10},
        {10, 10, 3, 11}, {8, 40, 3, 12}, {7, 40, 3, 13}, {16, 16, 4, 14}, {7, 40, 4, 15},
        {40, 8, 3, 16},  {8, 8, 4, 17},  {7, 8, 1, 18},  {8, 7, 2, 19},   {7, 7, 4, 20},
    };
    for (const Case& c : cases)
        for (std::uint64_t k = 0; k < 5; ++k)
            ExpectSoundGrid({c.width, c.height, c.symmetry, c.seed * 100 + k});
}

TEST(AutoGridProperties, ASeedReproducesItsGrid) {
    TGratShape a, b;
    a.width = b.width = 21;
    a.height = b.height = 17;
    GenerateAutoGrid(a, 2, 77);
    GenerateAutoGrid(b, 2, 77);
    EXPECT_EQ(RowsOf(a), RowsOf(b));
}

TEST(AutoGridProperties, SizesBelowSevenAreRefusedWithTheMessageAndLeftUntouched) {
    for (auto [w, h] : {std::pair{6, 15}, {15, 6}, {6, 6}, {2, 40}}) {
        TGratShape shape;
        shape.width = w;
        shape.height = h;
        shape.letter[1][1] = true;
        int ticks = 0;
        AutoGridResult r = GenerateAutoGrid(shape, 1, 1, [&] { return ++ticks > 0; });
        EXPECT_EQ(r.status, AutoGridStatus::Refused) << w << " x " << h;
        EXPECT_EQ(ticks, 0);
        EXPECT_TRUE(shape.letter[1][1]);
        ASSERT_TRUE(r.refusal.has_value());

        vez::test::FakeDialogs dialogs;
        dialogs.ExpectMsg("Решетка размером меньше\r7 рисуется вручную !", " Авторешетка", kBtnCancel,
                          kBtnCancel, kIconInfo, kBtnCancel);
        dialogs.ShowMsgBox(*r.refusal);
        EXPECT_TRUE(dialogs.AllConsumed());
    }
    EXPECT_FALSE(AutoGridSizeRefusal(7, 7).has_value());
}

TEST(AutoGridProperties, AStopRequestedByTheTickEndsWithAnEmptyGrid) {
    auto generate = [](long stopAt, long& ticks) {
        TGratShape shape;
        shape.width = shape.height = 15;
        ticks = 0;
        AutoGridResult r = GenerateAutoGrid(shape, 1, 3, [&] { return ++ticks < stopAt; });
        return std::pair{r.status, FillPercent(shape)};
    };
    long all = 0;
    ASSERT_EQ(generate(kTickBudget, all).first, AutoGridStatus::Accepted);
    // The first tick is in the placement loop; the last one follows the final clean-up pass.
    for (long stopAt : {1L, all / 2, all}) {
        long ticks = 0;
        EXPECT_EQ(generate(stopAt, ticks), std::pair(AutoGridStatus::Stopped, 0))
            << "stop at tick " << stopAt;
        EXPECT_EQ(ticks, stopAt) << "the generator went on after the stop";
    }
}

TEST(AutoGridProperties, FillCountsEachLetterSquareOnceTruncated) {
    TGratShape s;
    s.width = s.height = 7;
    EXPECT_EQ(Cp1251ToUtf8(AutoGridFillText(s)), "Заполнение 0%");
    for (int k = 0; k < 25; ++k)
        s.letter[1 + k % 7][1 + k / 7] = true;
    s.letter[40][40] = true;                                        // outside the 7 x 7 grid: not counted
    EXPECT_EQ(Cp1251ToUtf8(AutoGridFillText(s)), "Заполнение 51%"); // 2500 / 49 = 51.02
}
