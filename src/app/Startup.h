// Start-up of the program: the settings file must exist, the settings are read, the stored mode is
// applied, sounds are allowed or forced off, the start sound plays and the splash picture is looked up.
#pragma once

#include "app/AppState.h"
#include "app/Splash.h"
#include "platform/Dialogs.h"
#include "platform/Sounds.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vez {

// The mode a stored CrosScan text selects: its first five characters must read "Cros", "Scan" or
// "Japan". nullopt for anything else.
std::optional<std::string> StoredModeSelection(std::string_view stored);

struct StartupEnv {
    Dialogs& dialogs;
    Sounds& sounds;
    std::chrono::system_clock::time_point now;
    // Size of the main window's picture area, asked once the settings are read (the tool bar shown
    // or hidden by them changes it).
    std::function<PixelSize(const AppState&)> pictureArea;
    PictureLoader loadPicture;
};

enum class StartupOutcome { Run, End };

// Fills `state` (its ProgramFolder set by the caller). End: Vezd.ini is missing or unreadable; the
// user has been told and the program must end without showing its main window.
StartupOutcome RunStartup(AppState& state, const StartupEnv& env);

} // namespace vez
