// The desktop program: start-up and the main window.
#include "app/ui/TfrmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vez::TfrmMain frmMain;
    frmMain.show();
    return app.exec();
}
