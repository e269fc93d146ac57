#include "app/ui/AppWindows.h"

#include "compose/ComposeSession.h"
#include "grids/StoreBrowser.h"
#include "platform/Text.h"

#include "app/ui/MainWindow.h"
#include "compose/ui/ComposeWindow.h"
#include "grids/ui/GridEditorWindow.h"
#include "grids/ui/StoreBrowserWindow.h"
#include "scanword/ui/ScanBuilderWindow.h"
#include "platform/qt/QtText.h"

namespace vez {

AppWindows::AppWindows(AppState& state, Dialogs& dialogs, Sounds& sounds, SoundPlayer& player, Busy& busy)
    : state_(state), dialogs_(dialogs), sounds_(sounds), player_(player), busy_(busy) {
    logic_ = std::make_unique<MainLogic>(state_, dialogs_, sounds_, busy_);
    frmMain_ = std::make_unique<MainWindow>(*logic_);
    frmResh_ = std::make_unique<StoreBrowserWindow>(state_.ProgramFolder, state_.Sets, dialogs_, busy_);
    frmMake_ = std::make_unique<ComposeWindow>(
        ComposeEnv(state_.ProgramFolder, dialogs_, player_, busy_, state_.DeletedEntries), state_.Sets);
    frmFormResh_ = std::make_unique<GridEditorWindow>(dialogs_, sounds_, busy_, state_.ProgramFolder, state_.Sets);
    frmScan_ = std::make_unique<ScanBuilderWindow>(state_.Sets, dialogs_, state_.WindowCode);
    Wire();
}

AppWindows::~AppWindows() = default;

void AppWindows::Wire() {
    frmMake_->SetCtrlTabTargets(frmScan_.get(), frmMain_.get());

    MainHooks& hooks = logic_->Hooks();
    hooks.PickStorageCell = [this](const std::string& title) -> std::optional<ComposeGrid> {
        frmMain_->hide();
        auto picked = frmResh_->Pick(static_cast<int>(StorePurpose::Compose), ToQ(title));
        frmMain_->show();
        if (!picked) return std::nullopt;
        return ComposeGrid{picked->grat, picked->source};
    };
    hooks.OpenCompose = [this](const ComposeGrid& grid) {
        state_.ComposeOpen = true;
        frmMain_->Refresh();
        frmMake_->Open(grid.Grat, nullptr);
    };
    QObject::connect(frmMake_.get(), &ComposeWindow::closed, frmMain_.get(), [this] {
        state_.ComposeOpen = false;
        frmScan_->SetComposeWindowOpen(false);
        frmMain_->Refresh();
    });

    // Scanwords: the builder hands its layout to the same compose window.
    hooks.OpenScanBuilder = [this] {
        state_.ScanBuilderOpen = true;
        frmMain_->Refresh();
        frmScan_->show();
        frmScan_->raise();
        frmScan_->activateWindow();
    };
    hooks.CloseScanBuilder = [this] { frmScan_->close(); };
    hooks.FocusScanBuilder = [this] {
        frmScan_->raise();
        frmScan_->activateWindow();
    };
    QObject::connect(frmScan_.get(), &ScanBuilderWindow::closed, frmMain_.get(), [this] {
        state_.ScanBuilderOpen = false;
        frmMain_->Refresh();
    });
    frmScan_->SetComposeHook([this](const TGrat& grat, const TScanLayout& layout) {
        state_.ComposeOpen = true;
        frmScan_->SetComposeWindowOpen(true);
        frmMain_->Refresh();
        frmMake_->Open(grat, &layout);
    });
    frmScan_->SetCtrlTabHook([this] {
        QWidget* target = state_.ComposeOpen ? static_cast<QWidget*>(frmMake_.get()) : frmMain_.get();
        target->raise();
        target->activateWindow();
    });
    hooks.FocusCompose = [this] {
        frmMake_->raise();
        frmMake_->activateWindow();
    };

    FormEditorHooks& editorHooks = frmFormResh_->Editor().Hooks();
    editorHooks.saveToStorage = [this](const TGratShape& shape) {
        frmResh_->Pick(static_cast<int>(StorePurpose::Save), ToQ(ru("Выбрать ячейку для записи решетки")), &shape);
    };
    editorHooks.pickForCorrection = [this]() -> std::optional<TGratShape> {
        auto picked =
            frmResh_->Pick(static_cast<int>(StorePurpose::Correction), ToQ(ru("Выбрать ячейку для коррекции решетки")));
        if (!picked || !picked->shape) return std::nullopt;
        return picked->shape;
    };
    // The generator holds a running composition while it works and lets it go on afterwards.
    editorHooks.pauseComposition = [this] {
        if (!frmMake_->IsComposing()) return false;
        frmMake_->Session().PauseEngine();
        return true;
    };
    editorHooks.resumeComposition = [this] { frmMake_->Session().ResumeEngine(); };
    hooks.OpenGridEditor = [this] {
        frmFormResh_->SetSquareSize(frmMake_->CellSize());
        frmMain_->hide();
        frmFormResh_->Open();
    };
    QObject::connect(frmFormResh_.get(), &GridEditorWindow::closed, frmMain_.get(), [this] {
        state_.WindowCode = wc::Main;
        frmMain_->show();
    });
}

bool AppWindows::Start() {
    const StartupEnv env{dialogs_, sounds_, std::chrono::system_clock::now(),
                         [this](const AppState& s) { return frmMain_->PictureAreaSize(s); },
                         [this](const fs::path& p) { return frmMain_->LoadPicture(p); }};
    if (RunStartup(state_, env) == StartupOutcome::End) return false;
    player_.SetSoundsOn(state_.Sets.Sound);
    frmMain_->StartupDone();
    return true;
}

} // namespace vez
