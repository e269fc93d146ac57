// Checks the bundled supplement of short puzzle words (resources/words/short.tsv): its line format,
// that no definition gives its word away, and that every word is a real Russian word.
#include "dictionary/DictFile.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

namespace vez {
namespace {

const fs::path kWords = fs::path(VEZDAR_SOURCE_DIR) / "resources" / "words";
const fs::path kHunspellDic = "/usr/share/hunspell/ru_RU.dic";

// Lower case with ё folded into е: the form in which puzzle words are compared.
std::string Fold(std::string_view cp1251) {
    std::string s = LowerCase(cp1251);
    std::replace(s.begin(), s.end(), static_cast<char>(kLowerYo), static_cast<char>(0xE5));
    return s;
}

std::vector<std::string> Utf8Lines(const fs::path& p) {
    auto bytes = ReadFileBytes(p);
    EXPECT_TRUE(bytes) << "cannot read " << p;
    std::vector<std::string> lines;
    if (bytes) ForEachLine(*bytes, [&](std::string_view l) { lines.emplace_back(l); });
    return lines;
}

// Words of a text: runs of Russian letters, folded.
std::vector<std::string> Tokens(std::string_view cp1251) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : cp1251) {
        if (IsRussianLetter(static_cast<unsigned char>(c))) {
            cur += c;
        } else if (!cur.empty()) {
            out.push_back(Fold(cur));
            cur.clear();
        }
    }
    if (!cur.empty()) out.push_back(Fold(cur));
    return out;
}

// A definition gives the word away when one of its words is the word itself or, for a word of four
// letters or more, begins with the word's first max(3, length-1) letters. That crude stem catches
// the usual give-aways (a case form, "кот" in "котенок" aside, "парус" in "парусный") without a
// morphology; words of two or three letters are matched whole, since their letters begin many
// unrelated words.
bool GivesAway(const std::string& word, const std::string& definition) {
    const size_t stem = word.size() >= 4 ? std::max<size_t>(3, word.size() - 1) : word.size();
    for (const std::string& t : Tokens(definition)) {
        if (t == word) return true;
        if (word.size() >= 4 && t.compare(0, stem, word, 0, stem) == 0) return true;
    }
    return false;
}

TEST(ShortWords, GiveAwayRule) {
    struct Case { const char* word; const char* definition; bool givesAway; };
    const Case cases[] = {
        {"кот", "Домашний мурлыка", false},
        {"кот", "Кот в сапогах", true},
        {"ус", "Волос над губой", false},
        {"парус", "Парусное судно", true},
        {"парус", "Ткань на мачте", false},
        {"елка", "Ёлка в лесу", true},           // ё is folded before comparing
        {"рысь", "Зверь рыси", true},
        {"ил", "Донный осадок", false},          // "ил" inside other words is no give-away
    };
    for (const Case& c : cases)
        EXPECT_EQ(GivesAway(ru(c.word), ru(c.definition)), c.givesAway) << c.word << " / " << c.definition;
}

TEST(ShortWords, LinesAreWellFormedPuzzleEntries) {
    std::set<std::pair<std::string, std::string>> seen;
    int n = 0;
    for (const std::string& line : Utf8Lines(kWords / "short.tsv")) {
        ++n;
        SCOPED_TRACE("line " + std::to_string(n) + ": " + line);
        ASSERT_TRUE(IsValidUtf8(line));
        const size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos);
        const std::string word = Utf8ToCp1251(line.substr(0, tab));
        const std::string definition = Utf8ToCp1251(line.substr(tab + 1));
        EXPECT_EQ(definition.find('\t'), std::string::npos);

        EXPECT_GE(word.size(), size_t(kMinDictLen));
        EXPECT_LE(word.size(), size_t(kMaxDictLen));
        EXPECT_TRUE(std::all_of(word.begin(), word.end(), [](char c) {
            return static_cast<unsigned char>(c) >= kCyrLowerA;  // а … я, no ё
        }));

        ASSERT_FALSE(definition.empty());
        EXPECT_TRUE(IsRussianUpper(static_cast<unsigned char>(definition[0])));
        EXPECT_NE(definition.back(), ' ');  // a trailing space would mark a quoted entry
        EXPECT_FALSE(GivesAway(word, definition));
        EXPECT_TRUE(seen.emplace(word, definition).second) << "duplicate entry";
    }
    EXPECT_GT(n, 0);
}

TEST(ShortWords, EveryWordIsKnownToTheSpellingDictionary) {
    if (!fs::exists(kHunspellDic)) GTEST_SKIP() << kHunspellDic << " is missing (package hunspell-ru)";

    // Stems of the spelling dictionary (its first line is the entry count), case and ё folded.
    std::set<std::string> stems;
    bool first = true;
    for (const std::string& line : Utf8Lines(kHunspellDic)) {
        if (std::exchange(first, false)) continue;
        stems.insert(Fold(Utf8ToCp1251(line.substr(0, line.find('/')))));
    }
    ASSERT_GT(stems.size(), 100000u);

    std::set<std::string> reviewed;
    for (const std::string& line : Utf8Lines(kWords / "not-in-hunspell.txt"))
        if (!line.empty()) reviewed.insert(Utf8ToCp1251(line));

    std::set<std::string> used;
    for (const std::string& line : Utf8Lines(kWords / "short.tsv")) {
        const std::string word = Utf8ToCp1251(line.substr(0, line.find('\t')));
        used.insert(word);
        EXPECT_TRUE(stems.count(word) || reviewed.count(word)) << Cp1251ToUtf8(word);
    }
    // The reviewed list holds only words the data uses and the spelling dictionary lacks.
    for (const std::string& w : reviewed) {
        EXPECT_TRUE(used.count(w)) << "unused: " << Cp1251ToUtf8(w);
        EXPECT_FALSE(stems.count(w)) << "known to the spelling dictionary: " << Cp1251ToUtf8(w);
    }
}

}  // namespace
}  // namespace vez
