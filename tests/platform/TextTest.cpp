#include "platform/Files.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;

TEST(Text, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Text, RussianLettersAndYo) {
    EXPECT_EQ(ru("абвя"), "\xE0\xE1\xE2\xFF");
    EXPECT_EQ(ru("ёЁ№"), "\xB8\xA8\xB9");
    EXPECT_EQ(Cp1251ToUtf8("\xCB\xE5\xF2\xEE"), "Лето");
}

TEST(Text, UnmappableAndMalformedUtf8BecomeSubstitute) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD" "b"), "a?b"); // a Chinese character
    EXPECT_EQ(Utf8ToCp1251("a\xFF\xC3"), "a??");       // malformed bytes
    EXPECT_FALSE(IsValidUtf8("\xCB\xE5"));
    EXPECT_TRUE(IsValidUtf8("Лето"));
}

TEST(Text, CaseOfCyrillicLatinAndYo) {
    struct Case {
        const char* lower;
        const char* upper;
    } cases[] = {{"лето", "ЛЕТО"}, {"ёлка", "ЁЛКА"}, {"abc z", "ABC Z"}, {"я1-ю", "Я1-Ю"}, {"їґ", "ЇҐ"}};
    for (const auto& c : cases) {
        EXPECT_EQ(UpperCase(ru(c.lower)), ru(c.upper)) << c.lower;
        EXPECT_EQ(LowerCase(ru(c.upper)), ru(c.lower)) << c.upper;
    }
}

TEST(Files, AtomicRewriteReplacesReadOnlyTargetAndLeavesNoPromt) {
    test::TempHome home;
    fs::path target = home.Write("DICT/dict.2", "old");
    fs::permissions(target, fs::perms::owner_read, fs::perm_options::replace);
    ASSERT_TRUE(AtomicRewrite(home.path() / "DICT/promt", target, "new"));
    EXPECT_EQ(*ReadFileBytes(target), "new");
    EXPECT_FALSE(fs::exists(home.path() / "DICT/promt"));
}

TEST(Files, FailedRewriteKeepsTheOldFile) {
    test::TempHome home;
    fs::path target = home.Write("DICT/dict.2", "old");
    // The promt path lies in a folder that does not exist: the write fails before any rename.
    EXPECT_FALSE(AtomicRewrite(home.path() / "NOPE/promt", target, "new"));
    EXPECT_EQ(*ReadFileBytes(target), "old");
}

TEST(Files, ListingFallsBackToCp1251NamesAndFindsNoCase) {
    test::TempHome home;
    home.Write(NameToPath(ru("ЛЕТО")) / "x", "");
    home.Write(fs::path("\xCB\xE5\xF2\xEE.txt"), ""); // a Windows-1251 name copied as is
    fs::create_directories(home.path() / "Pict");
    std::vector<std::string> names;
    for (auto& e : ListDir(home.path())) names.push_back(e.name);
    EXPECT_NE(std::find(names.begin(), names.end(), ru("ЛЕТО")), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), ru("Лето.txt")), names.end());
    auto pict = FindEntryNoCase(home.path(), "PICT");
    ASSERT_TRUE(pict);
    EXPECT_EQ(pict->filename(), "Pict");
}

TEST(Files, SafeNames) {
    for (const char* bad : {"", ".", "..", "a/b", "a\tb"}) EXPECT_FALSE(IsSafeName(bad)) << bad;
    EXPECT_TRUE(IsSafeName(ru("ЛЕТО 2026")));
    EXPECT_FALSE(IsSafeName("a*b", "*?"));
}
