#include "compose/FillTypes.h"
#include "compose/WordPool.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vez {
namespace {

SlotTable SlotsOf(std::vector<std::string> rows) {
    TGrat g = GratFromCells(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), rows);
    SlotTable t = FindSlots(g);
    BuildCrossings(g, t);
    return t;
}

std::vector<std::string> Words(const TWordPool& p, int len) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < p.Count(len); ++i) out.push_back(Cp1251ToUtf8(p.Word(len, i)));
    return out;
}

std::string Entries(std::initializer_list<const char*> lines, const char* eol = "\r\n") {
    std::string s;
    for (const char* l : lines) s += ru(l) + eol;
    return s;
}

TEST(BuildPools, KeepsFirstOccurrenceInFileOrderForSlotLengthsOnly) {
    test::TempHome home;
    // Across slots of 3 and 5 letters, no slot of 4.
    SlotTable slots = SlotsOf({"***.*****"});
    home.Write("DICT/dict.3", Entries({"кот", "зверь", "сом", "рыба", "кот", "другой кот", "ёж", "короткое",
                                       "ёжь", "слово", "сом", "рыба", "жук", "ж"},
                                      "\n")); // bare LF lines
    home.Write("DICT/dict.5", Entries({"школа", "здание", "лампа", "свет"}));
    // dict.4 does not exist: no slot needs it.
    std::vector<int> lengths;
    PoolsResult r = BuildPools(home.path(), slots, [&](int len) { lengths.push_back(len); });
    ASSERT_TRUE(r.ok()) << Cp1251ToUtf8(r.error);
    // Word lines of another length ("ёж") are left out; the definitions never become words.
    EXPECT_EQ(Words(r.pools, 3), (std::vector<std::string>{"кот", "сом", "ёжь", "жук"}));
    EXPECT_EQ(Words(r.pools, 5), (std::vector<std::string>{"школа", "лампа"}));
    EXPECT_EQ(r.pools.Count(4), 0u);
    EXPECT_EQ(lengths, (std::vector<int>{3, 5}));
}

TEST(BuildPools, UnreadableOrBrokenFileNamesTheLength) {
    struct Case {
        const char* name;
        std::string dict5; // empty: no file
    } cases[] = {
        {"missing file", ""},
        {"one-letter word line", Entries({"школа", "здание", "я", "буква"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        home.Write("DICT/dict.3", Entries({"кот", "зверь"}));
        if (!c.dict5.empty()) home.Write("DICT/dict.5", c.dict5);
        PoolsResult r = BuildPools(home.path(), SlotsOf({"***.*****"}));
        EXPECT_EQ(Cp1251ToUtf8(r.error), "Ошибка доступа к файлу\r\nсловаря \"Dict.5\" !");
    }
}

TEST(FillReportQueue, MergesOnlyConsecutiveProgress) {
    FillReportQueue q;
    auto progress = [](int p) {
        FillReport r;
        r.percent = p;
        return r;
    };
    FillReport letter;
    letter.kind = FillReportKind::LetterPlaced;
    q.Report(progress(1));
    q.Report(progress(2));
    q.Report(letter);
    q.Report(progress(3));
    auto got = q.Drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].percent, 2);
    EXPECT_EQ(got[1].kind, FillReportKind::LetterPlaced);
    EXPECT_EQ(got[2].percent, 3);
    EXPECT_TRUE(q.Drain().empty());
}

} // namespace
} // namespace vez
