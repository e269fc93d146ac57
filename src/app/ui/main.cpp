// The desktop program: start-up in its fixed order, then the main window until the user ends it.
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "widgets/MessageBoxDialog.h"
#include "platform/qt/QtBusy.h"
#include "platform/qt/QtSounds.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace vez;
    QApplication app(argc, argv);

    AppState state;
    state.ProgramFolder = ProgramFolder(argc > 0 ? argv[0] : nullptr);

    // The message box exists before anything can go wrong; it stays silent until the settings say
    // whether sounds are on.
    QtSounds sounds(state.ProgramFolder);
    SoundPlayer player(sounds, false);
    MessageBoxDialog frmMsgBox(&player);
    QtBusy busy;

    AppWindows windows(state, frmMsgBox, sounds, player, busy);
    busy.SetProgressBar(windows.Main().progressBar());
    if (!windows.Start()) return 1;
    windows.Main().show();
    return app.exec();
}
