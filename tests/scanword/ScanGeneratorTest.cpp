#include "scanword/ScanGenerator.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace vez;

namespace {

// Layout from rows of tokens: "0" free letter, "h" in a horizontal word, "v" vertical, "+" both,
// "#" outside, a number: that definition code.
ScanGenerator FromRows(const std::vector<std::string>& rows, ScanOptions opt = {}) {
    std::vector<std::vector<std::string>> tokens;
    for (const auto& r : rows) {
        std::istringstream in(r);
        tokens.emplace_back();
        for (std::string t; in >> t;) tokens.back().push_back(t);
    }
    const int w = static_cast<int>(tokens[0].size()), h = static_cast<int>(tokens.size());
    ExcludedMap ex{};
    ScanGenerator g(w, h, ex, opt, 1);
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) {
            const std::string& t = tokens[y - 1][x - 1];
            std::uint8_t v = t == "0" ? 0 : t == "h" ? 1 : t == "v" ? 2 : t == "+" ? 3 : t == "#" ? 99 : std::stoi(t);
            g.SetCell(x, y, v);
        }
    return g;
}

std::string Row(const std::string& first, const std::string& rest, int count) {
    std::string r = first;
    for (int i = 0; i < count; ++i) r += " " + rest;
    return r;
}

// Every run of two or more letter cells, with the definitions whose word starts there.
struct WordRun {
    int x, y, len;
    bool horiz;
};
std::vector<WordRun> Runs(const TScanLayout& l) {
    std::vector<WordRun> runs;
    for (int y = 1; y <= l.height; ++y)
        for (int x = 1; x <= l.width; ++x) {
            if (!IsScanLetter(l.cells[x][y])) continue;
            for (bool horiz : {true, false}) {
                const int dx = horiz, dy = !horiz;
                if (!IsScanBoundary(l.cells[x - dx][y - dy])) continue;
                int len = 0;
                while (IsScanLetter(l.cells[x + dx * len][y + dy * len])) ++len;
                if (len >= 2) runs.push_back({x, y, len, horiz});
            }
        }
    return runs;
}

} // namespace

TEST(ScanValidate, EachRuleReportsItsCodeAndCell) {
    ScanOptions noShort;
    noShort.shortCheck = false;
    ScanOptions zeroShort;
    zeroShort.maxShort[2] = zeroShort.maxShort[3] = 0;
    const std::string wall4 = "# # # #", wall5 = "# # # # #";
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        ScanOptions opt;
        int error, x, y;
    } cases[] = {
        {"uncovered across", {"14 0 0 #", wall4, wall4, wall4}, noShort, kScanUncoveredH, 2, 1},
        {"uncovered down", {"26 # # #", "0 # # #", "0 # # #", wall4}, noShort, kScanUncoveredV, 1, 2},
        {"across too long", {Row("14", "h", 17), Row("#", "#", 17), Row("#", "#", 17), Row("#", "#", 17)}, noShort,
         kScanLongH, 2, 1},
        {"two-letter across over the limit", {"14 h h #", wall4, wall4, wall4}, zeroShort, kScanShortH2, 2, 1},
        {"two-letter down over the limit", {"26 # # #", "v # # #", "v # # #", wall4}, zeroShort, kScanShortV2, 1, 2},
        {"three-letter across over the limit", {"14 h h h", wall4, wall4, wall4}, zeroShort, kScanShortH3, 2, 1},
        {"across crossed less than twice", {"14 h h h h", wall5, wall5, wall5, wall5}, noShort, kScanUncrossedH, 2, 1},
        {"down crossed less than twice", {"26 # # # #", "v # # # #", "v # # # #", "v # # # #", "v # # # #"},
         noShort, kScanUncrossedV, 1, 2},
        {"3x3 letters", {"+ + + #", "+ + + #", "+ + + #", wall4}, noShort, kScanSquare, 2, 2},
        {"three standard down definitions in a row", {"26 26 26 #", wall4, wall4, wall4}, noShort, kScanStackedV, 2, 1},
        {"three standard across definitions in a column", {"14 # # #", "14 # # #", "14 # # #", wall4}, noShort,
         kScanStackedH, 1, 2},
        {"letter before a bent word", {"# 16 # #", "h h h #", wall4, wall4}, noShort, kScanBeforeIsLetter, 2, 1},
    };
    for (auto& c : cases) {
        ScanGenerator g = FromRows(c.rows, c.opt);
        ScanCheck r = g.Validate(1);
        EXPECT_EQ(r.error, c.error) << c.name;
        EXPECT_EQ(r.x, c.x) << c.name;
        EXPECT_EQ(r.y, c.y) << c.name;
    }
}

TEST(ScanValidate, CountsWordsAndDefinitionsOfBlockOne) {
    ScanOptions noShort;
    noShort.shortCheck = false;
    ScanGenerator g = FromRows({"# 26 #", "14 + h", "# v #"}, noShort);
    EXPECT_EQ(g.Validate(1).error, kScanOk);
    EXPECT_EQ(g.counts().words, 2);
    EXPECT_EQ(g.counts().horizontal, 1);
    EXPECT_EQ(g.counts().byLength[2], 2);
}

TEST(ScanConnectivity, IslandFailsAtItsCell) {
    ScanGenerator g = FromRows({"0 0 # #", "# # # #", "# # 0 0", "# # 0 0"});
    ScanCheck r = g.CheckConnected(1);
    EXPECT_EQ(r.error, kScanDisconnected);
    EXPECT_EQ(r.x, 1);
    EXPECT_EQ(r.y, 1);
    ScanGenerator bottomEmpty = FromRows({"0 0 # #", "0 0 # #", "# # # #", "# # # #"});
    EXPECT_EQ(bottomEmpty.CheckConnected(1).error, kScanDisconnected);
}

TEST(ScanPlacement, CandidatesInOrderAndRemovalRestores) {
    ExcludedMap ex{};
    ScanGenerator g(15, 10, ex, {}, 1);
    ASSERT_TRUE(g.PlaceDefinition(1, 1, 3)); // 23 leads outside; 24 fits below the frame
    EXPECT_EQ(g.layout().cells[1][1], 24);
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(g.layout().cells[2][y], 2);
    EXPECT_EQ(g.layout().cells[2][4], 0);
    ASSERT_TRUE(g.PlaceDefinition(5, 5, 3)); // in the open only the standard codes fit
    EXPECT_EQ(g.layout().cells[5][5], 14);
    g.RemoveDefinition(1, 1);
    EXPECT_EQ(g.layout().cells[1][1], 0);
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(g.layout().cells[2][y], 0);
    // A cell boxed in by the frame and its own word's cells cannot take any definition.
    ScanGenerator boxed = FromRows({"0 h #", "# # #"});
    EXPECT_FALSE(boxed.PlaceDefinition(1, 1, 2));
}

// The placement and removal work on bit masks; this reads the same rules cell by cell and compares
// the two on random layouts (random codes, so every neighbourhood turns up, consistent or not).
namespace reference {
struct Candidate {
    std::uint8_t code;
    int sx, sy;
    bool horiz;
};
constexpr Candidate kOrder[] = {
    {23, 1, -1, false}, {24, 1, 0, false}, {16, 0, 1, true},  {17, -1, 1, true}, {12, 0, -1, true},
    {21, -1, -1, false}, {11, -1, -1, true}, {28, -1, 0, false}, {14, 1, 0, true}, {26, 0, 1, false},
    {13, 1, -1, true},  {15, 1, 1, true},   {25, 1, 1, false}, {27, -1, 1, false},
};

bool FreeIn(std::uint8_t c, bool horiz) { return c <= 3 && !(c & (horiz ? 1 : 2)); }

// The code a definition placed at (x, y) with a word of n letters gets, 0 when none fits.
std::uint8_t Place(const ScanCells& c, int x, int y, int n, bool permit) {
    for (int i = 0; i < (permit ? 14 : 10); ++i) {
        const Candidate& k = kOrder[i];
        const int sx = x + k.sx, sy = y + k.sy, dx = k.horiz ? 1 : 0, dy = k.horiz ? 0 : 1;
        if (k.code != 14 && k.code != 26) {
            const std::uint8_t before = c[sx - dx][sy - dy];
            if (before <= 10 || before == (k.horiz ? 14 : 26)) continue;
        }
        bool fits = true;
        for (int j = 0; j < n && fits; ++j) {
            const int px = sx + j * dx, py = sy + j * dy;
            fits = px < kGratSize && py < kGratSize && FreeIn(c[px][py], k.horiz);
        }
        if (fits) return k.code;
    }
    return 0;
}
} // namespace reference

TEST(ScanPlacement, BitMasksAgreeWithTheCellRules) {
    std::mt19937 rng(7);
    // Mostly free letters, so that long words fit often enough.
    const std::uint8_t codes[] = {1, 2, 3, 11, 12, 13, 14, 14, 15, 16, 17, 21, 23, 24, 25, 26, 26, 27, 28, 99};
    int placed = 0, refused = 0;
    for (int round = 0; round < 60; ++round) {
        const bool permit = round % 2;
        const int w = 4 + static_cast<int>(rng() % 37), h = 4 + static_cast<int>(rng() % 10);
        TScanLayout l;
        l.width = w;
        l.height = h;
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y) l.cells[x][y] = rng() % 10 < 8 ? 0 : codes[rng() % std::size(codes)];
        ScanOptions opt;
        opt.permitArrows = permit;
        ExcludedMap ex{};
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y) {
                if (l.cells[x][y] != 0) continue;
                const int n = 2 + static_cast<int>(rng() % 9);
                ScanGenerator g(w, h, ex, opt, 1);
                g.SetLayout(l);
                const std::uint8_t want = reference::Place(l.cells, x, y, n, permit);
                ASSERT_EQ(g.PlaceDefinition(x, y, n), want != 0) << x << "," << y << " n=" << n;
                ASSERT_EQ(g.layout().cells[x][y], want) << x << "," << y << " n=" << n;
                if (!want) {
                    ++refused;
                    continue;
                }
                ++placed;
                // The word's n cells got the bit of its direction; removing the definition takes the
                // bit off its whole run and leaves a letter cell in no word.
                const CellPos s = ScanFirstLetter(want, x, y), d = ScanWordStep(want);
                const std::uint8_t bit = d.x ? 1 : 2;
                for (int j = 0; j < n; ++j) ASSERT_TRUE(g.layout().cells[s.x + j * d.x][s.y + j * d.y] & bit);
                TScanLayout expected = g.layout();
                for (int px = s.x, py = s.y; expected.cells[px][py] <= 10; px += d.x, py += d.y)
                    expected.cells[px][py] &= static_cast<std::uint8_t>(~bit);
                expected.cells[x][y] = 0;
                g.RemoveDefinition(x, y);
                ASSERT_EQ(g.layout().cells, expected.cells);
                // The masks were kept right: the same placement succeeds again.
                ASSERT_TRUE(g.PlaceDefinition(x, y, n));
                ASSERT_EQ(g.layout().cells[x][y], want);
            }
    }
    EXPECT_GT(placed, 1000);
    EXPECT_GT(refused, 1000);
}

TEST(ScanExchange, OneRuleOfEachGroup) {
    struct Case {
        bool permit;
        int ax, ay, x, px, py, partner, newX, newPartner;
    } cases[] = {
        {false, 3, 2, 16, 2, 3, 24, 26, 14}, // first group
        {true, 3, 2, 24, 3, 3, 13, 14, 23},  // second group
        {false, 3, 2, 24, 3, 3, 13, 24, 13}, // second group only with nonstandard arrows
    };
    for (const auto& c : cases) {
        ScanOptions opt;
        opt.permitArrows = c.permit;
        ExcludedMap ex{};
        ScanGenerator g(6, 6, ex, opt, 1);
        g.SetCell(c.ax, c.ay, static_cast<std::uint8_t>(c.x));
        g.SetCell(c.px, c.py, static_cast<std::uint8_t>(c.partner));
        g.ApplyExchangeRules();
        EXPECT_EQ(g.layout().cells[c.ax][c.ay], c.newX) << c.x << "/" << c.partner;
        EXPECT_EQ(g.layout().cells[c.px][c.py], c.newPartner) << c.x << "/" << c.partner;
    }
}

// What a finished layout guarantees, over many seeds. The generation has no pass limit and a long
// tail (a few seeds in a hundred need millions of passes), so each seed gets a budget and nearly all
// must finish within it.
TEST(ScanGeneration, SeededLayoutsKeepTheirGuarantees) {
    int started = 0, finished = 0;
    struct Size {
        int w, h, area;
        bool shortCheck, permit;
        int seeds;
    } sizes[] = {{15, 10, 7, false, false, 80}, {15, 10, 5, false, true, 60}, {9, 7, 7, true, false, 40},
                 {12, 10, 5, false, false, 20}};
    for (const auto& sz : sizes)
        for (int seed = 1; seed <= sz.seeds; ++seed) {
            ScanOptions opt;
            opt.area = sz.area;
            opt.shortCheck = sz.shortCheck;
            opt.permitArrows = sz.permit;
            ExcludedMap ex{};
            ex[sz.w / 2][sz.h / 2] = 1;
            ScanGenerator g(sz.w, sz.h, ex, opt, static_cast<std::uint64_t>(seed));
            std::uint64_t budget = 1'000'000;
            ++started;
            if (!g.Run([&] { return budget-- > 0; })) continue;
            ++finished;
            SCOPED_TRACE(std::to_string(sz.w) + "x" + std::to_string(sz.h) + " seed " + std::to_string(seed));
            ScanGenerator check = g;
            check.SetLayout(g.acceptedLayout());
            ASSERT_EQ(check.Validate(1).error, kScanOk);
            ASSERT_EQ(check.CheckConnected(1).error, kScanOk);

            const TScanLayout& l = g.layout();
            EXPECT_EQ(l.cells[sz.w / 2][sz.h / 2], kScanOutside);
            // Every word has exactly one definition pointing at its first letter in its direction.
            std::map<std::tuple<int, int, bool>, int> defs;
            for (int y = 1; y <= l.height; ++y)
                for (int x = 1; x <= l.width; ++x)
                    if (IsScanDefinition(l.cells[x][y])) {
                        CellPos s = ScanFirstLetter(l.cells[x][y], x, y);
                        ++defs[{s.x, s.y, l.cells[x][y] < 20}];
                    }
            std::array<int, 17> byLen{};
            std::vector<std::vector<bool>> inWord(l.width + 2, std::vector<bool>(l.height + 2));
            auto runs = Runs(l);
            for (const WordRun& r : runs) {
                EXPECT_EQ((defs[{r.x, r.y, r.horiz}]), 1) << r.x << "," << r.y;
                EXPECT_LE(r.len, 16);
                ++byLen[r.len];
                for (int k = 0; k < r.len; ++k) inWord[r.x + k * r.horiz][r.y + k * !r.horiz] = true;
            }
            EXPECT_EQ(defs.size(), runs.size());
            for (int y = 1; y <= l.height; ++y)
                for (int x = 1; x <= l.width; ++x)
                    if (IsScanLetter(l.cells[x][y])) {
                        EXPECT_TRUE(inWord[x][y]) << x << "," << y;
                    }
            if (sz.shortCheck) {
                for (int n = 2; n <= 4; ++n) EXPECT_LE(byLen[n], opt.maxShort[n]);
            }
            EXPECT_EQ(g.counts().words, static_cast<int>(runs.size()));
        }
    EXPECT_GE(finished * 10, started * 9) << finished << " of " << started << " layouts finished";
}

TEST(ScanGeneration, EveryCellExcludedEndsAtOnce) {
    ExcludedMap ex{};
    for (int x = 1; x <= 6; ++x)
        for (int y = 1; y <= 5; ++y) ex[x][y] = 1;
    ScanGenerator g(6, 5, ex, {}, 7);
    int passes = 0;
    EXPECT_TRUE(g.Run([&] { return ++passes < 1000; }));
}
