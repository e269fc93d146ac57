#include "settings/Config.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace vez {
// Failures show the settings as the file would hold them.
void PrintTo(const Settings& s, std::ostream* os) {
    *os << "\n" << Cp1251ToUtf8(SettingsToIni(s).Text());
}
} // namespace vez

using namespace vez;
using namespace std::string_literals;
using vez::test::TempHome;

namespace {

struct Read {
    Settings s;
    std::vector<SettingProblem> problems;
    explicit Read(const std::string& text) {
        ReadSettings(IniFile::Parse(text), s, SettingsGroup::All, &problems);
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

std::string FileText(const fs::path& p) {
    return ReadFileBytes(p).value_or("<missing>");
}

} // namespace

TEST(Config, DefaultFileReadsBackAsTheDefaultsWithoutProblems) {
    const std::string text = DefaultIniText();
    Read r(text);
    EXPECT_EQ(r.s, Settings());
    EXPECT_TRUE(r.problems.empty());
    // Every key was written: reading the file over settings that differ everywhere restores them all.
    Settings other = ResetValues();
    other.TextHeader = other.TextAfter = other.CrosScan = "x";
    other.HutchRis = 40;
    ReadSettings(IniFile::Parse(text), other);
    EXPECT_EQ(other, Settings());
    EXPECT_EQ(ReadHeaderTemplates(IniFile::Parse(text)), DefaultHeaderTemplates());
}

TEST(Config, DeliveredFileIsTheOneTheProgramWrites) {
    EXPECT_EQ(FileText(fs::path(VEZDAR_DATA_DIR) / kIniFileName), DefaultIniText())
        << "data/Vezd.ini is stale: regenerate it with vezdar-cli write-default-ini";
}

TEST(Config, OnlyTheModeGivenLeavesEverythingElseAtItsDefault) {
    Read r("[OtherParam]\r\nCrosScan=Scan\r\n");
    Settings expected;
    expected.CrosScan = "Scan";
    EXPECT_EQ(r.s, expected);
    EXPECT_EQ(Settings().TextHeader, ru("КРОССВОРД"));
    EXPECT_EQ(Settings().TextHeaderScan, ru("СКАНВОРД"));
}

TEST(Config, IntegersAreDecimalOrDollarHex) {
    struct Case {
        const char* stored;
        TColor colour; // ColorRisText, default 0 (unreadable gives 0 too, so -7 marks it)
    } cases[] = {
        {"255", 255},
        {"$FF", 255},
        {"$ff", 255},
        {"  8421376 ", 8421376},
        {"+12", 12},
        {"-2147483643", kSysWindow},
        {"$80000005", kSysWindow},
        {"$FFFFFFFF", -1},
        {"-$1", -1},
        {"-2147483648", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"2147483648", -7},
        {"99999999999999999999", -7},
        {"$123456789", -7},
        {"$", -7},
        {"", -7},
        {"-", -7},
        {"0x10", -7},
        {"12abc", -7},
        {"1 2", -7},
        {"1e3", -7},
        {"$G0", -7},
    };
    for (const Case& c : cases) {
        Settings s;
        s.ColorRisText = -7;
        IniFile ini = IniFile::Parse(std::string("[ColorRis]\r\nColorRisText=") + c.stored + "\r\n");
        ReadSettings(ini, s);
        EXPECT_EQ(s.ColorRisText, c.colour == -7 ? 0 : c.colour) << c.stored;
    }
}

TEST(Config, NumbersOutOfRangeAreClampedOrRefused) {
    struct Case {
        const char *section, *key, *stored;
        int Settings::*member;
        int expected;
        SettingProblem::Kind problem;
    } cases[] = {
        {"OtherParam", "HutchRis", "5", &Settings::HutchRis, 10, SettingProblem::Clamped},
        {"OtherParam", "HutchRis", "99", &Settings::HutchRis, 80, SettingProblem::Clamped},
        {"OtherParam", "HutchPrint", "-$10", &Settings::HutchPrint, 10, SettingProblem::Clamped},
        {"OtherParam", "WidthRis", "0", &Settings::WidthRis, 30, SettingProblem::Clamped},
        {"OtherParam", "WidthRis", "500", &Settings::WidthRis, 100, SettingProblem::Clamped},
        {"OtherParam", "SpaceHeaderPrint", "-1", &Settings::SpaceHeaderPrint, 0, SettingProblem::Clamped},
        {"OtherParam", "RowCros", "7", &Settings::RowCros, 6, SettingProblem::Clamped},
        {"ScanOtherParam", "BetwCellScan", "9", &Settings::BetwCellScan, 5, SettingProblem::Clamped},
        {"ScanOtherParam", "RowAnswerScan", "256", &Settings::RowAnswerScan, 255, SettingProblem::Clamped},
        {"OtherParam", "AddToHeader", "3", &Settings::AddToHeader, 0, SettingProblem::Unreadable},
        {"OtherParam", "FormCellRis", "-1", &Settings::FormCellRis, 1, SettingProblem::Unreadable},
        {"ScanOtherParam", "ArrowScan", "4", &Settings::ArrowScan, 0, SettingProblem::Unreadable},
        {"FontForm", "FontFormSize", "0", &Settings::FontFormSize, 8, SettingProblem::Unreadable},
        {"OtherParam", "CurrGrat", "101", &Settings::CurrGrat, 1, SettingProblem::Unreadable},
    };
    for (const Case& c : cases) {
        Read r(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.stored + "\r\n");
        EXPECT_EQ(r.s.*c.member, c.expected) << c.key << "=" << c.stored;
        EXPECT_EQ(r.problems, (std::vector<SettingProblem>{{c.section, c.key, c.problem}})) << c.key;
    }
    // The ends of the ranges are taken as they are.
    Read ends("[OtherParam]\r\nHutchRis=10\r\nHutchPrint=80\r\nFormCellPrint=2\r\n");
    EXPECT_EQ(ends.s.HutchRis, 10);
    EXPECT_EQ(ends.s.HutchPrint, 80);
    EXPECT_EQ(ends.s.FormCellPrint, 2);
    EXPECT_TRUE(ends.problems.empty());
}

TEST(Config, BooleansAreAnyNonZeroInteger) {
    // TextAnswerUnderPrint defaults to true, ReshAnswerUnderRis to false.
    struct Case {
        const char* stored;
        bool onTrueKey, onFalseKey;
    } cases[] = {{"1", true, true},    {"0", false, false},  {"2", true, true}, {"-1", true, true},
                 {"$0", false, false}, {"yes", true, false}, {"", true, false}, {"true", true, false}};
    for (const Case& c : cases) {
        Read r(std::string("[OtherParam]\r\nTextAnswerUnderPrint=") + c.stored +
               "\r\nReshAnswerUnderRis=" + c.stored + "\r\n");
        EXPECT_EQ(r.s.TextAnswerUnderPrint, c.onTrueKey) << c.stored;
        EXPECT_EQ(r.s.ReshAnswerUnderRis, c.onFalseKey) << c.stored;
    }
}

TEST(Config, FontStylesAreFourFlags) {
    struct Case {
        const char* stored;
        FontStyle style; // FontRisHeaderStyle, default bold
    } cases[] = {
        {"0100", {.Italic = true}},
        {"1111", {true, true, true, true}},
        {"x1x1", {.Italic = true, .StrikeOut = true}},
        {"0000", {}},
        {"010", {.Bold = true}},
        {"01000", {.Bold = true}},
        {"", {.Bold = true}},
    };
    for (const Case& c : cases) {
        Read r(std::string("[FontRis]\r\nFontRisHeaderStyle=") + c.stored + "\r\n");
        EXPECT_EQ(r.s.FontRisHeaderStyle, c.style) << c.stored;
        EXPECT_EQ(FontStyleText(c.style).size(), 4u);
    }
    EXPECT_EQ(FontStyleText({.Italic = true}), "0100");
}

TEST(Config, TextsMustBeWindows1251AndFitTheirKey) {
    struct Case {
        const char* key;
        std::string stored;
        std::string Settings::*member;
        std::string expected;
    } cases[] = {
        {"TextHeader", ru("ЛЕТНИЙ КРОССВОРД"), &Settings::TextHeader, ru("ЛЕТНИЙ КРОССВОРД")},
        {"TextHeader", "", &Settings::TextHeader, ""}, // an emptied header is a value
        {"TextHeader", "\xD0\x9B\xD0\x95\xD0\xA2\xD0\x9E", &Settings::TextHeader, ru("КРОССВОРД")}, // UTF-8
        {"TextHeader", std::string("A\0B", 3), &Settings::TextHeader, ru("КРОССВОРД")},
        {"TextHeader",
         "A\x98"
         "B",
         &Settings::TextHeader, ru("КРОССВОРД")},
        {"TextHeader",
         "A\x01"
         "B",
         &Settings::TextHeader, ru("КРОССВОРД")},
        {"TextAfter", std::string(kMaxIniText, 'x'), &Settings::TextAfter, std::string(kMaxIniText, 'x')},
        {"TextAfter", std::string(kMaxIniText + 1, 'x'), &Settings::TextAfter, ""},
        {"FontFormName", "", &Settings::FontFormName, "MS Sans Serif"},
        {"FontFormName", "DejaVu Sans", &Settings::FontFormName, "DejaVu Sans"},
        {"FormatRis", "JPG", &Settings::FormatRis, "jpg"},
        {"FormatRis", "emf", &Settings::FormatRis, "emf"},
        {"FormatRis", "png", &Settings::FormatRis, "bmp"},
        {"FormatRis", "bmpx", &Settings::FormatRis, "bmp"},
    };
    for (const Case& c : cases) {
        const char* section = std::string_view(c.key).starts_with("Font") ? "FontForm" : "OtherParam";
        Read r(std::string("[") + section + "]\r\n" + c.key + "=" + c.stored + "\r\n");
        EXPECT_EQ(r.s.*c.member, c.expected) << c.key << "=" << Cp1251ToUtf8(c.stored.substr(0, 40));
    }
}

TEST(Config, BadInputTakesDefaultsAndLaterWritesKeepForeignLines) {
    TempHome home;
    const std::string big(100 * 1024, '7');
    const std::vector<std::string> foreign = {
        "\xFF\xFE garbage \x00\x01\x02 line"s,
        "=value without key",
        "[NotOurs]",
        "ColorRisFon=1", // our name, foreign section
        "; comment",
        "",
        "TextHeaderBig=" + std::string(100 * 1024, 'z'),
    };
    const std::string longHeader(100 * 1024, '\xCA');
    const std::vector<std::string> ours = {
        "[ColorRis]",
        "ColorRisFon=" + big,     // too big a number
        "ColorRisText=\xD0\xBA",  // not a number at all
        "ColorRisChis=$80000008", // fine: window text
        "[OtherParam]",
        "TextHeader=" + longHeader, // too long
        "TextAfter=\xC8\x98\xC2",   // a byte outside the code page
        "RowCros=\x00\x00"s,        // wrong type
        "WidthRis=45",
    };
    std::string text;
    for (const auto* group : {&ours, &foreign})
        for (const std::string& l : *group)
            text += l + "\r\n";
    fs::path ini = home.Write(kIniFileName, text);

    LoadedSettings loaded = LoadSettings(ini);
    ASSERT_TRUE(loaded.FileFound);
    Settings expected;
    expected.ColorRisChis = kSysWindowText;
    expected.WidthRis = 45;
    EXPECT_EQ(loaded.Values, expected);
    auto has = [&](const char* key) {
        return std::any_of(loaded.Problems.begin(), loaded.Problems.end(),
                           [&](const SettingProblem& p) { return p.Key == key; });
    };
    for (const char* key : {"ColorRisFon", "ColorRisText", "TextHeader", "TextAfter", "RowCros"})
        EXPECT_TRUE(has(key)) << key;
    EXPECT_EQ(loaded.Problems.size(), 5u);

    ASSERT_TRUE(SaveSettings(ini, loaded.Values));
    const std::string after = FileText(ini);
    auto lines = Lines(after);
    for (const std::string& l : foreign)
        EXPECT_NE(std::find(lines.begin(), lines.end(), l + "\r"), lines.end());
    // The header is written only by its own command, so its line stays as it was.
    EXPECT_NE(after.find("TextHeader=" + longHeader + "\r\n"), std::string::npos);
    EXPECT_EQ(LoadSettings(ini).Values, expected);
    EXPECT_NE(after.find("ColorRisFon=16777215\r\n"), std::string::npos);
    EXPECT_NE(after.find("ColorRisChis=-2147483640\r\n"), std::string::npos);
}

TEST(Config, AnyBytesAtAllLoadWithoutHarm) {
    TempHome home;
    std::string junk;
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    for (const std::string& bytes :
         {junk, std::string("[OtherParam"), std::string("=\r\n[]\r\n=="), std::string(1 << 20, '[')}) {
        fs::path ini = home.Write(kIniFileName, bytes);
        LoadedSettings loaded = LoadSettings(ini);
        EXPECT_EQ(loaded.Values, Settings());
        ASSERT_TRUE(WriteCrosScan(ini, "Scan"));
        const std::string after = FileText(ini);
        EXPECT_EQ(after.substr(0, bytes.size()), bytes);
        EXPECT_EQ(LoadSettings(ini).Values.CrosScan, "Scan");
    }
}

TEST(Config, MissingFileGivesDefaultsAndWritesCreateIt) {
    TempHome home;
    fs::path ini = home.path() / kIniFileName;
    LoadedSettings loaded = LoadSettings(ini);
    EXPECT_FALSE(loaded.FileFound);
    EXPECT_EQ(loaded.Values, Settings());
    ASSERT_TRUE(WriteCurrGrat(ini, 3));
    EXPECT_EQ(FileText(ini), "[OtherParam]\r\nCurrGrat=3\r\n");
}

TEST(Config, SaveWritesTheSettingsWindowKeysButNotTheOnesWrittenAtOnce) {
    TempHome home;
    fs::path ini = home.Write(kIniFileName, "[OtherParam]\r\nHutchRis=40\r\nCrosScan=Scan\r\nTextAfter=me\r\n"
                                            "[ScanForm]\r\nColorFonForm=5\r\n");
    Settings mem;
    mem.HutchRis = 50;
    mem.HutchPrint = 60;
    mem.CrosScan = "Cros";
    mem.TextAfter = "other";
    mem.ShowPanelMenu = false;
    mem.ColorFonForm = kSysBtnFace;
    mem.FontPrintStyle = {.Underline = true};
    mem.FontRisName = ru("Шрифт");
    ASSERT_TRUE(SaveSettings(ini, mem));

    IniFile file = *IniFile::Load(ini);
    EXPECT_EQ(file.Get("OtherParam", "HutchRis"), "40");
    EXPECT_EQ(file.Get("OtherParam", "HutchPrint"), std::nullopt);
    EXPECT_EQ(file.Get("OtherParam", "CrosScan"), "Scan");
    EXPECT_EQ(file.Get("OtherParam", "TextAfter"), "me");
    for (const char* key : {"ShowPanelMenu", "TextHeader", "CurrGrat", "DefVectFont"})
        EXPECT_EQ(file.Get("OtherParam", key), std::nullopt) << key;
    EXPECT_EQ(file.Get("FontForm", "OnlyCirillic"), std::nullopt);
    EXPECT_EQ(file.Get("ScanOtherParam", "TextHeaderScan"), std::nullopt);
    EXPECT_EQ(file.Get("ScanForm", "ColorFonForm"), "-2147483633");
    EXPECT_EQ(file.Get("FontPrint", "FontPrintStyle"), "0010");

    Settings back = LoadSettings(ini).Values;
    Settings expected = mem;
    expected.HutchRis = 40;
    expected.HutchPrint = 26;
    expected.CrosScan = "Scan";
    expected.TextAfter = "me";
    expected.ShowPanelMenu = true;
    EXPECT_EQ(back, expected);
}

TEST(Config, ResetWritesResetValuesAndReloadsOnlyTheCrosswordSettings) {
    TempHome home;
    fs::path ini = home.Write(kIniFileName, "[OtherParam]\r\nCrosScan=Scan\r\nHutchRis=40\r\nTextHeader=T\r\n"
                                            "[Mine]\r\nx=1\r\n");
    Settings mem;
    mem.ColorRisFon = 5;
    mem.TextHeader = "changed in memory";
    mem.ArrowScan = 1;
    mem.ColorMeanRis = 7;
    ASSERT_TRUE(ResetSettings(ini, mem));

    IniFile file = *IniFile::Load(ini);
    EXPECT_EQ(file.Get("Mine", "x"), "1");
    EXPECT_EQ(file.Get("OtherParam", "CrosScan"), "Scan");
    EXPECT_EQ(file.Get("OtherParam", "TextHeader"), "T");
    EXPECT_EQ(file.Get("OtherParam", "HutchRis"), "26");
    EXPECT_EQ(file.Get("ScanOtherParam", "ArrowScan"), "3");
    EXPECT_EQ(file.Get("ScanRis", "ColorMeanRis"), "65535");

    // A missing header colour is red; after a reset it is green.
    EXPECT_EQ(Settings().ColorRisHeader, 255);
    Settings expected = ResetValues();
    expected.CrosScan = "Scan";
    expected.TextHeader = "T";
    // The scanword values in memory stay as they were until the next start.
    expected.ArrowScan = 1;
    expected.ColorMeanRis = 7;
    expected.ColorFonForm = kSysWindow;
    expected.ColorEmptyPrint = kSysWindow;
    expected.ColorFillPrint = 12632256;
    expected.ColorMeanPrint = 8421376;
    EXPECT_EQ(mem, expected);
    EXPECT_EQ(mem.ColorRisHeader, 32768);
    EXPECT_EQ(mem.FontFormSize, 10);
    EXPECT_EQ(LoadSettings(ini).Values.ArrowScan, 3);
}

TEST(Config, KeysWrittenAtOnceTouchOnlyTheirOwnLine) {
    struct Case {
        const char *section, *key, *value;
        bool (*write)(const fs::path&);
    } cases[] = {
        {"OtherParam", "CrosScan", "Japan", [](const fs::path& p) { return WriteCrosScan(p, "Japan"); }},
        {"OtherParam", "ShowPanelMenu", "0", [](const fs::path& p) { return WriteShowPanelMenu(p, false); }},
        {"FontForm", "OnlyCirillic", "0", [](const fs::path& p) { return WriteOnlyCirillic(p, false); }},
        {"OtherParam", "TextHeader", "\xCA", [](const fs::path& p) { return WriteTextHeader(p, "\xCA"); }},
        {"ScanOtherParam", "TextHeaderScan", "S",
         [](const fs::path& p) { return WriteTextHeaderScan(p, "S"); }},
        {"OtherParam", "HutchRis", "33", [](const fs::path& p) { return WriteHutchRis(p, 33); }},
        {"OtherParam", "HutchRis", "10", [](const fs::path& p) { return WriteHutchRis(p, 3); }},
        {"OtherParam", "HutchPrint", "80", [](const fs::path& p) { return WriteHutchPrint(p, 200); }},
        {"OtherParam", "CurrGrat", "7", [](const fs::path& p) { return WriteCurrGrat(p, 7); }},
        {"OtherParam", "TextAfter", "Name", [](const fs::path& p) { return WriteTextAfter(p, "Name"); }},
        {"OtherParam", "DefVectFont", "Serif",
         [](const fs::path& p) { return WriteDefVectFont(p, "Serif"); }},
    };
    const std::string original = "; mine\r\n[OtherParam]\r\nWidthRis=45\r\nTextHeader=old\r\nX=1\r\n\r\n"
                                 "[Other]\r\nCrosScan=keep\r\n";
    for (const Case& c : cases) {
        TempHome home;
        fs::path ini = home.Write(kIniFileName, original);
        ASSERT_TRUE(c.write(ini)) << c.key;
        IniFile file = *IniFile::Load(ini);
        EXPECT_EQ(file.Get(c.section, c.key), c.value) << c.key;
        // Put the key back as it was: the rest of the file must be untouched.
        if (std::string_view(c.key) == "TextHeader")
            file.Set(c.section, c.key, "old");
        else
            file.Remove(c.section, c.key);
        std::string rest = file.Text();
        if (std::string_view(c.section) == "ScanOtherParam" || std::string_view(c.section) == "FontForm") {
            const std::string added = std::string("\r\n[") + c.section + "]\r\n";
            ASSERT_TRUE(rest.ends_with(added)) << c.key;
            rest.resize(rest.size() - added.size());
        }
        EXPECT_EQ(rest, original) << c.key;
    }
}

TEST(Config, HeaderTemplatesFollowTheirNumbers) {
    TempHome home;
    EXPECT_TRUE(LoadHeaderTemplates(home.path() / kIniFileName).empty());
    fs::path ini = home.Write(kIniFileName, "[OtherParam]\r\nTextHeader=X\r\n[TextHeader]\r\nNote=mine\r\n"
                                            "TextHeader1=A\r\nTextHeader2=B\r\nTextHeader3=C\r\n"
                                            "TextHeader5=far\r\n");
    EXPECT_EQ(LoadHeaderTemplates(ini), (std::vector<std::string>{"A", "B", "C"}));

    ASSERT_TRUE(WriteHeaderTemplate(ini, 4, "D"));
    EXPECT_EQ(LoadHeaderTemplates(ini), (std::vector<std::string>{"A", "B", "C", "D", "far"}));

    // Deleting B and D: the list is rewritten and the numbers beyond its end deleted.
    ASSERT_TRUE(WriteHeaderTemplates(ini, {"A", "C", "far"}));
    IniFile file = *IniFile::Load(ini);
    EXPECT_EQ(file.Keys("TextHeader"),
              (std::vector<std::string>{"Note", "TextHeader1", "TextHeader2", "TextHeader3"}));
    EXPECT_EQ(file.Get("TextHeader", "TextHeader2"), "C");
    EXPECT_EQ(file.Get("OtherParam", "TextHeader"), "X");

    // An unreadable template keeps its place, so the ones after it are not lost.
    home.Write(kIniFileName, "[TextHeader]\r\nTextHeader1=A\r\nTextHeader2=\x98\r\nTextHeader3=C\r\n");
    EXPECT_EQ(LoadHeaderTemplates(ini), (std::vector<std::string>{"A", "", "C"}));
}

TEST(Config, ColoursResolveToRgb) {
    SystemPalette custom = ClassicSystemPalette();
    custom[5] = {1, 2, 3};
    struct Case {
        TColor stored;
        Rgb classic, withCustom;
    } cases[] = {
        {255, {255, 0, 0}, {255, 0, 0}},
        {8421376, {0, 128, 128}, {0, 128, 128}},
        {8388608, {0, 0, 128}, {0, 0, 128}},
        {16777215, {255, 255, 255}, {255, 255, 255}},
        {kSysWindow, {255, 255, 255}, {1, 2, 3}},
        {kSysWindowText, {0, 0, 0}, {0, 0, 0}},
        {kSysInfoBk, {255, 255, 225}, {255, 255, 225}},
        {-2147483393, {0, 0, 0}, {0, 0, 0}}, // index 255: no such system colour
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveColor(c.stored), c.classic) << c.stored;
        EXPECT_EQ(ResolveColor(c.stored, custom), c.withCustom) << c.stored;
    }
}

TEST(Config, DefaultFileIsWrittenOnlyWhereNoneExists) {
    TempHome home;
    fs::path ini = home.path() / kIniFileName;
    ASSERT_TRUE(WriteDefaultIni(ini));
    EXPECT_EQ(FileText(ini), DefaultIniText());
    home.Write(kIniFileName, "[OtherParam]\r\nCrosScan=Scan\r\n");
    EXPECT_FALSE(WriteDefaultIni(ini));
    EXPECT_EQ(FileText(ini), "[OtherParam]\r\nCrosScan=Scan\r\n");
}

TEST(Config, AFileThatCannotBeReadIsNeverRewritten) {
    TempHome home;
    const std::string text = "[OtherParam]\r\nCrosScan=Scan\r\n[Mine]\r\nx=1\r\n";
    fs::path ini = home.Write(kIniFileName, text);
    fs::permissions(ini, fs::perms::none);
    if (ReadFileBytes(ini)) GTEST_SKIP() << "this user reads files without permission";
    EXPECT_FALSE(WriteCrosScan(ini, "Cros"));
    EXPECT_FALSE(SaveSettings(ini, Settings()));
    Settings mem;
    mem.CrosScan = "Scan";
    EXPECT_FALSE(ResetSettings(ini, mem));
    EXPECT_EQ(mem.ColorRisHeader, 32768); // the reset still holds for this run
    EXPECT_EQ(mem.CrosScan, "Scan");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileText(ini), text);
}
