#include "dictionary/DictWrite.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <unistd.h>

using namespace vez;
using namespace vez::test;

namespace {

std::string Read(const fs::path& p) { return ReadFileBytes(p).value_or("<missing>"); }

TEST(DictWrite, ReplaceAppliesTheChangeAndLeavesNoScratchFile) {
    TempHome home;
    const fs::path dict3 = home.Write("DICT/dict.3", ru("кот\r\nзверь\r\nдом\nжильё\r\nлес\r\nбор "));
    fs::permissions(dict3, fs::perms::owner_read); // a read-only file is replaced all the same

    ASSERT_TRUE(ReplaceDictEntries(dict3, [](std::vector<TDictEntry>& e) {
        e.erase(e.begin() + 1);
        e.insert(e.begin(), {ru("кот"), ru("Мурлыка")});
        return true;
    }));
    EXPECT_EQ(Read(dict3), ru("кот\r\nМурлыка\r\nкот\r\nзверь\r\nлес\r\nбор \r\n"));
    EXPECT_FALSE(fs::exists(home.path() / "DICT/promt"));

    ASSERT_TRUE(ReplaceDictFile(dict3, [](std::vector<std::string>& lines) {
        lines.resize(2);
        return true;
    }));
    EXPECT_EQ(Read(dict3), ru("кот\r\nМурлыка\r\n"));
}

TEST(DictWrite, ListWithoutDefinitionsGoesAwayWhenEmptied) {
    TempHome home;
    const fs::path dict1 = home.Write("DICT/dict.1", ru("кот\r\nдом\r\n"));
    auto drop = [](const std::string& w) {
        return [w](std::vector<std::string>& lines) {
            std::erase(lines, ru(w));
            return true;
        };
    };
    ASSERT_TRUE(ReplaceDictFile(dict1, drop("кот")));
    EXPECT_EQ(Read(dict1), ru("дом\r\n"));
    ASSERT_TRUE(ReplaceDictFile(dict1, drop("дом")));
    EXPECT_FALSE(fs::exists(dict1));
}

// Every failure leaves the source as it was and no promt behind.
TEST(DictWrite, FailedReplaceKeepsTheSource) {
    const std::string original = ru("кот\r\nзверь\r\n");
    struct Case {
        const char* name;
        std::function<void(TempHome&)> arrange;
        DictLinesChange change;
        bool promtRemains; // a promt folder that was there before is not ours to remove
    };
    auto keep = [](std::vector<std::string>&) { return true; };
    const std::vector<Case> cases = {
        {"change refused", [](TempHome&) {}, [](std::vector<std::string>&) { return false; }, false},
        {"change throws", [](TempHome&) {},
         [](std::vector<std::string>&) -> bool { throw std::runtime_error("broken"); }, false},
        {"promt cannot be created", [](TempHome& h) { h.Write("DICT/promt/keep", "x"); }, keep, true},
        {"source missing", [](TempHome& h) { fs::remove(h.path() / "DICT/dict.3"); }, keep, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempHome home;
        const fs::path dict3 = home.Write("DICT/dict.3", original);
        c.arrange(home);
        const std::string before = Read(dict3);
        EXPECT_FALSE(ReplaceDictFile(dict3, c.change));
        EXPECT_EQ(Read(dict3), before);
        EXPECT_EQ(fs::exists(home.path() / "DICT/promt"), c.promtRemains);
    }
}

TEST(DictWrite, FailedReplaceInAReadOnlyFolderKeepsTheSource) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    TempHome home;
    const fs::path dict3 = home.Write("DICT/dict.3", ru("кот\r\nзверь\r\n"));
    fs::permissions(home.path() / "DICT", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(ReplaceDictFile(dict3, [](std::vector<std::string>& l) {
        l.clear();
        return true;
    }));
    EXPECT_EQ(Read(dict3), ru("кот\r\nзверь\r\n"));
    EXPECT_FALSE(fs::exists(home.path() / "DICT/promt"));
}

TEST(DictWrite, AppendEndsTheLastLineAndCreatesTheList) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"missing file is created", std::nullopt, "лес\r\nбор\r\n"},
        {"empty file", "", "лес\r\nбор\r\n"},
        {"CR LF ended", "кот\r\n", "кот\r\nлес\r\nбор\r\n"},
        {"LF ended", "кот\n", "кот\nлес\r\nбор\r\n"},
        {"last line without its end", "кот\r\nзверь", "кот\r\nзверь\r\nлес\r\nбор\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempHome home;
        fs::create_directories(home.path() / "DICT");
        const fs::path dict1 = home.path() / "DICT/dict.1";
        if (c.before) {
            home.Write("DICT/dict.1", ru(*c.before));
            fs::permissions(dict1, fs::perms::owner_read);
        }
        ASSERT_TRUE(AppendDictLines(dict1, {ru("лес"), ru("бор")}));
        EXPECT_EQ(Read(dict1), ru(c.after));
    }
    TempHome home;
    EXPECT_FALSE(AppendDictLines(home.path() / "NO/dict.1", {"x"}));
}

} // namespace
