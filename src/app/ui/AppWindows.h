// The program's windows, created once at start-up and joined to the main window's commands.
// The program and the window tests build the same set.
#pragma once

#include "app/AppState.h"
#include "app/MainLogic.h"
#include "app/SoundPlayer.h"
#include "app/Startup.h"
#include "compose/ComposeSession.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"
#include "platform/Sounds.h"

#include <memory>

namespace vez {

class TfrmMain;
class TfrmMake;
class TfrmResh;
class TfrmFormResh;
class TfrmScan;

class AppWindows {
public:
    AppWindows(AppState& state, Dialogs& dialogs, Sounds& sounds, SoundPlayer& player, Busy& busy);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // Start-up in its order; false when the program must end (no settings file).
    bool Start();

    MainLogic& Logic() { return *logic_; }
    TfrmMain& Main() { return *frmMain_; }
    TfrmResh& Resh() { return *frmResh_; }
    TfrmMake& Make() { return *frmMake_; }
    TfrmFormResh& FormResh() { return *frmFormResh_; }
    TfrmScan& Scan() { return *frmScan_; }

private:
    void Wire();

    AppState& state_;
    Dialogs& dialogs_;
    Sounds& sounds_;
    SoundPlayer& player_;
    Busy& busy_;
    std::unique_ptr<MainLogic> logic_;
    std::unique_ptr<TfrmMain> frmMain_;
    std::unique_ptr<TfrmResh> frmResh_;
    std::unique_ptr<TfrmMake> frmMake_;
    std::unique_ptr<TfrmFormResh> frmFormResh_;
    std::unique_ptr<TfrmScan> frmScan_;
};

} // namespace vez
