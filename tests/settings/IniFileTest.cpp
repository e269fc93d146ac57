#include "settings/IniFile.h"

#include <gtest/gtest.h>

using namespace vez;

namespace {

// Everything a hand-edited file may hold: a byte order mark, comments, blank lines, an unknown
// section, an unknown key, garbage, a broken section line, LF and CR LF ends, no end on the last line.
const std::string kMessy = "\xEF\xBB\xBF[OtherParam]\r\n"
                           "; comment=not a key\r\n"
                           "  WidthRis =  70 \r\n"
                           "Mine=kept\n"
                           "garbage without equals\r\n"
                           "\r\n"
                           "# another comment\r\n"
                           "[Unknown]\r\n"
                           "WidthRis=99\r\n"
                           "[broken section\r\n"
                           "x=1\r\n"
                           "[ColorRis]\r\n"
                           "ColorRisFon=255";

} // namespace

TEST(IniFile, ParsesAndWritesBackEveryByte) {
    for (const std::string& text :
         {kMessy, std::string(), std::string("\n\n"), std::string("a=b\r\r\n\0c", 9)})
        EXPECT_EQ(IniFile::Parse(text).Text(), text);
}

TEST(IniFile, FindsKeysLikeTheWindowsProfileFunctions) {
    IniFile ini = IniFile::Parse(kMessy);
    struct Case {
        const char *section, *key;
        std::optional<std::string> value;
    } cases[] = {
        {"OtherParam", "WidthRis", "70"}, // trimmed name and value, BOM skipped
        {"otherparam", "WIDTHRIS", "70"}, // names without regard to case
        {"OtherParam", "Mine", "kept"},
        {"OtherParam", "; comment", std::nullopt},
        {"Unknown", "WidthRis", "99"},
        {"Unknown", "x", "1"}, // a broken section line does not open a section
        {"ColorRis", "ColorRisFon", "255"},
        {"ColorRis", "Missing", std::nullopt},
        {"Absent", "x", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
    EXPECT_TRUE(ini.HasSection("colorris"));
    EXPECT_FALSE(ini.HasSection("broken section"));
}

TEST(IniFile, FirstOfDuplicatesIsReadAndWritten) {
    IniFile ini = IniFile::Parse("[A]\r\nk=1\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(ini.Get("A", "k"), "1");
    EXPECT_EQ(ini.Get("A", "j"), "4"); // a repeated section continues the first
    ini.Set("A", "k", "9");
    EXPECT_EQ(ini.Text(), "[A]\r\nk=9\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
}

TEST(IniFile, SetChangesOnlyItsLineAndAddsMissingKeysWhereTheyBelong) {
    IniFile ini = IniFile::Parse(kMessy);
    ini.Set("OtherParam", "WidthRis", "40");  // in place, keeps its CR LF
    ini.Set("OtherParam", "RowCros", "2");    // after the last key of the section
    ini.Set("ColorRis", "ColorRisText", "0"); // the last line gets a line end first
    ini.Set("ScanRis", "ColorFonRis", "1");   // a new section at the end
    EXPECT_EQ(ini.Text(), "\xEF\xBB\xBF[OtherParam]\r\n"
                          "; comment=not a key\r\n"
                          "WidthRis=40\r\n"
                          "Mine=kept\n"
                          "RowCros=2\r\n"
                          "garbage without equals\r\n"
                          "\r\n"
                          "# another comment\r\n"
                          "[Unknown]\r\n"
                          "WidthRis=99\r\n"
                          "[broken section\r\n"
                          "x=1\r\n"
                          "[ColorRis]\r\n"
                          "ColorRisFon=255\r\n"
                          "ColorRisText=0\r\n"
                          "\r\n"
                          "[ScanRis]\r\n"
                          "ColorFonRis=1\r\n");
}

TEST(IniFile, NewLinesFollowTheFilesLineEnds) {
    IniFile ini = IniFile::Parse("[A]\nk=1\n");
    ini.Set("A", "j", "2");
    ini.Set("B", "k", "3");
    EXPECT_EQ(ini.Text(), "[A]\nk=1\nj=2\n\n[B]\nk=3\n");
    IniFile empty;
    empty.Set("A", "k", "1");
    EXPECT_EQ(empty.Text(), "[A]\r\nk=1\r\n");
}

TEST(IniFile, AValueCannotPlantLinesOfItsOwn) {
    IniFile ini = IniFile::Parse("[A]\r\nk=1\r\n");
    ini.Set("A", "k", "x\r\n[B]\r\ny=2");
    EXPECT_EQ(ini.Text(), "[A]\r\nk=x  [B]  y=2\r\n");
    EXPECT_FALSE(ini.HasSection("B"));
}

TEST(IniFile, RemoveDeletesEveryLineOfTheKeyOnly) {
    IniFile ini = IniFile::Parse("[T]\r\nk=1\r\n;c\r\nj=2\r\n[t]\r\nK=3\r\n[U]\r\nk=4\r\n");
    EXPECT_TRUE(ini.Remove("T", "k"));
    EXPECT_FALSE(ini.Remove("T", "k"));
    EXPECT_EQ(ini.Text(), "[T]\r\n;c\r\nj=2\r\n[t]\r\n[U]\r\nk=4\r\n");
}
