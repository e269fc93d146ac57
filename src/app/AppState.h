// The process-wide state of one run of the program. Start-up creates the one object and every window
// and command gets it by reference; tests build their own.
#pragma once

#include "settings/Config.h"
#include "dictionary/DictCheck.h"
#include "platform/Files.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace vez {

// Mode texts as the settings file stores them. Only "Cros" means crossword; every other text takes
// the scanword branch of a command.
inline constexpr const char* kModeCros = "Cros";
inline constexpr const char* kModeScan = "Scan";
inline constexpr const char* kModeJapan = "Japan";

// Window codes: which command or window is in progress. Shared windows read it to learn who opened
// them and what to hand back.
namespace wc {
inline constexpr std::uint8_t Main = 0;
inline constexpr std::uint8_t Compose = 10; // compose window or scanword builder active
inline constexpr std::uint8_t ComposePick = 12;
inline constexpr std::uint8_t Rework = 20;
inline constexpr std::uint8_t ReworkPick = 21;
inline constexpr std::uint8_t Browse = 30;
inline constexpr std::uint8_t Solve = 50;
inline constexpr std::uint8_t SolvePick = 51;
inline constexpr std::uint8_t Dict = 60;
inline constexpr std::uint8_t GridEditor = 70;
inline constexpr std::uint8_t FirstPicture = 81; // 81 … 84: the four pictures
inline constexpr std::uint8_t LastPicture = 84;
} // namespace wc

// The picture status after a picture window's output: empty, "Error" or "Cicl".
inline constexpr const char* kRisError = "Error";

struct AppState {
    fs::path ProgramFolder;
    fs::path IniPath() const { return ProgramFolder / kIniFileName; }

    Settings Sets; // the settings in memory; the sound setting already forced off when impossible
    bool SoundsPossible = false; // the Sound folder and an audio output exist

    std::string CrosKind = kModeCros;
    bool IsCros() const { return CrosKind == kModeCros; }

    std::uint8_t WindowCode = wc::Main;
    std::chrono::system_clock::time_point StartTime{}; // when the main window was created
    std::string RisStatus;

    // The main window's picture: 1 a splash picture larger than the window, -1 none (a gradient is
    // drawn instead; the settings window then disables its floating-picture and gradient controls).
    int PictureState = -1;

    bool ComposeOpen = false;     // the compose window is open (at most one)
    bool ScanBuilderOpen = false; // the scanword builder is open

    // The dictionary counters, the result of the last check and whether a check passed in this run.
    DictState Dict;

    // Entries removed from the dictionary while a compose window is open, so that the document writer
    // still finds their definitions: the word padded to 16 characters, then its definition.
    std::vector<std::string> DeletedEntries;
};

} // namespace vez
