// The main window's decisions: its menu as each mode shows it, the commands and the checks they make
// before handing over to another window, the passed time, the tool bar switch and the exit rules.
// Windows that other units build are reached through MainHooks; a command whose hooks are not set
// is unavailable (its item disabled).
#pragma once

#include "app/AppState.h"
#include "model/Grat.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"
#include "platform/Sounds.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vez {

// What the grid storage window hands back for a composition: the picked shape as the compose grid,
// and a text naming the cell and its storage.
struct ComposeGrid {
    TGrat Grat;
    std::string Source; // Windows-1251
};

// One stored document as the puzzle picker hands it back.
struct DocPick {
    std::string Folder;   // library folder name, Windows-1251
    std::string FileName; // e.g. "лето.05", Windows-1251
    fs::path Path;        // the file on disk
};

struct MainHooks {
    // Compose in crossword mode. The window code is already 12. Shows the grid storage window
    // modally with this title (hiding the main window meanwhile); the picked cell, or nullopt when
    // the user cancelled.
    std::function<std::optional<ComposeGrid>(const std::string& title)> PickStorageCell;
    // Opens the compose window on the picked grid (the window code is 0 and the progress bar shown).
    // The compose window sets AppState::ComposeOpen while it is open and clears it when it closes.
    std::function<void(const ComposeGrid&)> OpenCompose;
    // Compose in scanword mode (window code 10). The builder keeps AppState::ScanBuilderOpen.
    std::function<void()> OpenScanBuilder;
    std::function<void()> CloseScanBuilder;
    std::function<void()> FocusCompose;
    std::function<void()> FocusScanBuilder;

    // The puzzle picker titled `title`, looking in the library of the current mode.
    std::function<std::optional<DocPick>(const std::string& title)> PickDocument;
    std::function<void(const DocPick&, const std::string& title)> OpenRework;
    std::function<void(const DocPick&, const std::string& title)> OpenSolve;
    std::function<void(const std::string& title)> OpenBrowser;
    // The dictionary check; true when it passed.
    std::function<bool()> RunDictCheck;
    // Refreshes the word counts and opens the word list and the dictionary window.
    std::function<void()> OpenDictionary;
    std::function<void()> OpenGridEditor;
    std::function<void()> OpenSettings;     // crossword settings
    std::function<void()> OpenScanSettings; // scanword settings
    std::function<void()> OpenHelp;
};

enum class MainCommand { Make, ReMake, View, Solve, Dict, Resh, Param, Help, Exit };

// The menu items that change with the mode. Captions are Windows-1251 with '&' before the accelerator.
struct MainMenu {
    std::string CrosCaption;     // mmCros
    bool ReshVisible = true;     // mmResh, tbtnResh
    std::string RisFirst;        // first item of the picture menu
    std::string PrintFirst;      // first item of the print menu
    std::string PopupRisFirst;   // first item of the tool bar's picture popup
    std::string PopupPrintFirst; // first item of the tool bar's print popup
    bool LetticeVisible = true;  // the "empty grid" items
    std::string CheckedMode;     // the mode whose item carries the check mark
};

// "2ч 05м", and from one day on "1д 2ч 00м"; seconds are dropped.
std::string PassedTimeText(std::chrono::seconds elapsed);

class MainLogic {
  public:
    MainLogic(AppState& state, Dialogs& dialogs, Sounds& sounds, Busy& busy, MainHooks hooks = {});

    AppState& State() { return state_; }
    MainHooks& Hooks() { return hooks_; }
    const MainMenu& Menu() const { return menu_; }

    // Puts the menu in the state of the current mode (after start-up read the settings).
    void ApplyStateMode();

    // The command can run in the current mode with the windows that exist.
    bool Available(MainCommand c) const;
    // The mode items can be used: neither the compose window nor the scanword builder is open.
    bool ModeItemsEnabled() const;
    std::string PassedTime(std::chrono::system_clock::time_point now) const;

    // A mode item: switches the menus and writes the mode to the settings file at once. Refused
    // while the mode items are disabled.
    bool SwitchMode(std::string_view kind);

    void Compose();
    void Rework();
    void View();
    void Solve();
    void Dict();
    void GridEditor();
    void Parameters();
    void Help();
    // Ctrl+Tab: to the compose window if it is open, else to the scanword builder if it is open.
    void CtrlTab();
    // F9 or the right mouse button: shows or hides the tool bar, written at once. Returns the new state.
    bool ToggleToolBar();
    bool ToolBarVisible() const { return state_.Sets.ShowPanelMenu; }
    // Exit, Esc or closing the window: true when the program may end now.
    bool QueryExit();
    // The main window is shown again after another window: reports a failed picture.
    void OnShownAgain();

  private:
    void ApplyMode(std::string_view kind);
    std::string KindWord(const char* cros, const char* scan) const;

    AppState& state_;
    Dialogs& dialogs_;
    Sounds& sounds_;
    Busy& busy_;
    MainHooks hooks_;
    MainMenu menu_;
};

} // namespace vez
