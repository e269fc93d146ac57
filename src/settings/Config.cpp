#include "settings/Config.h"

#include "platform/Text.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <variant>

namespace vez {

namespace {

enum class Type { Colour, Int, Bool, Text, Style };

// What happens to a number outside its range: pulled to the nearest end, or refused so the key takes
// its default (codes that choose among a few forms, where a neighbour is no better than the default;
// font sizes and storage numbers, where an absurd value says the line is damaged).
enum class Range { None, Clamp, Refuse };

// What a text must be to be taken.
enum class TextRule { Any, NonEmpty, PictureFormat };

using Member =
    std::variant<TColor Settings::*, bool Settings::*, std::string Settings::*, FontStyle Settings::*>;

struct KeyDef {
    const char* section;
    const char* key;
    Type type;
    Member member;
    SettingsGroup group;
    bool saved; // has a reset value: written by Save (Hutch keys aside) and by Reset
    Range range = Range::None;
    int lo = 0, hi = 0;
    TextRule text = TextRule::Any;
};

// The scanword settings are exactly the sections whose names begin with "Scan".
constexpr SettingsGroup GroupOf(const char* section) {
    return std::string_view(section).starts_with("Scan") ? SettingsGroup::Scan : SettingsGroup::Cros;
}

// The key's name in the file is the member's name.
// clang-format off
#define COLOUR(sec, k) KeyDef{sec, #k, Type::Colour, &Settings::k, GroupOf(sec), true}
#define BOOL_(sec, k, saved) KeyDef{sec, #k, Type::Bool, &Settings::k, GroupOf(sec), saved}
#define INT_(sec, k, saved, rng, lo, hi) KeyDef{sec, #k, Type::Int, &Settings::k, GroupOf(sec), saved, rng, lo, hi}
#define TEXT_(sec, k, saved, rule) KeyDef{sec, #k, Type::Text, &Settings::k, GroupOf(sec), saved, Range::None, 0, 0, rule}
#define STYLE_(sec, k) KeyDef{sec, #k, Type::Style, &Settings::k, GroupOf(sec), true}
// clang-format on

// In the order of the delivered file.
const std::vector<KeyDef>& Keys() {
    static const std::vector<KeyDef> keys = {
        COLOUR("ColorForm", ColorFormFon),
        COLOUR("ColorForm", ColorFormText),
        COLOUR("ColorForm", ColorFormFonText),
        COLOUR("ColorForm", ColorFormPole),
        COLOUR("ColorForm", ColorFormResh),
        COLOUR("ColorForm", ColorFormFonOut),
        COLOUR("ColorForm", ColorFormChis),
        COLOUR("ColorForm", ColorFormLbl),

        COLOUR("ColorRis", ColorRisFon),
        COLOUR("ColorRis", ColorRisText),
        COLOUR("ColorRis", ColorRisFonText),
        COLOUR("ColorRis", ColorRisPole),
        COLOUR("ColorRis", ColorRisResh),
        COLOUR("ColorRis", ColorRisChis),
        COLOUR("ColorRis", ColorRisHeader),

        COLOUR("ColorPrint", ColorPrintText),
        COLOUR("ColorPrint", ColorPrintPole),
        COLOUR("ColorPrint", ColorPrintResh),
        COLOUR("ColorPrint", ColorPrintChis),
        COLOUR("ColorPrint", ColorPrintHeader),

        COLOUR("ColorOther", ColorGratCurFon),
        COLOUR("ColorOther", ColorGratCurPen),
        COLOUR("ColorOther", ColorGratSaveFon),
        COLOUR("ColorOther", ColorGratSavePen),
        COLOUR("ColorOther", ColorSelFont),
        COLOUR("ColorOther", ColorViewFon),
        COLOUR("ColorOther", ColorViewPole),
        COLOUR("ColorOther", ColorViewLine),
        COLOUR("ColorOther", ColorViewSimbol),
        COLOUR("ColorOther", ColorViewGridFon),
        COLOUR("ColorOther", ColorViewGridText),
        COLOUR("ColorOther", ColorRemakePole),
        COLOUR("ColorOther", ColorRemakeNum),
        COLOUR("ColorOther", ColorRemakeFonNum),
        COLOUR("ColorOther", ColorRemakeLine),
        COLOUR("ColorOther", ColorRemakeCur),
        COLOUR("ColorOther", ColorRemakeRep),

        TEXT_("FontForm", FontFormName, true, TextRule::NonEmpty),
        INT_("FontForm", FontFormSize, true, Range::Refuse, 1, 200),
        STYLE_("FontForm", FontFormStyle),
        BOOL_("FontForm", OnlyCirillic, false),

        TEXT_("FontRis", FontRisName, true, TextRule::NonEmpty),
        INT_("FontRis", FontRisSize, true, Range::Refuse, 1, 200),
        STYLE_("FontRis", FontRisStyle),
        TEXT_("FontRis", FontRisHeaderName, true, TextRule::NonEmpty),
        INT_("FontRis", FontRisHeaderSize, true, Range::Refuse, 1, 200),
        STYLE_("FontRis", FontRisHeaderStyle),

        TEXT_("FontPrint", FontPrintName, true, TextRule::NonEmpty),
        INT_("FontPrint", FontPrintSize, true, Range::Refuse, 1, 200),
        STYLE_("FontPrint", FontPrintStyle),
        TEXT_("FontPrint", FontPrintHeaderName, true, TextRule::NonEmpty),
        INT_("FontPrint", FontPrintHeaderSize, true, Range::Refuse, 1, 200),
        STYLE_("FontPrint", FontPrintHeaderStyle),

        TEXT_("OtherParam", CrosScan, false, TextRule::Any),
        BOOL_("OtherParam", ShowPanelMenu, false),
        INT_("OtherParam", CurrGrat, false, Range::Refuse, 1, 100),
        INT_("OtherParam", AddToHeader, true, Range::Refuse, 0, 2),
        INT_("OtherParam", RegHeader, true, Range::Refuse, 0, 2),
        TEXT_("OtherParam", TextHeader, false, TextRule::Any),
        INT_("OtherParam", WidthRis, true, Range::Clamp, 30, 100),
        INT_("OtherParam", SpaceHeaderRis, true, Range::Clamp, 0, 20),
        INT_("OtherParam", SpaceHeaderPrint, true, Range::Clamp, 0, 20),
        INT_("OtherParam", HutchRis, true, Range::Clamp, 10, 80),
        INT_("OtherParam", HutchPrint, true, Range::Clamp, 10, 80),
        INT_("OtherParam", FormCellRis, true, Range::Refuse, 0, 2),
        INT_("OtherParam", FormCellPrint, true, Range::Refuse, 0, 2),
        BOOL_("OtherParam", TextAnswerUnderRis, true),
        BOOL_("OtherParam", TextAnswerUnderPrint, true),
        BOOL_("OtherParam", ReshAnswerUnderRis, true),
        BOOL_("OtherParam", ReshAnswerUnderPrint, true),
        BOOL_("OtherParam", FrameGratRis, true),
        BOOL_("OtherParam", FrameGratPrint, true),
        BOOL_("OtherParam", TextToReshRis, true),
        BOOL_("OtherParam", TextToReshPrint, true),
        BOOL_("OtherParam", FrameImgRis, true),
        BOOL_("OtherParam", FrameImgPrint, true),
        BOOL_("OtherParam", GratRLRis, true),
        BOOL_("OtherParam", GratRLPrint, true),
        BOOL_("OtherParam", StringTextRis, true),
        BOOL_("OtherParam", StringTextPrint, true),
        BOOL_("OtherParam", HeaderGratAnswerRis, true),
        BOOL_("OtherParam", HeaderGratAnswerPrint, true),
        BOOL_("OtherParam", CellEmptyRis, true),
        BOOL_("OtherParam", CellEmptyPrint, true),
        TEXT_("OtherParam", TextAfter, false, TextRule::Any),
        BOOL_("OtherParam", ShadeRisPrint, true),
        BOOL_("OtherParam", FloatLogo, true),
        INT_("OtherParam", RowCros, true, Range::Clamp, 0, 6),
        INT_("OtherParam", RowAnswer, true, Range::Clamp, 0, 6),
        BOOL_("OtherParam", Sound, true),
        TEXT_("OtherParam", FormatRis, true, TextRule::PictureFormat),
        TEXT_("OtherParam", DefVectFont, false, TextRule::NonEmpty),

        INT_("ScanOtherParam", ArrowScan, true, Range::Refuse, 0, 3),
        INT_("ScanOtherParam", BetwCellScan, true, Range::Clamp, 0, 5),
        BOOL_("ScanOtherParam", PermitArrow, true),
        INT_("ScanOtherParam", RowAnswerScan, true, Range::Clamp, 0, 255),
        BOOL_("ScanOtherParam", StringAnswRis, true),
        BOOL_("ScanOtherParam", StringAnswPrint, true),
        BOOL_("ScanOtherParam", TextAnswerUnderRisScan, true),
        BOOL_("ScanOtherParam", TextAnswerUnderPrintScan, true),
        BOOL_("ScanOtherParam", ReshAnswerUnderRisScan, true),
        BOOL_("ScanOtherParam", ReshAnswerUnderPrintScan, true),
        TEXT_("ScanOtherParam", TextHeaderScan, false, TextRule::Any),
        BOOL_("ScanOtherParam", IncludePicRis, true),
        BOOL_("ScanOtherParam", IncludePicPrint, true),

        COLOUR("ScanForm", ColorFonForm),
        COLOUR("ScanForm", ColorEmptyForm),
        COLOUR("ScanForm", ColorFillForm),
        COLOUR("ScanForm", ColorLineForm),
        COLOUR("ScanForm", ColorMeanForm),
        COLOUR("ScanForm", ColorMeanView),
        COLOUR("ScanForm", ColorTextForm),

        COLOUR("ScanRis", ColorFonRis),
        COLOUR("ScanRis", ColorEmptyRis),
        COLOUR("ScanRis", ColorFillRis),
        COLOUR("ScanRis", ColorLineRis),
        COLOUR("ScanRis", ColorMeanRis),
        COLOUR("ScanRis", ColorTextRis),

        COLOUR("ScanPrint", ColorFonPrint),
        COLOUR("ScanPrint", ColorEmptyPrint),
        COLOUR("ScanPrint", ColorFillPrint),
        COLOUR("ScanPrint", ColorLinePrint),
        COLOUR("ScanPrint", ColorMeanPrint),
        COLOUR("ScanPrint", ColorTextPrint),
    };
    return keys;
}

#undef COLOUR
#undef BOOL_
#undef INT_
#undef TEXT_
#undef STYLE_

const KeyDef& Def(std::string_view key) {
    for (const KeyDef& d : Keys())
        if (key == d.key) return d;
    std::abort(); // only the functions below name keys, each one from the table
}

// Decimal, or hexadecimal after '$' (up to 32 bits, so $80000005 is the window background);
// an optional sign comes first. Anything else, or a decimal outside 32 bits, does not parse.
std::optional<std::int32_t> ParseInt(std::string_view s) {
    bool neg = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        neg = s.front() == '-';
        s.remove_prefix(1);
    }
    std::int64_t v = 0;
    if (!s.empty() && s.front() == '$') {
        s.remove_prefix(1);
        if (s.empty() || s.size() > 8) return std::nullopt;
        std::uint32_t u = 0;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), u, 16);
        if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
        if (neg) u = 0u - u;
        return static_cast<std::int32_t>(u);
    }
    if (s.empty() || s.size() > 11) return std::nullopt;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 10);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    if (neg) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::optional<FontStyle> ParseStyle(std::string_view s) {
    if (s.size() != 4) return std::nullopt;
    return FontStyle{s[0] == '1', s[1] == '1', s[2] == '1', s[3] == '1'};
}

// Text the file may hold: no control characters, no byte the code page leaves undefined, and not
// UTF-8 (an editor that saved the file as UTF-8 would otherwise show its bytes as Cyrillic junk).
bool IsCp1251Text(std::string_view s) {
    bool high = false;
    for (unsigned char c : s) {
        if ((c < 0x20 && c != '\t') || c == 0x7F || c == 0x98) return false;
        high = high || c >= 0x80;
    }
    return !(high && IsValidUtf8(s));
}

std::optional<std::string> ParseText(std::string_view s, TextRule rule) {
    if (s.size() > kMaxIniText || !IsCp1251Text(s)) return std::nullopt;
    switch (rule) {
    case TextRule::Any:
        break;
    case TextRule::NonEmpty:
        if (s.empty()) return std::nullopt;
        break;
    case TextRule::PictureFormat: {
        std::string f = LowerCase(s);
        if (f != "bmp" && f != "jpg" && f != "emf") return std::nullopt;
        return f;
    }
    }
    return std::string(s);
}

// Applies one stored value to `s`; false when it is unreadable. `clamped` tells a value pulled
// into its range.
bool Apply(const KeyDef& d, std::string_view raw, Settings& s, bool& clamped) {
    clamped = false;
    switch (d.type) {
    case Type::Colour:
    case Type::Int: {
        auto v = ParseInt(raw);
        if (!v) return false;
        int x = *v;
        if (d.range != Range::None && (x < d.lo || x > d.hi)) {
            if (d.range == Range::Refuse) return false;
            x = x < d.lo ? d.lo : d.hi;
            clamped = true;
        }
        s.*std::get<TColor Settings::*>(d.member) = x;
        return true;
    }
    case Type::Bool: {
        auto v = ParseInt(raw);
        if (!v) return false;
        s.*std::get<bool Settings::*>(d.member) = *v != 0;
        return true;
    }
    case Type::Text: {
        auto v = ParseText(raw, d.text);
        if (!v) return false;
        s.*std::get<std::string Settings::*>(d.member) = std::move(*v);
        return true;
    }
    case Type::Style: {
        auto v = ParseStyle(raw);
        if (!v) return false;
        s.*std::get<FontStyle Settings::*>(d.member) = *v;
        return true;
    }
    }
    return false;
}

std::string Format(const KeyDef& d, const Settings& s) {
    switch (d.type) {
    case Type::Colour:
    case Type::Int:
        return std::to_string(s.*std::get<TColor Settings::*>(d.member));
    case Type::Bool:
        return s.*std::get<bool Settings::*>(d.member) ? "1" : "0";
    case Type::Text: {
        const std::string& t = s.*std::get<std::string Settings::*>(d.member);
        return t.substr(0, kMaxIniText);
    }
    case Type::Style:
        return FontStyleText(s.*std::get<FontStyle Settings::*>(d.member));
    }
    return {};
}

// The file as it stands, or an empty one when there is none yet; nullopt when it exists but cannot
// be read, since rewriting it then would drop every line we could not see.
std::optional<IniFile> LoadForUpdate(const fs::path& path) {
    if (auto ini = IniFile::Load(path)) return ini;
    std::error_code ec;
    if (fs::exists(path, ec) || ec) return std::nullopt;
    return IniFile{};
}

// Writes the given values of `keys` into the file, keeping all its other lines.
bool WriteKeys(const fs::path& path, const Settings& values, std::initializer_list<std::string_view> keys) {
    auto ini = LoadForUpdate(path);
    if (!ini) return false;
    for (std::string_view k : keys) {
        const KeyDef& d = Def(k);
        ini->Set(d.section, d.key, Format(d, values));
    }
    return ini->Save(path);
}

void WriteSaved(IniFile& ini, const Settings& values, bool withHutch) {
    for (const KeyDef& d : Keys()) {
        if (!d.saved) continue;
        if (!withHutch &&
            (d.member == Member(&Settings::HutchRis) || d.member == Member(&Settings::HutchPrint)))
            continue;
        ini.Set(d.section, d.key, Format(d, values));
    }
}

constexpr const char* kTemplateSection = "TextHeader";

std::string TemplateKey(size_t number) {
    return "TextHeader" + std::to_string(number);
}

int ClampHutch(int cells) {
    return cells < 10 ? 10 : cells > 80 ? 80 : cells;
}

} // namespace

Settings::Settings() : TextHeader(ru("КРОССВОРД")), TextHeaderScan(ru("СКАНВОРД")) {}

Settings ResetValues() {
    Settings r;
    r.ColorRisHeader = 32768;
    r.ColorPrintHeader = 16711680;
    r.FontFormSize = 10;
    r.RegHeader = 2;
    r.FormCellPrint = 1;
    r.TextAnswerUnderRis = true;
    r.StringTextRis = false;
    r.HeaderGratAnswerPrint = true;
    r.ArrowScan = 3;
    r.ColorFonForm = kSysBtnFace;
    r.ColorMeanRis = 65535;
    r.ColorEmptyPrint = 16777215;
    r.ColorFillPrint = 16777215;
    r.ColorMeanPrint = 12632256;
    return r;
}

const SystemPalette& ClassicSystemPalette() {
    static const SystemPalette p = {{
        {0xC0, 0xC0, 0xC0}, // 0 scroll bar
        {0x00, 0x80, 0x80}, // 1 desktop
        {0x00, 0x00, 0x80}, // 2 active caption
        {0x80, 0x80, 0x80}, // 3 inactive caption
        {0xC0, 0xC0, 0xC0}, // 4 menu
        {0xFF, 0xFF, 0xFF}, // 5 window background
        {0x00, 0x00, 0x00}, // 6 window frame
        {0x00, 0x00, 0x00}, // 7 menu text
        {0x00, 0x00, 0x00}, // 8 window text
        {0xFF, 0xFF, 0xFF}, // 9 caption text
        {0xC0, 0xC0, 0xC0}, // 10 active border
        {0xC0, 0xC0, 0xC0}, // 11 inactive border
        {0x80, 0x80, 0x80}, // 12 application workspace
        {0x00, 0x00, 0x80}, // 13 highlight
        {0xFF, 0xFF, 0xFF}, // 14 highlight text
        {0xC0, 0xC0, 0xC0}, // 15 button face
        {0x80, 0x80, 0x80}, // 16 button shadow
        {0x80, 0x80, 0x80}, // 17 grey text
        {0x00, 0x00, 0x00}, // 18 button text
        {0xC0, 0xC0, 0xC0}, // 19 inactive caption text
        {0xFF, 0xFF, 0xFF}, // 20 button highlight
        {0x00, 0x00, 0x00}, // 21 3D dark shadow
        {0xDF, 0xDF, 0xDF}, // 22 3D light
        {0x00, 0x00, 0x00}, // 23 tooltip text
        {0xFF, 0xFF, 0xE1}, // 24 tooltip background
        {0xB5, 0xB5, 0xB5}, // 25 (unused)
        {0x00, 0x00, 0xFF}, // 26 hot light
        {0x10, 0x84, 0xD0}, // 27 active caption gradient
        {0xB5, 0xB5, 0xB5}, // 28 inactive caption gradient
        {0x00, 0x00, 0x80}, // 29 menu highlight
        {0xC0, 0xC0, 0xC0}, // 30 menu bar
    }};
    return p;
}

Rgb ResolveColor(TColor c, const SystemPalette& palette) {
    auto u = static_cast<std::uint32_t>(c);
    if (c < 0) {
        std::uint32_t index = u & 0xFF;
        return index < palette.size() ? palette[index] : Rgb{};
    }
    return Rgb{static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>((u >> 8) & 0xFF),
               static_cast<std::uint8_t>((u >> 16) & 0xFF)};
}

std::string FontStyleText(const FontStyle& s) {
    std::string t;
    for (bool on : {s.Bold, s.Italic, s.Underline, s.StrikeOut})
        t += on ? '1' : '0';
    return t;
}

void ReadSettings(const IniFile& ini, Settings& s, SettingsGroup group,
                  std::vector<SettingProblem>* problems) {
    const Settings defaults;
    for (const KeyDef& d : Keys()) {
        if (group != SettingsGroup::All && d.group != group) continue;
        // A key that cannot be read takes its default even when `s` held something else.
        std::visit([&](auto m) { s.*m = defaults.*m; }, d.member);
        auto raw = ini.Get(d.section, d.key);
        if (!raw) continue;
        bool clamped = false;
        bool ok = Apply(d, *raw, s, clamped);
        if (problems && (!ok || clamped))
            problems->push_back(
                {d.section, d.key, ok ? SettingProblem::Clamped : SettingProblem::Unreadable});
    }
}

LoadedSettings LoadSettings(const fs::path& path) {
    LoadedSettings r;
    auto ini = IniFile::Load(path);
    r.FileFound = ini.has_value();
    if (ini) ReadSettings(*ini, r.Values, SettingsGroup::All, &r.Problems);
    return r;
}

bool SaveSettings(const fs::path& path, const Settings& s) {
    auto ini = LoadForUpdate(path);
    if (!ini) return false;
    WriteSaved(*ini, s, false);
    return ini->Save(path);
}

bool ResetSettings(const fs::path& path, Settings& s) {
    auto file = LoadForUpdate(path);
    // Read back from what was to be written, so that the reset applies for this run even when the
    // file could not be read or written (then the keys without a reset keep their values in memory).
    IniFile ini = file ? std::move(*file) : SettingsToIni(s);
    WriteSaved(ini, ResetValues(), true);
    bool ok = file.has_value() && ini.Save(path);
    ReadSettings(ini, s, SettingsGroup::Cros);
    return ok;
}

bool WriteCrosScan(const fs::path& path, std::string_view mode) {
    Settings v;
    v.CrosScan = mode;
    return WriteKeys(path, v, {"CrosScan"});
}

bool WriteShowPanelMenu(const fs::path& path, bool on) {
    Settings v;
    v.ShowPanelMenu = on;
    return WriteKeys(path, v, {"ShowPanelMenu"});
}

bool WriteOnlyCirillic(const fs::path& path, bool on) {
    Settings v;
    v.OnlyCirillic = on;
    return WriteKeys(path, v, {"OnlyCirillic"});
}

bool WriteTextHeader(const fs::path& path, std::string_view text) {
    Settings v;
    v.TextHeader = text;
    return WriteKeys(path, v, {"TextHeader"});
}

bool WriteTextHeaderScan(const fs::path& path, std::string_view text) {
    Settings v;
    v.TextHeaderScan = text;
    return WriteKeys(path, v, {"TextHeaderScan"});
}

bool WriteHutchRis(const fs::path& path, int cells) {
    Settings v;
    v.HutchRis = ClampHutch(cells);
    return WriteKeys(path, v, {"HutchRis"});
}

bool WriteHutchPrint(const fs::path& path, int cells) {
    Settings v;
    v.HutchPrint = ClampHutch(cells);
    return WriteKeys(path, v, {"HutchPrint"});
}

bool WriteCurrGrat(const fs::path& path, int storage) {
    Settings v;
    v.CurrGrat = storage;
    return WriteKeys(path, v, {"CurrGrat"});
}

bool WriteTextAfter(const fs::path& path, std::string_view text) {
    Settings v;
    v.TextAfter = text;
    return WriteKeys(path, v, {"TextAfter"});
}

bool WriteDefVectFont(const fs::path& path, std::string_view face) {
    Settings v;
    v.DefVectFont = face;
    return WriteKeys(path, v, {"DefVectFont"});
}

std::vector<std::string> ReadHeaderTemplates(const IniFile& ini) {
    std::vector<std::string> list;
    for (size_t i = 1;; ++i) {
        auto raw = ini.Get(kTemplateSection, TemplateKey(i));
        if (!raw) break;
        // An unreadable template keeps its place as an empty line, so the ones after it survive.
        auto text = ParseText(*raw, TextRule::Any);
        list.push_back(text ? std::move(*text) : std::string());
    }
    return list;
}

std::vector<std::string> LoadHeaderTemplates(const fs::path& path) {
    auto ini = IniFile::Load(path);
    return ini ? ReadHeaderTemplates(*ini) : std::vector<std::string>{};
}

bool WriteHeaderTemplate(const fs::path& path, int number, std::string_view text) {
    auto ini = LoadForUpdate(path);
    if (!ini || number < 1) return false;
    ini->Set(kTemplateSection, TemplateKey(static_cast<size_t>(number)), text.substr(0, kMaxIniText));
    return ini->Save(path);
}

bool WriteHeaderTemplates(const fs::path& path, const std::vector<std::string>& templates) {
    auto ini = LoadForUpdate(path);
    if (!ini) return false;
    for (size_t i = 0; i < templates.size(); ++i)
        ini->Set(kTemplateSection, TemplateKey(i + 1), std::string_view(templates[i]).substr(0, kMaxIniText));
    for (size_t j = templates.size() + 1; ini->Remove(kTemplateSection, TemplateKey(j)); ++j) {
    }
    return ini->Save(path);
}

std::vector<std::string> DefaultHeaderTemplates() {
    return {ru("Кроссворд"),     ru("Сканворд"),     ru("для всей семьи"),
            ru("выходного дня"), ru("тематический"), ru("Ответы")};
}

IniFile SettingsToIni(const Settings& s) {
    IniFile ini;
    for (const KeyDef& d : Keys())
        ini.Set(d.section, d.key, Format(d, s));
    return ini;
}

std::string DefaultIniText() {
    IniFile ini = SettingsToIni(Settings());
    auto templates = DefaultHeaderTemplates();
    for (size_t i = 0; i < templates.size(); ++i)
        ini.Set(kTemplateSection, TemplateKey(i + 1), templates[i]);
    return ini.Text();
}

bool WriteDefaultIni(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec) || ec) return false;
    return WriteFileBytes(path, DefaultIniText());
}

} // namespace vez
