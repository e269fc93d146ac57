#include "dictionary/DictImport.h"
#include "dictionary/ThesaurusImport.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace vez;

namespace {

// word → its definitions, in UTF-8 for readable failures.
std::map<std::string, std::vector<std::string>> Definitions(const std::vector<TDictEntry>& entries) {
    std::map<std::string, std::vector<std::string>> out;
    for (const auto& e : entries)
        out[Cp1251ToUtf8(e.Word)].push_back(Cp1251ToUtf8(e.Definition));
    return out;
}

const char* const kThesaurus = "\xEF\xBB\xBFUTF-8\n"
                               "абзац|1\n"
                               "(синоним)|отступ\n"
                               "кот|2\n"
                               "(синоним)|котофей|мурлыка|усатый зверь\n"
                               "(антоним)|собака\n"
                               "дом|3\n"
                               "(синоним)|жилище|домишко|хата|изба|кров\n"
                               "(синоним)|хата|хижина\n"
                               "(сходный термин)|строение|дом родной\n"
                               "ёлка|1\n"
                               "(синоним)|ель|Ёлка новогодняя|пихта\n"
                               "ум|1\n"
                               "(синоним)|разум|я\n"
                               "переосмысливание|1\n"
                               "(синоним)|переосмысливаться|пересмотр|США\n"
                               "удирать|1\n"
                               "(синоним)|убегать (прост.)|жид (бранн.)\n"
                               "лук|4\n"
                               "(синоним)|оружие\n"
                               "(синоним)|растение\n"
                               "(синоним)|изгиб\n"
                               "(синоним)|хитрость\n";

} // namespace

TEST(ImportThesaurus, BuildsDefinitionsFromSynonyms) {
    auto th = ParseThesaurus(kThesaurus);
    ASSERT_TRUE(th.Ok()) << th.error;
    auto defs = Definitions(th.entries);
    using D = std::vector<std::string>;
    struct Case {
        const char* word;
        D want;
    } cases[] = {
        {"абзац", {"Отступ"}},
        {"отступ", {"Абзац"}},                       // met only as a synonym: its headword
        {"мурлыка", {"Кот, котофей, усатый зверь"}}, // headword first, then the line's other synonyms
        // "котофей" holds the answer; a phrase may define but never becomes a word.
        {"кот", {"Мурлыка, усатый зверь"}},
        // Never the answer, not even inside a longer synonym or a phrase; lines sharing a synonym are
        // one sense, a line with nothing in common is a second one.
        {"дом", {"Жилище, хата, изба, кров", "Строение"}},
        {"елка", {"Ель, пихта"}}, // ё → е in the word and in the give-away test
        {"ель", {"Ёлка, Ёлка новогодняя, пихта"}},
        {"ум", {"Разум, я"}}, // a two-letter word is only given away by itself
        {"переосмысливание", {"Переосмысливаться, пересмотр, США"}}, // 16 letters: the longest word
        {"убегать", {"Удирать"}},                                    // remarks are dropped
        {"удирать", {"Убегать"}},                                    // abusive synonyms left out
        {"лук", {"Оружие", "Растение", "Изгиб"}},                    // at most three senses
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        ASSERT_TRUE(defs.contains(c.word));
        EXPECT_EQ(defs[c.word], c.want);
    }
    // Antonyms, phrases, one letter, 17 letters, abbreviations, abusive words, words with ё.
    for (const char* absent : {"собака", "усатый", "зверь", "я", "переосмысливаться", "сша", "жид", "ёлка"})
        EXPECT_FALSE(defs.contains(absent)) << absent;
}

TEST(ImportThesaurus, IgnoresListedDamagedSpots) {
    const char* text = "UTF-8\n"
                       "жать|1\n"
                       "(синоним)|об|давить\n"
                       "касаться|1\n"
                       "(синоним)|об|насчет|зки\n"
                       "из|1\n"
                       "(синоним)|весь|полный\n";
    auto skips = ParseThesaurusSkips("# damaged\nзки\nоб|жать\nиз|из\n");
    auto defs = Definitions(ParseThesaurus(text, skips).entries);
    EXPECT_EQ(defs["об"], std::vector<std::string>{"Касаться, насчет"});
    EXPECT_EQ(defs["давить"], std::vector<std::string>{"Жать"});
    EXPECT_FALSE(defs.contains("зки"));
    EXPECT_FALSE(defs.contains("из"));
    EXPECT_FALSE(defs.contains("весь"));
}

TEST(ImportThesaurus, MergesIntoDictOnceKeepingWhatIsThere) {
    test::TempHome home;
    // A user's dictionary: an own definition of "дом", an entry the import brings too, other words.
    const std::string dict3 = ru("дом\r\nЗдание\r\nкот\r\nМой \r\nкот\r\nМурлыка, усатый зверь\r\n");
    home.Write("DICT/dict.3", dict3);
    home.Write("DICT/dict.4", ru("изба\r\nКрестьянский дом\r\n"));
    auto th = home.Write("th.dat", kThesaurus);

    auto first = RunThesaurusImport(home.path(), th);
    ASSERT_EQ(first.exitStatus, 0) << first.error;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n)
        EXPECT_TRUE(fs::exists(DictPath(home.path(), n))) << n;
    EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 3)),
              // New definitions of a known word go before its first entry; new words at the end.
              ru("дом\r\nЖилище, хата, изба, кров\r\nдом\r\nСтроение\r\n") + dict3 +
                  ru("ель\r\nЁлка, Ёлка новогодняя, "
                     "пихта\r\nлук\r\nОружие\r\nлук\r\nРастение\r\nлук\r\nИзгиб\r\n"));
    EXPECT_EQ(first.merge.added[3], 6);
    EXPECT_EQ(first.merge.words[3], 4);
    EXPECT_FALSE(fs::exists(home.path() / "DICT/promt"));

    std::map<int, std::string> before;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n)
        before[n] = *ReadFileBytes(DictPath(home.path(), n));
    auto second = RunThesaurusImport(home.path(), th);
    ASSERT_EQ(second.exitStatus, 0);
    EXPECT_EQ(second.merge.TotalAdded(), 0);
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n)
        EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), n)), before[n]);
}

TEST(ImportThesaurus, BadInputLeavesDictUntouched) {
    struct Case {
        const char* name;
        const char* text; // nullptr: no such file
    } cases[] = {
        {"missing", nullptr},
        {"empty", ""},
        {"no encoding line", "абзац|1\n(синоним)|отступ\n"},
        {"unknown encoding", "KOI8-U\nабзац|1\n(синоним)|отступ\n"},
        {"count is not a number", "UTF-8\nабзац|один\n(синоним)|отступ\n"},
        {"fewer meaning lines than counted", "UTF-8\nабзац|2\n(синоним)|отступ\n"},
        {"more meaning lines than counted", "UTF-8\nкот|1\n(синоним)|котофей\n(синоним)|мурлыка\n"},
        {"not UTF-8", "UTF-8\n\xE0\xE1\xE7\xE0\xF6|1\n(синоним)|отступ\n"},
        {"no entries", "UTF-8\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        const std::string dict3 = ru("кот\r\nЗверь\r\n");
        home.Write("DICT/dict.3", dict3);
        fs::path file = home.path() / "th.dat";
        if (c.text) home.Write("th.dat", c.text);
        auto run = RunThesaurusImport(home.path(), file);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_FALSE(run.error.empty());
        EXPECT_EQ(run.error.find('\n'), std::string::npos);
        EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 3)), dict3);
        EXPECT_FALSE(fs::exists(DictPath(home.path(), 2)));
    }
}

TEST(ImportThesaurus, BrokenDictFileStopsBeforeAnyWrite) {
    test::TempHome home;
    // dict.2 ends with a word whose definition is missing: appending would pair it with our word.
    home.Write("DICT/dict.2", ru("ум\r\nРазум\r\nад"));
    auto th = home.Write("th.dat", kThesaurus);
    auto run = RunThesaurusImport(home.path(), th);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.error.find("dict.2"), std::string::npos);
    EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 2)), ru("ум\r\nРазум\r\nад"));
    EXPECT_FALSE(fs::exists(DictPath(home.path(), 3)));
}
