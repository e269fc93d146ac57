#include "model/Document.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace vez;
using namespace vez::test;

namespace {

// A 4 x 3 crossword: a ring of four words around an enclosed black square, and a blocked column
// on the right that reaches the border.
//   с о м .     across 1 сом, 4 дух
//   а . о .     down   2 сад, 3 мох
//   д у х .
DocToWrite Ring(bool finished) {
    DocToWrite d;
    d.kind = "Cros";
    d.folder = ru("ЛЕТО");
    d.number = 5;
    d.grat = GratFromCells(4, 3, {"***.", "*.*.", "***."});
    d.slots = FindSlots(d.grat);
    const char* words[] = {"сом", "сад", "мох", "дух"};
    for (int i = 1; i <= 4; ++i) {
        TWordSlot& s = d.slots[i];
        if (!finished && i == 4) continue; // the stop came before the last word
        s.word = ru(words[i - 1]);
        for (int k = 1; k <= s.length; ++k) {
            CellPos c = SlotCell(s, k);
            d.grat.at(c.x, c.y) = s.word[k - 1];
        }
    }
    d.finished = finished;
    return d;
}

void WriteDict3(const TempHome& home) {
    // "сом" has a quoted definition (trailing space); "мох" was deleted while composing.
    home.Write("DICT/dict.3", ru("сом\r\nРыба \r\nсад\r\nМесто с деревьями\r\nдух\r\nПризрак\r\n"));
}

const std::vector<std::string> kDeleted = {ru("мох             Растение"),
                                           ru("лес             Много деревьев")};

std::string Lines(std::initializer_list<const char*> utf8) {
    std::string s;
    for (const char* l : utf8)
        s += ru(l) + "\r\n";
    return s;
}

fs::path Folder(const TempHome& home, const char* lib, const char* folderUtf8) {
    return home.path() / lib / fs::path(folderUtf8);
}

void ExpectWriteFailure(FakeDialogs& d, const char* what) {
    d.ExpectMsg(std::string("Не удалось сохранить ") + what, "Ошибка !", 1, 1, 3, 1);
}

bool PermissionsEnforced(const fs::path& dir) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    const fs::path probe = dir / "probe";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f) return true;
    std::fclose(f);
    fs::remove(probe);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
    return false;
}

} // namespace

TEST(DocNames, FolderNameLowerCasedNumberInTwoDigitsAndMark) {
    struct Case {
        const char* kind;
        int number;
        bool marked;
        const char* path; // UTF-8, below the program folder
    };
    const Case cases[] = {
        {"Cros", 5, true, "CROS/ЛЕТО/лето.05-"},
        {"Cros", 12, false, "CROS/ЛЕТО/лето.12"},
        {"Scan", 99, true, "SCAN/ЛЕТО/лето.99-"},
        {"Japan", 1, false, "SCAN/ЛЕТО/лето.01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DocPath("/h", c.kind, ru("ЛЕТО"), c.number, c.marked), fs::path("/h") / fs::path(c.path))
            << c.path;
}

TEST(DocNames, FolderCopiedWithAWindowsNameIsFound) {
    TempHome home;
    const std::string folder = ru("ЛЕТО");
    fs::create_directories(home.path() / "CROS" / folder); // raw Windows-1251 bytes on disk
    EXPECT_EQ(DocPath(home.path(), "Cros", folder, 3, false).parent_path(), home.path() / "CROS" / folder);
    fs::create_directories(home.path() / "CROS" / "ЛЕТО");
    EXPECT_EQ(DocPath(home.path(), "Cros", folder, 3, false).parent_path(), home.path() / "CROS" / "ЛЕТО");
}

TEST(NextDocNumber, OneAboveTheLargestDocumentNumber) {
    struct Case {
        const char* name;
        std::vector<const char*> files; // UTF-8
        int next;
    };
    const Case cases[] = {
        {"empty folder", {}, 1},
        {"gaps below the largest", {"лето.12"}, 13},
        {"marked and unmarked", {"лето.12-", "лето.07"}, 13},
        {"unrelated files only", {"readme.txt", "notes", "x.", "лето.05.bak", "лето.-"}, 1},
        {"old one-digit number", {"лето.7-", "лето.03"}, 8},
        {"full folder", {"лето.99", "лето.01"}, 100},
        {"absurdly long number", {"лето.123456789012345678901234567890"}, 1000001},
    };
    for (const Case& c : cases) {
        TempHome home;
        const fs::path folder = Folder(home, "CROS", "ЛЕТО");
        fs::create_directories(folder);
        for (const char* f : c.files)
            home.Write(fs::path("CROS/ЛЕТО") / fs::path(f), "x");
        EXPECT_EQ(NextDocNumber(folder), c.next) << c.name;
        EXPECT_EQ(FolderIsFull(folder), c.next > 99) << c.name;
    }
    EXPECT_EQ(NextDocNumber("/nonexistent/folder"), 1);
}

TEST(DocHeader, FixedColumnsLeftAligned) {
    EXPECT_EQ(DocHeader(true, 15, 15, 36, 37), "AS 15 15 36  37  ");
    EXPECT_EQ(DocHeader(false, 4, 3, 2, 2), "AS.4  3  2   2   ");
    EXPECT_EQ(DocHeader(false, 40, 100, 1000, 9999), "AS.40 10010009999");
}

TEST(ScanCellChar, EveryLayoutCodeHasItsCharacter) {
    const std::pair<int, char> defs[] = {{11, '1'}, {12, '3'}, {13, '#'}, {14, '5'}, {15, '$'}, {16, '7'},
                                         {17, '9'}, {21, '2'}, {23, '4'}, {24, '6'}, {25, '%'}, {26, '8'},
                                         {27, '&'}, {28, '0'}, {99, '-'}, {42, '-'}};
    for (auto [code, ch] : defs)
        EXPECT_EQ(ScanCellChar(static_cast<std::uint8_t>(code), 'x'), ch) << code;
    const char letter = ru("ж")[0];
    for (int code = 0; code <= 3; ++code) {
        EXPECT_EQ(ScanCellChar(static_cast<std::uint8_t>(code), letter), letter);
        EXPECT_EQ(ScanCellChar(static_cast<std::uint8_t>(code), '*'), '*');
    }
}

TEST(WriteDoc, CrosswordsFinishedAndStopped) {
    struct Case {
        const char* name;
        bool finished;
        bool dictHasDukh;
        const char* file;
        std::string text;
    };
    const Case cases[] = {
        {"finished", true, true, "лето.05",
         Lines({"AS 4  3  2   2   ", "сом ", "а.о ", "дух ", "Рыба ", "Призрак", "Место с деревьями",
                "Растение"})},
        {"stopped", false, true, "лето.05-",
         Lines({"AS.4  3  2   2   ", "сом ", "а.о ", "д*х ", "Рыба ", ".", "Место с деревьями", "Растение"})},
        {"word found nowhere", true, false, "лето.05",
         Lines({"AS 4  3  2   2   ", "сом ", "а.о ", "дух ", "Рыба ", "-", "Место с деревьями", "Растение"})},
    };
    for (const Case& c : cases) {
        TempHome home;
        fs::create_directories(Folder(home, "CROS", "ЛЕТО"));
        if (c.dictHasDukh)
            WriteDict3(home);
        else
            home.Write("DICT/dict.3", ru("сом\r\nРыба \r\nсад\r\nМесто с деревьями\r\n"));
        DocToWrite doc = Ring(c.finished);
        doc.deletedEntries = kDeleted;
        FakeDialogs d;
        ASSERT_TRUE(WriteDoc(home.path(), d, doc)) << c.name;
        const fs::path file = Folder(home, "CROS", "ЛЕТО") / fs::path(c.file);
        auto text = ReadFileBytes(file);
        ASSERT_TRUE(text) << c.name;
        EXPECT_EQ(Cp1251ToUtf8(*text), Cp1251ToUtf8(c.text)) << c.name;
        EXPECT_FALSE(fs::exists(home.path() / "CROS" / "promt")) << c.name;
        EXPECT_EQ(NextDocNumber(file.parent_path()), 6) << c.name;
    }
}

TEST(WriteDoc, ScanwordWritesLayoutCharactersAndIsAlwaysMarked) {
    TempHome home;
    fs::create_directories(Folder(home, "SCAN", "ОСЕНЬ"));
    WriteDict3(home);
    DocToWrite doc;
    doc.kind = "Scan";
    doc.folder = ru("ОСЕНЬ");
    doc.number = 1;
    doc.finished = true;
    doc.layout.width = 4;
    doc.layout.height = 2;
    const std::uint8_t codes[2][4] = {{14, 1, 1, 1}, {99, 13, 12, 28}};
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 4; ++x)
            doc.layout.at(x, y) = codes[y - 1][x - 1];
    doc.grat = GratFromScan(doc.layout);
    doc.slots = FindSlots(doc.grat);
    ASSERT_EQ(SlotCount(doc.slots), 1);
    doc.slots[1].word = ru("сом");
    for (int x = 2; x <= 4; ++x)
        doc.grat.at(x, 1) = doc.slots[1].word[x - 2];

    FakeDialogs d;
    ASSERT_TRUE(WriteDoc(home.path(), d, doc));
    auto text = ReadFileBytes(Folder(home, "SCAN", "ОСЕНЬ") / fs::path("осень.01-"));
    ASSERT_TRUE(text);
    EXPECT_EQ(Cp1251ToUtf8(*text), Cp1251ToUtf8(Lines({"AS.4  2  1   0   ", "5сом", "-#30", "Рыба "})));
}

TEST(WriteDoc, FailuresShowTheMessageAndLoseNoDocument) {
    struct Case {
        const char* name;
        void (*spoil)(const TempHome&, DocToWrite&);
    };
    const Case cases[] = {
        {"dictionary file missing",
         [](const TempHome& h, DocToWrite&) { fs::remove(h.path() / "DICT" / "dict.3"); }},
        {"disk refuses the new file",
         [](const TempHome& h, DocToWrite&) {
             fs::create_directories(h.path() / "CROS" / "promt" / "keep");
         }},
        {"library folder missing", [](const TempHome&, DocToWrite& doc) { doc.folder = ru("ЗИМА"); }},
        {"number beyond the cap", [](const TempHome&, DocToWrite& doc) { doc.number = 100; }},
    };
    for (const Case& c : cases) {
        TempHome home;
        WriteDict3(home);
        // An earlier document of the same name must survive a failed overwrite.
        const fs::path existing = home.Write("CROS/ЛЕТО/лето.05", "earlier document");
        DocToWrite doc = Ring(true);
        doc.deletedEntries = kDeleted;
        c.spoil(home, doc);
        FakeDialogs d;
        ExpectWriteFailure(d, "кроссворд.");
        EXPECT_FALSE(WriteDoc(home.path(), d, doc)) << c.name;
        EXPECT_TRUE(d.AllConsumed()) << c.name;
        EXPECT_EQ(*ReadFileBytes(existing), "earlier document") << c.name;
        EXPECT_EQ(ListDir(existing.parent_path()).size(), 1u) << c.name;
    }
    {
        TempHome home;
        fs::create_directories(Folder(home, "SCAN", "ОСЕНЬ"));
        DocToWrite doc = Ring(true);
        doc.kind = "Scan";
        doc.folder = ru("ОСЕНЬ");
        FakeDialogs d;
        ExpectWriteFailure(d, "сканворд.");
        EXPECT_FALSE(WriteDoc(home.path(), d, doc)) << "no dictionary at all";
        EXPECT_TRUE(ListDir(Folder(home, "SCAN", "ОСЕНЬ")).empty());
    }
}

TEST(WriteDoc, ReplacesAReadOnlyDocumentOfTheSameName) {
    TempHome home;
    WriteDict3(home);
    const fs::path existing = home.Write("CROS/ЛЕТО/лето.05", "earlier document");
    fs::permissions(existing, fs::perms::owner_read, fs::perm_options::replace);
    DocToWrite doc = Ring(true);
    doc.deletedEntries = kDeleted;
    FakeDialogs d;
    ASSERT_TRUE(WriteDoc(home.path(), d, doc));
    EXPECT_EQ(ReadFileBytes(existing)->substr(0, 2), "AS");
}

TEST(WriteDoc, ReadOnlyLibraryFolderIsAFailure) {
    TempHome home;
    WriteDict3(home);
    const fs::path existing = home.Write("CROS/ЛЕТО/лето.05", "earlier document");
    if (!PermissionsEnforced(home.path() / "CROS"))
        GTEST_SKIP() << "permissions are not enforced for this user";
    FakeDialogs d;
    ExpectWriteFailure(d, "кроссворд.");
    DocToWrite doc = Ring(true);
    doc.deletedEntries = kDeleted;
    EXPECT_FALSE(WriteDoc(home.path(), d, doc));
    EXPECT_EQ(*ReadFileBytes(existing), "earlier document");
}
