// The program's windows, created once at start-up and joined to the main window's commands.
// The program and the window tests build the same set.
#pragma once

#include "app/AppState.h"
#include "app/MainLogic.h"
#include "platform/SoundPlayer.h"
#include "app/Startup.h"
#include "compose/ComposeSession.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"
#include "platform/Sounds.h"

#include <memory>

namespace vez {

class MainWindow;
class ComposeWindow;
class StoreBrowserWindow;
class GridEditorWindow;
class ScanBuilderWindow;

class AppWindows {
public:
    AppWindows(AppState& state, Dialogs& dialogs, Sounds& sounds, SoundPlayer& player, Busy& busy);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // Start-up in its order; false when the program must end (no settings file).
    bool Start();

    MainLogic& Logic() { return *logic_; }
    MainWindow& Main() { return *frmMain_; }
    StoreBrowserWindow& Resh() { return *frmResh_; }
    ComposeWindow& Make() { return *frmMake_; }
    GridEditorWindow& FormResh() { return *frmFormResh_; }
    ScanBuilderWindow& Scan() { return *frmScan_; }

private:
    void Wire();

    AppState& state_;
    Dialogs& dialogs_;
    Sounds& sounds_;
    SoundPlayer& player_;
    Busy& busy_;
    std::unique_ptr<MainLogic> logic_;
    std::unique_ptr<MainWindow> frmMain_;
    std::unique_ptr<StoreBrowserWindow> frmResh_;
    std::unique_ptr<ComposeWindow> frmMake_;
    std::unique_ptr<GridEditorWindow> frmFormResh_;
    std::unique_ptr<ScanBuilderWindow> frmScan_;
};

} // namespace vez
