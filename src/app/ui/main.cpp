// The desktop program: start-up in its fixed order, then the main window until the user ends it.
#include "app/MainLogic.h"
#include "app/SoundPlayer.h"
#include "app/Startup.h"
#include "app/ui/TfrmMain.h"
#include "app/ui/TfrmMsgBox.h"
#include "compose/ComposeSession.h"
#include "compose/ui/TfrmMake.h"
#include "grids/ui/TfrmFormResh.h"
#include "grids/ui/TfrmResh.h"
#include "platform/qt/QtBusy.h"
#include "platform/qt/QtSounds.h"
#include "platform/Text.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QProgressBar>

int main(int argc, char** argv) {
    using namespace vez;
    QApplication app(argc, argv);

    AppState state;
    state.ProgramFolder = ProgramFolder(argc > 0 ? argv[0] : nullptr);

    // The message box exists before anything can go wrong; it stays silent until the settings say
    // whether sounds are on.
    QtSounds sounds(state.ProgramFolder);
    SoundPlayer player(sounds, false);
    TfrmMsgBox frmMsgBox(&player);
    QtBusy busy;

    MainLogic logic(state, frmMsgBox, sounds, busy);
    TfrmMain frmMain(logic);
    busy.SetProgressBar(frmMain.progressBar());

    // The windows of the crossword road, created once and shown when their command runs.
    TfrmResh frmResh(state.ProgramFolder, state.Sets, frmMsgBox, busy);
    TfrmMake frmMake(ComposeEnv(state.ProgramFolder, frmMsgBox, player, busy, state.DeletedEntries), state.Sets);
    TfrmFormResh frmFormResh(frmMsgBox, sounds, busy, state.ProgramFolder, state.Sets);
    frmMake.SetCtrlTabTargets(nullptr, &frmMain);

    MainHooks& hooks = logic.Hooks();
    hooks.PickStorageCell = [&](const std::string& title) -> std::optional<ComposeGrid> {
        frmMain.hide();
        auto picked = frmResh.Pick(static_cast<int>(StorePurpose::Compose), ToQ(title));
        frmMain.show();
        if (!picked) return std::nullopt;
        return ComposeGrid{picked->grat, picked->source};
    };
    hooks.OpenCompose = [&](const ComposeGrid& grid) {
        state.ComposeOpen = true;
        frmMain.Refresh();
        frmMake.Open(grid.Grat, nullptr);
    };
    QObject::connect(&frmMake, &TfrmMake::closed, [&] {
        state.ComposeOpen = false;
        frmMain.Refresh();
    });
    hooks.FocusCompose = [&] {
        frmMake.raise();
        frmMake.activateWindow();
    };

    FormEditorHooks& editorHooks = frmFormResh.Editor().Hooks();
    editorHooks.saveToStorage = [&](const TGratShape& shape) {
        frmResh.Pick(static_cast<int>(StorePurpose::Save), ToQ(ru("Выбрать ячейку для записи решетки")), &shape);
    };
    editorHooks.pickForCorrection = [&]() -> std::optional<TGratShape> {
        auto picked =
            frmResh.Pick(static_cast<int>(StorePurpose::Correction), ToQ(ru("Выбрать ячейку для коррекции решетки")));
        if (!picked || !picked->shape) return std::nullopt;
        return picked->shape;
    };
    // The generator holds a running composition while it works and lets it go on afterwards.
    editorHooks.pauseComposition = [&] {
        if (!frmMake.IsComposing()) return false;
        frmMake.Session().PauseEngine();
        return true;
    };
    editorHooks.resumeComposition = [&] { frmMake.Session().ResumeEngine(); };
    hooks.OpenGridEditor = [&] {
        frmFormResh.SetSquareSize(frmMake.CellSize());
        frmMain.hide();
        frmFormResh.Open();
    };
    QObject::connect(&frmFormResh, &TfrmFormResh::closed, [&] {
        state.WindowCode = wc::Main;
        frmMain.show();
    });

    const StartupEnv env{frmMsgBox, sounds, std::chrono::system_clock::now(),
                         [&frmMain](const AppState& s) { return frmMain.PictureAreaSize(s); },
                         [&frmMain](const fs::path& p) { return frmMain.LoadPicture(p); }};
    if (RunStartup(state, env) == StartupOutcome::End) return 1;
    player.SetSoundsOn(state.Sets.Sound);

    frmMain.StartupDone();
    frmMain.show();
    return app.exec();
}
