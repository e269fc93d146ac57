// Shows the scanword builder with a finished layout and saves a picture of the screen's window:
//   xvfb-run ./scan_screenshot OUT.png [WIDTH HEIGHT]
#include "settings/Config.h"
#include "platform/Dialogs.h"
#include "scanword/ui/ScanBuilderWindow.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

using namespace vez;

namespace {
class SilentDialogs : public Dialogs {
  public:
    int ShowMsgBox(const MsgBoxRequest&, std::string*) override { return kBtnOK; }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    Settings settings;
    settings.ArrowScan = 0;
    SilentDialogs dialogs;
    std::uint8_t code = 0;
    ScanBuilderWindow w(settings, dialogs, code);
    w.operSettings().SetShortCheck(false);
    if (argc >= 4) {
        w.widthField()->setValue(std::atoi(argv[2]));
        w.heightField()->setValue(std::atoi(argv[3]));
    }
    w.resize(900, 720);
    w.show();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(300, &w, [&] {
        w.buildAction()->trigger();
        QTimer::singleShot(300, &w, [&] {
            const bool ok = w.screen()->grabWindow(0).save(out) || w.grab().save(out);
            app.exit(ok && w.builder().layoutReady() ? 0 : 1);
        });
    });
    return app.exec();
}
