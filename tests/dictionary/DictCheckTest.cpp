#include "dictionary/DictCheck.h"
#include "dictionary/DictFile.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sys/stat.h>

using namespace vez;
using namespace vez::test;

namespace {

const char* kYoText = "В слове найдена буква ё.\rПосле входа в режим словаря\rнажмите <Ctrl + Alt + W>\r"
                      "и в появившемся окне нажмите <Начать>,\rбуква ё в словах заменится на е,\r"
                      "а заодно сгруппируются омонимы.";

std::string ErrorBox(const std::string& error, const std::string& shown, size_t length) {
    return error + "\r\rОшибка в строке :\r" + shown +
           "\r\rНеобходимо исправить файл к-л текстовым редактором.\r"
           "(строка скопирована в буфер обмена, длина = " +
           std::to_string(length) + ").";
}

size_t Chars(const std::string& utf8) { return ru(utf8).size(); }

class DictCheck : public ::testing::Test {
protected:
    // Writes dict.2 … dict.16, empty unless given (raw Windows-1251 bytes), leaving out `missing`.
    void Files(const std::map<int, std::string>& raw, std::set<int> missing = {}) {
        for (int n = 2; n <= 16; ++n) {
            const std::string name = "DICT/dict." + std::to_string(n);
            // A new file rather than a truncated one: the file system flushes truncated files on close.
            std::filesystem::remove(home.path() / name);
            if (!missing.count(n)) home.Write(name, raw.count(n) ? raw.at(n) : "");
        }
    }
    int Check(TextWidthFn width = {}) {
        return CheckDictionary(home.path(), state, {dialogs, clipboard, busy, std::move(width), 100});
    }
    void TearDown() override { EXPECT_TRUE(dialogs.AllConsumed()); }

    TempHome home;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeBusy busy;
    DictState state;
};

TEST_F(DictCheck, WholeErrorMessageOfABrokenEntry) {
    Files({{3, ru("кот\r\nзверь\r\nДом\r\nжильё\r\n")}});
    dialogs.ExpectMsg("В слове заглавная буква.\r\rОшибка в строке :\rДом\r\rНеобходимо исправить файл к-л "
                      "текстовым редактором.\r(строка скопирована в буфер обмена, длина = 3).",
                      "Ошибка в словаре Dict.3", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    EXPECT_EQ(Check(), kDictCapital);
    EXPECT_EQ(state.DictCheckStatus, kDictCapital);
    EXPECT_FALSE(state.DictReady);
    EXPECT_EQ(clipboard.text, ru("Дом"));
    EXPECT_EQ(state.Stats, TDictStats{});
}

// Each row: one file's content and what the check makes of it; the tests of an entry apply in a
// fixed order, so several rows break two rules at once and expect the earlier one.
TEST_F(DictCheck, StatusesAndTheirMessages) {
    struct Case {
        const char* name;
        std::map<int, std::string> files; // UTF-8
        int n;                            // the file the message names
        int status;
        std::string error;    // empty: no error message
        std::string wordLine; // UTF-8
    };
    const std::vector<Case> cases = {
        {"valid, LF and CR LF mixed", {{3, "кот\r\nзверь\nдОм\r\nжильё"}}, 3, kDictOk, "", ""},
        {"definition of spaces is text", {{3, "кот\r\n   \r\n"}}, 3, kDictOk, "", ""},
        {"lone CR inside a definition", {{3, "кот\r\nзв\rерь\r\n"}}, 3, kDictOk, "", ""},
        {"ё warns and goes on", {{4, "ёлка\r\nдерево\r\n"}}, 4, kDictYoWarning, "", ""},
        {"ё anywhere skips the letter tests", {{4, "Дёрн\r\nтрава\r\n"}}, 4, kDictYoWarning, "", ""},
        {"word of spaces", {{3, "   \r\nпусто\r\n"}}, 3, kDictEmptyWord, "Пустое слово.", "   "},
        {"empty word line", {{3, "кот\r\nзверь\r\n\r\nпусто\r\n"}}, 3, kDictEmptyWord, "Пустое слово.", ""},
        {"trailing space", {{3, "кот \r\nзверь\r\n"}}, 3, kDictBadLength, "Неверная длина слова.", "кот "},
        {"too short, also capital", {{4, "Кот\r\nзверь\r\n"}}, 4, kDictBadLength, "Неверная длина слова.",
         "Кот"},
        {"word as last line", {{3, "кот\r\nзверь\r\nдом\r\n"}}, 3, kDictNoLastDefinition,
         "Нет значения слова в конце файла.", "дом"},
        {"last line before letter tests", {{3, "Дом"}}, 3, kDictNoLastDefinition,
         "Нет значения слова в конце файла.", "Дом"},
        {"capital Ё is not a letter here", {{4, "Ёлка\r\nдерево\r\n"}}, 4, kDictNotCyrillic,
         "Символ слова не кириллица.", "Ёлка"},
        {"latin word", {{3, "cat\r\nзверь\r\n"}}, 3, kDictNotCyrillic, "Символ слова не кириллица.", "cat"},
        {"capital letter", {{3, "Дом\r\nжильё\r\n"}}, 3, kDictCapital, "В слове заглавная буква.", "Дом"},
        {"empty definition", {{3, "кот\r\nзверь\r\nдом\r\n\r\nлес\r\nбор\r\n"}}, 3, kDictNoDefinition,
         "Нет значения слова.", "дом"},
        {"a lone CR is a definition", {{3, "кот\r\n\r\r\n"}}, 3, kDictOk, "", ""},
        {"error after a ё warning", {{4, "ёлка\r\nдерево\r\n"}, {5, "Слово\r\nречь\r\n"}}, 5,
         kDictCapital, "В слове заглавная буква.", "Слово"},
        {"first broken file stops the check", {{3, "Кот\r\nзверь\r\n"}, {2, "да\r\n"}}, 2,
         kDictNoLastDefinition, "Нет значения слова в конце файла.", "да"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::map<int, std::string> raw;
        for (const auto& [n, text] : c.files) raw[n] = ru(text);
        Files(raw);
        clipboard.text = "untouched";
        if (c.status == kDictYoWarning)
            dialogs.ExpectMsg(kYoText, "Внимание", kBtnOK, kBtnOK, kIconInfo, kBtnOK);
        if (!c.error.empty())
            dialogs.ExpectMsg(ErrorBox(c.error, c.wordLine, Chars(c.wordLine)),
                              "Ошибка в словаре Dict." + std::to_string(c.n), kBtnOK, kBtnOK, kIconWarn,
                              kBtnOK);
        EXPECT_EQ(Check(), c.status);
        EXPECT_EQ(state.DictReady, c.status >= 0);
        EXPECT_EQ(clipboard.text, c.status < 0 ? ru(c.wordLine) : "untouched");
        EXPECT_EQ(state.Stats[1] == 0, c.status < 0);
        EXPECT_TRUE(dialogs.AllConsumed());
    }
}

TEST_F(DictCheck, CountsWordsOncePerFileAndEveryEntry) {
    Files({{3, ru("кот\r\nзверь\r\nдом\r\nжильё\r\nкот\r\nпесня\r\nсад\r\nдеревья\r\nкот\r\nтоже\r\n")},
           {4, ru("ёлка\r\nдерево\r\nелка\r\nтоже дерево\r\n")}});
    dialogs.ExpectMsg(kYoText, "Внимание", kBtnOK, kBtnOK, kIconInfo, kBtnOK);
    EXPECT_EQ(Check(), kDictYoWarning);

    auto letter = [](const char* utf8) { return DictLetterSlot(static_cast<unsigned char>(ru(utf8)[0])); };
    TDictStats want;
    want[1] = 5; // кот, дом, сад, ёлка, елка: ё and е spellings are two words
    want[3] = 3;
    want[4] = 2;
    want[49] = 3;
    want[letter("к")] = 1;
    want[letter("д")] = 1;
    want[letter("с")] = 1;
    want[letter("е")] = 2; // ёлка counts under е
    want[50] = 2;
    want[51] = 7;
    want[53] = 5;
    want[54] = 2;
    want[letter("к") + 50] = 3;
    want[letter("д") + 50] = 1;
    want[letter("с") + 50] = 1;
    want[letter("е") + 50] = 2;
    EXPECT_EQ(state.Stats, want);
    EXPECT_EQ(letter("а"), 17);
    EXPECT_EQ(letter("я"), 48);
    EXPECT_TRUE(state.DictReady);
}

TEST_F(DictCheck, MissingFileStopsAtItAndClearsEveryCounter) {
    Files({{3, ru("кот\r\nзверь\r\n")}, {8, ru("карандаш\r\nпишет\r\n")}, {12, ru("Неправильно\r\n")}}, {9});
    clipboard.text = "untouched";
    dialogs.ExpectMsg("НЕТ словаря \"Dict.9\"", "Ошибка !", kBtnCancel, kBtnCancel, kIconWarn, kBtnCancel);
    EXPECT_EQ(Check(), kDictMissingFile);
    EXPECT_EQ(state.Stats, TDictStats{});
    EXPECT_FALSE(state.DictReady);
    EXPECT_EQ(clipboard.text, "untouched");
    // The bar went to the last complete file, and the cursor and bar were restored.
    EXPECT_EQ(busy.progress.back(), 100 * 8 / 16);
    EXPECT_EQ(busy.progressMax, 0);
    EXPECT_EQ(busy.busyDepth, 0);
}

TEST_F(DictCheck, ProgressRunsToTheBarMaximum) {
    Files({});
    EXPECT_EQ(Check(), kDictOk);
    std::vector<int> want = {0};
    for (int n = 2; n <= 16; ++n) want.push_back(100 * n / 16);
    EXPECT_EQ(busy.progress, want);
    EXPECT_EQ(busy.progressMax, 0);
    EXPECT_EQ(busy.busyDepth, 0);
}

// Something that is not a readable file where a dictionary file should be: a folder, or a pipe
// that nobody writes (reading it would wait forever).
TEST_F(DictCheck, UnreadableFileIsAnUnknownError) {
    const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> cases = {
        {"folder", [](const fs::path& p) { fs::create_directories(p); }},
        {"pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        Files({}, {5});
        make(home.path() / "DICT/dict.5");
        dialogs.ExpectMsg(ErrorBox("Неизвестная ошибка.", "", 0), "Ошибка в словаре Dict.5", kBtnOK, kBtnOK,
                          kIconWarn, kBtnOK);
        EXPECT_EQ(Check(), kDictReadError);
        fs::remove_all(home.path() / "DICT/dict.5");
    }
}

TEST_F(DictCheck, LongLineIsShownShortByItsWidth) {
    // "ш" twice as wide as "0", "i" half as wide, everything else as wide.
    TextWidthFn width = [](std::string_view s) {
        int w = 0;
        for (char ch : s) w += ch == ru("ш")[0] ? 4 : ch == 'i' ? 1 : 2;
        return w;
    };
    struct Case {
        std::string line; // UTF-8
        std::string shown;
    };
    const std::string a200(200, 'a'), a50(50, 'a'), i90(90, 'i');
    std::string sh30;
    for (int i = 0; i < 30; ++i) sh30 += "ш";
    const std::vector<Case> cases = {
        {a200, a50 + "..."},
        {std::string(50, 'a'), std::string(50, 'a')},
        {sh30, sh30 + "..."}, // 30 wide letters are wider than 50 digits
        {i90, i90},           // 90 narrow ones are not
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Files({{5, ru(c.line + "\r\nзначение\r\n")}});
        dialogs.ExpectMsg(ErrorBox("Неверная длина слова.", c.shown, Chars(c.line)), "Ошибка в словаре Dict.5",
                          kBtnOK, kBtnOK, kIconWarn, kBtnOK);
        EXPECT_EQ(Check(width), kDictBadLength);
        EXPECT_EQ(clipboard.text, ru(c.line));
    }
}

// Lines no dictionary should hold: a file from another system, a huge line, CR line ends.
TEST_F(DictCheck, BadInputGetsAStatusNotACrash) {
    const std::string tenMb(10 << 20, 'a');
    struct Case {
        const char* name;
        int n;
        std::string raw;
        int status;
        std::string wordLine; // raw bytes
    };
    const std::string utf8Kot = "кот"; // 6 bytes as UTF-8
    const std::vector<Case> cases = {
        {"UTF-8 word of double length", 6, utf8Kot + "\r\n" + "зверь\r\n", kDictCapital, utf8Kot},
        {"UTF-8 word of another length", 3, utf8Kot + "\r\n" + "зверь\r\n", kDictBadLength, utf8Kot},
        {"KOI8-R word", 3, "\xCB\xCF\xD4\r\n\xDA\xD7\xC5\xD2\xD8\r\n", kDictCapital, "\xCB\xCF\xD4"},
        {"UTF-16 with BOM", 3, std::string("\xFF\xFE\x3A\x04\x3E\x04\x42\x04\r\0\n\0", 12), kDictBadLength,
         std::string("\xFF\xFE\x3A\x04\x3E\x04\x42\x04\r\0", 10)},
        {"NUL bytes", 3, std::string("\0\0\0\r\nx\r\n", 8), kDictNotCyrillic, std::string(3, '\0')},
        {"10 MB word line", 2, tenMb + "\r\n" + ru("да") + "\r\n", kDictBadLength, tenMb},
        {"10 MB line without an end", 2, tenMb, kDictBadLength, tenMb},
        {"10 MB of spaces", 2, std::string(10 << 20, ' ') + "\r\n", kDictEmptyWord, std::string(10 << 20, ' ')},
        {"10 MB definition is fine", 2, ru("да") + "\r\n" + tenMb + "\r\n" + ru("не\r\nнет\r\n"), kDictOk, ""},
        {"CR without LF makes one line", 3, ru("кот\rзверь\rдом\rжильё\r"), kDictBadLength,
         ru("кот\rзверь\rдом\rжильё\r")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Files({{c.n, c.raw}});
        TDictStats stats;
        DictScanResult r = ScanDictionary(home.path(), stats);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.wordLine == c.wordLine) << r.wordLine.size();
        if (c.status >= 0) {
            EXPECT_EQ(stats[51], 2u);
            continue;
        }
        EXPECT_EQ(r.file, c.n);
        // The whole check as the user sees it: the message stays short whatever the line.
        dialogs.AnswerAll(kBtnOK);
        dialogs.shown.clear();
        EXPECT_EQ(Check(), c.status);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_LT(dialogs.shown[0].text.size(), 300u);
        EXPECT_NE(dialogs.shown[0].text.find("= " + std::to_string(c.wordLine.size()) + ")."), std::string::npos);
        EXPECT_TRUE(clipboard.text == c.wordLine);
    }
}

// The block reader and the word set against the plain line splitter and std::set: files of a few
// megabytes of random valid entries (homonyms near and far, ё words, mixed line ends, long
// definitions) so that lines and CR LF pairs straddle the read blocks, and a file of one-letter
// definitions holding far more words than its size suggests, so that the set must grow.
TEST_F(DictCheck, LargeFilesCountLikeASimpleReading) {
    std::mt19937_64 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::map<int, std::string> raw;
    for (int n : {2, 5, 9, 16}) {
        std::vector<std::string> words;
        std::string& out = raw[n];
        while (out.size() < (n == 9 ? 3u << 20 : 600u << 10)) {
            std::string w;
            if (!words.empty() && pick(0, 4) == 0) {
                w = words[static_cast<size_t>(pick(0, static_cast<int>(words.size()) - 1))];
            } else {
                for (int i = 0; i < n; ++i) w += static_cast<char>(0xE0 + pick(0, n == 2 ? 3 : 31));
                if (pick(0, 50) == 0) w[static_cast<size_t>(pick(0, n - 1))] = static_cast<char>(kLowerYo);
                words.push_back(w);
            }
            const char* eol = pick(0, 3) == 0 ? "\n" : "\r\n";
            const int defMax = n == 16 ? 1 : pick(0, 20) == 0 ? 5000 : 60;
            out += w + eol + std::string(static_cast<size_t>(pick(1, defMax)), 'x') + eol;
        }
    }
    Files(raw);

    TDictStats want;
    for (auto& [n, text] : raw) {
        std::set<std::string> seen;
        for (const auto& e : ParseDictEntries(text)) {
            int slot = DictLetterSlot(static_cast<unsigned char>(e.Word[0]));
            if (seen.insert(e.Word).second) {
                ++want[1];
                want[49] = std::max(want[49], ++want[n]);
                want[50] = std::max(want[50], ++want[slot]);
            }
            ++want[51];
            ++want[n + 50];
            ++want[slot + 50];
        }
    }
    TDictStats got;
    EXPECT_EQ(ScanDictionary(home.path(), got).status, kDictYoWarning);
    EXPECT_EQ(got, want);
    EXPECT_GT(want[1], 15000u);
}

TEST_F(DictCheck, GateRunsTheCheckOnlyUntilItPasses) {
    Files({{3, ru("Кот\r\nзверь\r\n")}});
    dialogs.AnswerAll(kBtnOK);
    DictCheckEnv env{dialogs, clipboard, busy, {}, 100};
    EXPECT_FALSE(EnsureDictionaryChecked(home.path(), state, env));
    Files({{3, ru("кот\r\nзверь\r\n")}});
    EXPECT_TRUE(EnsureDictionaryChecked(home.path(), state, env));
    EXPECT_EQ(state.Stats[1], 1u);
    // Once passed, the files are not read again.
    std::filesystem::remove(home.path() / "DICT/dict.2");
    EXPECT_TRUE(EnsureDictionaryChecked(home.path(), state, env));
    EXPECT_EQ(state.Stats[1], 1u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
