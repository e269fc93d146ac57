// The desktop program: start-up in its fixed order, then the main window until the user ends it.
#include "app/MainLogic.h"
#include "app/SoundPlayer.h"
#include "app/Startup.h"
#include "app/ui/TfrmMain.h"
#include "app/ui/TfrmMsgBox.h"
#include "platform/qt/QtBusy.h"
#include "platform/qt/QtSounds.h"

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

    const StartupEnv env{frmMsgBox, sounds, std::chrono::system_clock::now(),
                         [&frmMain](const AppState& s) { return frmMain.PictureAreaSize(s); },
                         [&frmMain](const fs::path& p) { return frmMain.LoadPicture(p); }};
    if (RunStartup(state, env) == StartupOutcome::End) return 1;
    player.SetSoundsOn(state.Sets.Sound);

    frmMain.StartupDone();
    frmMain.show();
    return app.exec();
}
