// The scanword builder window driven as a user drives it: exclusion, composing, stopping and the
// hand-over to composition.
#include "settings/Config.h"
#include "platform/Dialogs.h"
#include "scanword/ui/ScanBuilderWindow.h"
#include "scanword/ui/ScanOptionsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <deque>


using namespace vez;

namespace {
class ScriptDialogs : public Dialogs {
  public:
    std::deque<int> answers;
    std::vector<MsgBoxRequest> shown;
    int ShowMsgBox(const MsgBoxRequest& req, std::string*) override {
        shown.push_back(req);
        if (answers.empty()) return 0;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};
} // namespace

class ScanBuilderWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void composesStopsAndHandsOver();
    void closingWhileComposingAsks();
};

void ScanBuilderWindowTest::composesStopsAndHandsOver() {
    Settings settings;
    ScriptDialogs dialogs;
    std::uint8_t code = 0;
    ScanBuilderWindow w(settings, dialogs, code);
    int handed = 0;
    TGrat grat;
    TScanLayout layout;
    w.SetComposeHook([&](const TGrat& g, const TScanLayout& l) {
        ++handed;
        grat = g;
        layout = l;
    });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QString::fromUtf8("Сканворд"));
    QCOMPARE(w.widthField()->value(), 15);
    QCOMPARE(w.heightField()->value(), 10);
    QVERIFY(!w.composeAction()->isEnabled());

    // The short-word check off, in the operative settings.
    w.operAction()->trigger();
    ScanOptionsDialog* oper = w.operWindow();
    QVERIFY(oper->isVisible());
    QVERIFY(oper->chbShort()->isChecked());
    oper->chbShort()->click();
    QVERIFY(!w.operSettings().shortCheck());
    QVERIFY(!oper->limitField(2)->isEnabled());

    // Ctrl + click excludes the cell under the mouse.
    const int cs = w.drawing()->width() / 15;
    QTest::mouseClick(w.drawing(), Qt::LeftButton, Qt::ControlModifier, QPoint(2 * cs + cs / 2, cs / 2));
    QCOMPARE(int(w.builder().excluded()[3][1]), 1);

    // Compose a layout.
    w.buildAction()->trigger();
    QVERIFY(w.builder().layoutReady());
    QVERIFY(w.composeAction()->isEnabled());
    QVERIFY(!w.buildAction()->isChecked());
    QVERIFY(w.statusWords().startsWith(QString::fromUtf8("Слов ")));
    QVERIFY(w.statusTime().startsWith(QString::fromUtf8("Время ")));
    QCOMPARE(int(w.builder().display().at(3, 1)), int(kScanOutside));
    QVERIFY(oper->lengthList()->item(0)->text().startsWith(QStringLiteral("2.  ")));

    // A generation that cannot end soon, stopped with the same button.
    oper->chbShort()->click();
    w.widthField()->setValue(40);
    QVERIFY(!w.builder().layoutReady());
    QVERIFY(!w.composeAction()->isEnabled());
    w.heightField()->setFocus();
    QTest::keyClick(w.heightField(), Qt::Key_Right);
    QCOMPARE(w.builder().height(), 11);
    bool wasBuilding = false;
    QTimer::singleShot(300, &w, [&] {
        wasBuilding = w.builder().building() && w.buildAction()->isChecked();
        w.buildAction()->trigger();
    });
    w.buildAction()->trigger();
    QVERIFY(wasBuilding);
    QVERIFY(!w.builder().building());
    QVERIFY(!w.builder().layoutReady());
    QVERIFY(!w.composeAction()->isEnabled());
    QCOMPARE(w.statusWords(), QString());
    QCOMPARE(handed, 0);

    // Compose again and hand it over.
    oper->chbShort()->click();
    w.widthField()->setValue(15);
    w.heightField()->setValue(10);
    w.buildAction()->trigger();
    QVERIFY(w.composeAction()->isEnabled());
    const TScanLayout shown = w.builder().display();
    w.composeAction()->trigger();
    QCOMPARE(handed, 1);
    QVERIFY(!w.composeAction()->isEnabled());
    QCOMPARE(grat.width, 15);
    QCOMPARE(grat.height, 10);
    QVERIFY(layout.cells == shown.cells);
    int letters = 0;
    for (int y = 1; y <= 10; ++y)
        for (int x = 1; x <= 15; ++x) {
            const int c = layout.at(x, y);
            QCOMPARE(grat.at(x, y) == '*', c >= 1 && c <= 3);
            letters += grat.at(x, y) == '*';
        }
    QVERIFY(letters > 0);
    QVERIFY(dialogs.shown.empty());
}

void ScanBuilderWindowTest::closingWhileComposingAsks() {
    Settings settings;
    ScriptDialogs dialogs;
    std::uint8_t code = 0;
    ScanBuilderWindow w(settings, dialogs, code);
    w.widthField()->setValue(40);
    w.heightField()->setValue(40);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    dialogs.answers = {kBtnCancel, kBtnYes};
    bool openAfterCancel = false;
    QTimer::singleShot(200, &w, [&] {
        w.close();
        openAfterCancel = w.isVisible() && w.builder().building();
        w.close();
    });
    w.buildAction()->trigger();
    QVERIFY(openAfterCancel);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.builder().building());
    QCOMPARE(dialogs.shown.size(), std::size_t(2));
    QCOMPARE(dialogs.shown[0].icon, int(kIconQuestion));
    QCOMPARE(dialogs.shown[0].focus, int(kBtnCancel));
}

QTEST_MAIN(ScanBuilderWindowTest)
#include "ScanBuilderWindowTest.moc"
