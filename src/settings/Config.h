// The user's settings, kept in Vezd.ini in the program folder: every key with its type, the value
// used when it is missing or unreadable, the value of a reset, and the rules for saving, resetting
// and the keys written at once.
#pragma once

#include "platform/Rgb.h"

#include "settings/IniFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

inline constexpr const char* kIniFileName = "Vezd.ini";

// A colour as the file stores it: blue * 65536 + green * 256 + red; a negative value is a system
// colour whose low byte names it.
using TColor = std::int32_t;

inline constexpr TColor kSysDesktop = -2147483647;    // index 1
inline constexpr TColor kSysWindow = -2147483643;     // index 5, window background
inline constexpr TColor kSysWindowText = -2147483640; // index 8
inline constexpr TColor kSysBtnFace = -2147483633;    // index 15
inline constexpr TColor kSysInfoBk = -2147483624;     // index 24, tooltip background

// The colours of the system colour indices 0 … 30; the windows may fill it from the desktop's
// palette, otherwise the classic grey scheme is used.
using SystemPalette = std::array<Rgb, 31>;
const SystemPalette& ClassicSystemPalette();
// RGB of a stored colour; a system colour is looked up in `palette` (an unknown index is black).
Rgb ResolveColor(TColor c, const SystemPalette& palette = ClassicSystemPalette());

// Stored as four characters, "1" meaning on: bold, italic, underline, strike-out.
struct FontStyle {
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    bool operator==(const FontStyle&) const = default;
};
std::string FontStyleText(const FontStyle& s);

// Every setting, initialised with the value used when its key is missing. Members carry the key
// names of the file.
struct Settings {
    // [ColorForm]
    TColor ColorFormFon = 12632256;
    TColor ColorFormText = kSysWindowText;
    TColor ColorFormFonText = kSysWindow;
    TColor ColorFormPole = 8421376;
    TColor ColorFormResh = 0;
    TColor ColorFormFonOut = 8421504;
    TColor ColorFormChis = 8388608;
    TColor ColorFormLbl = 0;
    // [ColorRis]
    TColor ColorRisFon = 16777215;
    TColor ColorRisText = 0;
    TColor ColorRisFonText = 16777215;
    TColor ColorRisPole = 8421376;
    TColor ColorRisResh = 0;
    TColor ColorRisChis = 255;
    TColor ColorRisHeader = 255;
    // [ColorPrint]
    TColor ColorPrintText = 0;
    TColor ColorPrintPole = 12632256;
    TColor ColorPrintResh = 0;
    TColor ColorPrintChis = 255;
    TColor ColorPrintHeader = 0;
    // [ColorOther]
    TColor ColorGratCurFon = 8388608;
    TColor ColorGratCurPen = 12632256;
    TColor ColorGratSaveFon = 8388608;
    TColor ColorGratSavePen = 8421376;
    TColor ColorSelFont = 255;
    TColor ColorViewFon = 32896;
    TColor ColorViewPole = 0;
    TColor ColorViewLine = 0;
    TColor ColorViewSimbol = 0;
    TColor ColorViewGridFon = kSysInfoBk;
    TColor ColorViewGridText = 8388608;
    TColor ColorRemakePole = 8421504;
    TColor ColorRemakeNum = 16777215;
    TColor ColorRemakeFonNum = 8421376;
    TColor ColorRemakeLine = 0;
    TColor ColorRemakeCur = 0;
    TColor ColorRemakeRep = 65280;
    // [FontForm]
    std::string FontFormName = "MS Sans Serif";
    int FontFormSize = 8;
    FontStyle FontFormStyle;
    bool OnlyCirillic = true;
    // [FontRis]
    std::string FontRisName = "MS Sans Serif";
    int FontRisSize = 10;
    FontStyle FontRisStyle;
    std::string FontRisHeaderName = "MS Sans Serif";
    int FontRisHeaderSize = 14;
    FontStyle FontRisHeaderStyle{.Bold = true};
    // [FontPrint]
    std::string FontPrintName = "Arial";
    int FontPrintSize = 10;
    FontStyle FontPrintStyle;
    std::string FontPrintHeaderName = "Arial";
    int FontPrintHeaderSize = 14;
    FontStyle FontPrintHeaderStyle{.Bold = true};
    // [OtherParam]
    std::string CrosScan = "Cros"; // the mode as stored; start-up decides what it selects
    bool ShowPanelMenu = true;
    int CurrGrat = 1;
    int AddToHeader = 0;
    int RegHeader = 0;
    std::string TextHeader; // "КРОССВОРД" (Windows-1251, set by the constructor)
    int WidthRis = 60;
    int SpaceHeaderRis = 2;
    int SpaceHeaderPrint = 3;
    int HutchRis = 26;
    int HutchPrint = 26;
    int FormCellRis = 1;
    int FormCellPrint = 0;
    bool TextAnswerUnderRis = false;
    bool TextAnswerUnderPrint = true;
    bool ReshAnswerUnderRis = false;
    bool ReshAnswerUnderPrint = false;
    bool FrameGratRis = false;
    bool FrameGratPrint = false;
    bool TextToReshRis = true;
    bool TextToReshPrint = true;
    bool FrameImgRis = true;
    bool FrameImgPrint = true;
    bool GratRLRis = true;
    bool GratRLPrint = true;
    bool StringTextRis = true;
    bool StringTextPrint = false;
    bool HeaderGratAnswerRis = true;
    bool HeaderGratAnswerPrint = false;
    bool CellEmptyRis = false;
    bool CellEmptyPrint = true;
    std::string TextAfter;
    bool ShadeRisPrint = true;
    bool FloatLogo = true;
    int RowCros = 0;
    int RowAnswer = 0;
    bool Sound = false;
    std::string FormatRis = "bmp";
    std::string DefVectFont = "Times New Roman";
    // [ScanOtherParam]
    int ArrowScan = 0;
    int BetwCellScan = 0;
    bool PermitArrow = false;
    int RowAnswerScan = 0;
    bool StringAnswRis = false;
    bool StringAnswPrint = false;
    bool TextAnswerUnderRisScan = false;
    bool TextAnswerUnderPrintScan = false;
    bool ReshAnswerUnderRisScan = false;
    bool ReshAnswerUnderPrintScan = false;
    std::string TextHeaderScan; // "СКАНВОРД" (Windows-1251, set by the constructor)
    bool IncludePicRis = true;
    bool IncludePicPrint = true;
    // [ScanForm]
    TColor ColorFonForm = kSysWindow;
    TColor ColorEmptyForm = 16777215;
    TColor ColorFillForm = 12632256;
    TColor ColorLineForm = 0;
    TColor ColorMeanForm = 8421376;
    TColor ColorMeanView = kSysDesktop;
    TColor ColorTextForm = 0;
    // [ScanRis]
    TColor ColorFonRis = 16777215;
    TColor ColorEmptyRis = 16777215;
    TColor ColorFillRis = 12632256;
    TColor ColorLineRis = 0;
    TColor ColorMeanRis = 8421376;
    TColor ColorTextRis = 0;
    // [ScanPrint]
    TColor ColorFonPrint = 16777215;
    TColor ColorEmptyPrint = kSysWindow;
    TColor ColorFillPrint = 12632256;
    TColor ColorLinePrint = 0;
    TColor ColorMeanPrint = 8421376;
    TColor ColorTextPrint = 0;

    Settings();
    bool operator==(const Settings&) const = default;
};

// The values a reset writes (the defaults where the reset does not differ).
Settings ResetValues();

// One key that was present but not taken as it stood.
struct SettingProblem {
    enum Kind { Unreadable, Clamped };
    std::string Section, Key;
    Kind What = Unreadable;
    bool operator==(const SettingProblem&) const = default;
};

// Which keys a read takes: the crossword settings window reads ColorForm … OtherParam, the scanword
// one ScanOtherParam … ScanPrint.
enum class SettingsGroup { Cros, Scan, All };

// Reads the keys of `group` from `ini` into `s`: a missing or unreadable key takes its default,
// a number out of its range is clamped or, for a choice among a few codes, takes its default.
void ReadSettings(const IniFile& ini, Settings& s, SettingsGroup group = SettingsGroup::All,
                  std::vector<SettingProblem>* problems = nullptr);

struct LoadedSettings {
    Settings Values;
    bool FileFound = false;
    std::vector<SettingProblem> Problems;
};
LoadedSettings LoadSettings(const fs::path& path);

// "Save": writes the in-memory value of every key that has a reset value, except HutchRis and
// HutchPrint (their own control writes them). Keeps every other line of the file.
bool SaveSettings(const fs::path& path, const Settings& s);
// "Reset": writes the reset values of the same keys (the Hutch keys included), then reads the
// crossword sections back into `s`; the scanword values in memory stay as they were.
bool ResetSettings(const fs::path& path, Settings& s);

// Keys written at once by the command that changes them; each writes that key alone.
bool WriteCrosScan(const fs::path& path, std::string_view mode);
bool WriteShowPanelMenu(const fs::path& path, bool on);
bool WriteOnlyCirillic(const fs::path& path, bool on);
bool WriteTextHeader(const fs::path& path, std::string_view text);
bool WriteTextHeaderScan(const fs::path& path, std::string_view text);
bool WriteHutchRis(const fs::path& path, int cells);   // clamped to 10 … 80
bool WriteHutchPrint(const fs::path& path, int cells); // clamped to 10 … 80
bool WriteCurrGrat(const fs::path& path, int storage);
bool WriteTextAfter(const fs::path& path, std::string_view text);
bool WriteDefVectFont(const fs::path& path, std::string_view face);

// Section TextHeader: the header templates TextHeader1, TextHeader2, …; the list ends at the first
// missing number.
std::vector<std::string> ReadHeaderTemplates(const IniFile& ini);
std::vector<std::string> LoadHeaderTemplates(const fs::path& path);
// Writes template `number` (from 1) alone, as adding a line does.
bool WriteHeaderTemplate(const fs::path& path, int number, std::string_view text);
// Rewrites the whole list and deletes the numbered keys beyond its end.
bool WriteHeaderTemplates(const fs::path& path, const std::vector<std::string>& templates);
// The templates delivered with the program.
std::vector<std::string> DefaultHeaderTemplates();

// Every key of `s` as the file holds it, in the order of the delivered file.
IniFile SettingsToIni(const Settings& s);

// A complete Vezd.ini: every key at its default and the delivered templates.
std::string DefaultIniText();
// Writes DefaultIniText() to a new file; false when `path` exists or cannot be written.
bool WriteDefaultIni(const fs::path& path);

// Longest text value taken from the file; a longer one is unreadable.
inline constexpr size_t kMaxIniText = 2047;

} // namespace vez
