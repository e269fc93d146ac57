// The grid form editor window driven by the pointer and its buttons: a drag paints squares with
// their mirror images, an edge drag resizes, the generator fills the grid, Esc closes.
#include "grids/ui/GridEditorWindow.h"
#include "settings/Config.h"
#include "grids/AutoGrid.h"
#include "platform/Text.h"
#include <QProgressBar> // QtBusy.h needs the complete type

#include "platform/qt/QtBusy.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace vez;

namespace {

class RecordingDialogs : public Dialogs {
  public:
    int ShowMsgBox(const MsgBoxRequest& req, std::string*) override {
        shown.push_back(Cp1251ToUtf8(req.text));
        return kBtnCancel;
    }
    std::vector<std::string> shown;
};

class SilentSounds : public Sounds {
  public:
    void PlaySoundFile(const std::string&, PlayMode) override {}
    void StopSounds() override {}
    void Beep(BeepKind) override { ++beeps; }
    bool HasOutputDevice() const override { return false; }
    int beeps = 0;
};

constexpr int kSq = 20;

// Pixel position of the middle of square (column, row), 0-based, in the grid view.
QPoint At(int column, int row) {
    return {FormGridView::kMargin + column * kSq + kSq / 2, FormGridView::kMargin + row * kSq + kSq / 2};
}

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

int Letters(const TGratShape& s) {
    int n = 0;
    for (const auto& column : s.letter)
        for (bool b : column)
            n += b;
    return n;
}

} // namespace

class GridEditorWindowTest : public QObject {
    Q_OBJECT
    RecordingDialogs dialogs;
    SilentSounds sounds;
    QtBusy busy;
    Settings settings;

  private Q_SLOTS:
    void dragPaintsWithMirrorImagesAndAnEdgeDragResizes() {
        GridEditorWindow w(dialogs, sounds, busy, QDir::tempPath().toStdString(), settings);
        w.SetSquareSize(kSq);
        w.Open();
        FormGridView* view = w.gridView();

        // Full symmetry: a drag over the first three squares of row 1 paints them in all four corners.
        Send(view, QEvent::MouseButtonPress, At(0, 0), Qt::LeftButton, Qt::LeftButton);
        for (int c = 1; c <= 2; ++c)
            Send(view, QEvent::MouseMove, At(c, 0), Qt::NoButton, Qt::LeftButton);
        Send(view, QEvent::MouseButtonRelease, At(2, 0), Qt::LeftButton, Qt::NoButton);
        const TGratShape& s = w.Editor().Shape();
        QCOMPARE(Letters(s), 12);
        for (int i : {1, 2, 3, 13, 14, 15})
            for (int j : {1, 15})
                QVERIFY(s.letter[i][j]);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("stbCell"))->text(), QString::fromUtf8("Ячейка 3 : 1"));

        // The right edge dragged from 15 to 10 squares cuts the painted squares on the right off.
        const int edgeX = FormGridView::kMargin + 15 * kSq;
        Send(view, QEvent::MouseButtonPress, QPoint(edgeX, At(0, 5).y()), Qt::LeftButton, Qt::LeftButton);
        Send(view, QEvent::MouseMove, QPoint(edgeX - 5 * kSq, At(0, 5).y()), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("stbSize"))->text(),
                 QString::fromUtf8("Размер решетки 10 x 15"));
        Send(view, QEvent::MouseButtonRelease, QPoint(edgeX - 5 * kSq, At(0, 5).y()), Qt::LeftButton,
             Qt::NoButton);
        QCOMPARE(s.width, 10);
        QCOMPARE(Letters(s), 6);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("stbCell"))->text(), QString::fromUtf8("Ячейка 0 : 0"));
        QVERIFY(dialogs.shown.empty());
    }

    void generatorFillsTheGridAndEscCloses() {
        GridEditorWindow w(dialogs, sounds, busy, QDir::tempPath().toStdString(), settings);
        w.SetSquareSize(kSq);
        w.seed = [] { return std::uint64_t{20261210}; };
        w.Open();
        QSignalSpy closed(&w, &GridEditorWindow::closed);

        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("bbAuto")), Qt::LeftButton);
        QVERIFY(IsAcceptedAutoGrid(w.Editor().Shape()));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("stbCell"))->text(),
                 ToQ(AutoGridFillText(w.Editor().Shape())));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("stbCell"))
                    ->text()
                    .startsWith(QString::fromUtf8("Заполнение ")));

        // Run with VEZDAR_SCREENSHOT=file under a real X server to keep a picture of the result.
        if (const QByteArray file = qgetenv("VEZDAR_SCREENSHOT"); !file.isEmpty()) {
            QTest::qWait(500);
            QVERIFY(w.screen()->grabWindow(0).save(QString::fromLocal8Bit(file)));
        }

        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(Letters(w.Editor().Shape()), 0);
        QCOMPARE(w.Editor().Shape().width, 15);
        QVERIFY(dialogs.shown.empty());
    }
};

QTEST_MAIN(GridEditorWindowTest)
#include "GridEditorWindowTest.moc"
