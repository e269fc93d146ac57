#include "dictionary/DictImport.h"
#include "dictionary/WordListImport.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;

TEST(ImportWords, ReadsUtf8AndWindows1251AndSkipsBadLines) {
    const std::string lines = "# комментарий\n"
                              "Ёж\tКолючий зверёк\r\n"
                              "\n"
                              "  ил \t Донный осадок \tисточник\n" // fields trimmed, a third column ignored
                              "ре\tНота\n"
                              "без табуляции\n"
                              "я\tОдна буква\n"
                              "переосмысливаться\tСемнадцать букв\n"
                              "ёж-рыба\tДефис\n"
                              "dog\tЛатиница\n"
                              "ус\t  \n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + lines, Utf8ToCp1251(lines)}) {
        SCOPED_TRACE(IsValidUtf8(bytes) ? "UTF-8" : "Windows-1251");
        auto list = ParseWordList(bytes);
        ASSERT_EQ(list.entries.size(), 3u);
        EXPECT_EQ(list.entries[0].Word, ru("еж"));
        EXPECT_EQ(list.entries[0].Definition, ru("Колючий зверёк"));
        EXPECT_EQ(list.entries[1].Word, ru("ил"));
        EXPECT_EQ(list.entries[1].Definition, ru("Донный осадок"));
        EXPECT_EQ(list.entries[2].Word, ru("ре"));
        EXPECT_EQ(list.skipped, 6);
        EXPECT_EQ(list.skippedLines, (std::vector<int>{6, 7, 8, 9, 10, 11}));
    }
}

TEST(ImportWords, AddsEachEntryOnce) {
    test::TempHome home;
    home.Write("DICT/dict.2", ru("ил\r\nДонный осадок\r\nус\r\nВолос над губой\r\n"));
    auto file = home.Write("words.tsv", "ил\tДонный осадок\n"
                                        "ус\tУ кота на морде\n"
                                        "ре\tНота\n"
                                        "ре\tНота\n"
                                        "кот\tЗверь\n");
    auto first = RunWordListImport(home.path(), file);
    ASSERT_EQ(first.exitStatus, 0) << first.error;
    EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 2)),
              ru("ил\r\nДонный осадок\r\nус\r\nУ кота на морде\r\nус\r\nВолос над губой\r\nре\r\nНота\r\n"));
    EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 3)), ru("кот\r\nЗверь\r\n"));
    EXPECT_EQ(first.merge.words[2], 3);
    EXPECT_EQ(first.merge.added[2], 2);
    EXPECT_EQ(*ReadFileBytes(DictPath(home.path(), 16)), "");

    auto second = RunWordListImport(home.path(), file);
    ASSERT_EQ(second.exitStatus, 0);
    EXPECT_EQ(second.merge.TotalAdded(), 0);

    auto missing = RunWordListImport(home.path(), home.path() / "nothing.tsv");
    EXPECT_EQ(missing.exitStatus, 2);
}
