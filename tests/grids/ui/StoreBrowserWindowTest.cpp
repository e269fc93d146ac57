#include "grids/ui/StoreBrowserWindow.h"
#include "grids/ui/DuplicatesDialog.h"
#include "platform/Text.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace vez;

namespace {

// Answers every message with its first button and keeps the texts.
class AnsweringDialogs : public Dialogs {
  public:
    int ShowMsgBox(const MsgBoxRequest& req, std::string*) override {
        texts.push_back(Cp1251ToUtf8(req.text));
        return req.buttons == 14 || req.buttons == 1 ? kBtnOK : req.buttons == 4 ? kBtnCancel : kBtnYes;
    }
    std::vector<std::string> texts;
};

TGratShape Shape(const std::vector<std::string>& rows) {
    return ShapeFromRows(rows).value_or(TGratShape{});
}

const std::vector<std::string> kRing = {"*****", "*...*", "*.*.*", "*...*", "*****"};

// Storage 1 with several shapes (two of them equal) and storage 2, in a fresh program folder.
struct Home {
    QTemporaryDir dir;
    fs::path path;
    Settings settings;
    AnsweringDialogs dialogs;
    Busy busy;
    Home() : path(dir.path().toStdString()) {
        fs::create_directories(path / "CROS");
        WriteDefaultIni(path / kIniFileName);
        TGratStore p = MakeBlankStore();
        WriteShape(p, 2, 3, Shape(kRing));
        WriteShape(p, 0, 0, Shape({"*******", "*.*.*.*", "*******", "*.*.*.*", "*******"}));
        WriteShape(p, 5, 1, Shape({"***..", "*.*..", "*****", "..*.*", "..***"}));
        WriteShape(p, 7, 6, Shape(kRing));
        WriteShape(p, 9, 9, Shape({"**********", "*.*.*.*.*.", "**********"}));
        TGratShape big;
        for (int i = 1; i <= 21; ++i)
            for (int j = 1; j <= 21; ++j)
                big.letter[i][j] = (i % 2 == 1) || (j % 2 == 1);
        big.width = big.height = 21;
        WriteShape(p, 3, 7, big);
        SaveStore(path, 1, p);
        SaveStore(path, 2, MakeBlankStore());
    }
};

// Runs `act` once the window is up; a failed check inside closes the window so nothing hangs.
std::optional<StorePickResult> PickAndDo(StoreBrowserWindow& w, int purpose, std::function<void()> act) {
    QTimer::singleShot(0, &w, [&w, act] {
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        act();
        if (w.isVisible()) w.reject();
    });
    return w.Pick(purpose);
}

void Shot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("VEZDAR_SCREENSHOTS");
    if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + name);
}

} // namespace

class StoreBrowserWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void clickingACellHandsBackItsGrid() {
        Home h;
        StoreBrowserWindow w(h.path, h.settings, h.dialogs, h.busy);
        auto res = PickAndDo(w, 12, [&] {
            QCOMPARE(w.windowTitle(), QString::fromUtf8("Выбрать ячейку для составления кроссворда"));
            QWidget* board = w.board();
            QTest::mouseClick(board, Qt::LeftButton, {}, w.CellCentre(2, 3));
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("pnlCell"))->text(),
                     QString::fromUtf8("Ячейка 3 : 4"));
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("pnlSize"))->text(),
                     QString::fromUtf8("Размер решетки 5 х 5"));
            Shot(w, QStringLiteral("storage-browser.png"));
            QTest::mouseDClick(board, Qt::LeftButton, {}, w.CellCentre(2, 3));
        });
        QVERIFY(res);
        QCOMPARE(QString::fromStdString(res->source), QStringLiteral("3 4*1"));
        const TGrat want = GratFromShape(Shape(kRing));
        QVERIFY(res->grat.cells == want.cells);
        QCOMPARE(res->grat.width, 5);
        QCOMPARE(res->grat.height, 5);
        QVERIFY(h.dialogs.texts.empty());
    }

    void keysMoveTheSelectionAndEnterConfirms() {
        Home h;
        StoreBrowserWindow w(h.path, h.settings, h.dialogs, h.busy);
        // From the middle cell (6 : 6): three to the left and two up reach the ring at 3 : 4.
        auto res = PickAndDo(w, 88, [&] {
            QWidget* board = w.board();
            for (Qt::Key k : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up})
                QTest::keyClick(board, k);
            QTest::keyClick(board, Qt::Key_Return);
        });
        QVERIFY(res);
        QCOMPARE(QString::fromStdString(res->source), QStringLiteral("3 4*1"));
        QCOMPARE(res->map[3][3], kMapLetter); // the letter square in the ring's hole
        QCOMPARE(res->map[2][2], kMapBlocked);

        // Ctrl+X, a move and Ctrl+V carry the ring one cell to the right on disk; Esc then cancels.
        auto cancelled = PickAndDo(w, 12, [&] {
            QWidget* board = w.board();
            for (Qt::Key k : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up})
                QTest::keyClick(board, k);
            QTest::keyClick(board, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(board, Qt::Key_Right);
            QTest::keyClick(board, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(board, Qt::Key_Escape);
        });
        QVERIFY(!cancelled);
        auto disk = LoadStore(h.path, 1);
        QVERIFY(disk);
        QCOMPARE(ReadShape(*disk, 2, 3).width, 0);
        QVERIFY(ReadShape(*disk, 3, 3).letter == Shape(kRing).letter);
        QVERIFY(h.dialogs.texts.empty());
    }

    void duplicateSearchShowsTheListBesideTheBrowser() {
        Home h;
        StoreBrowserWindow w(h.path, h.settings, h.dialogs, h.busy);
        PickAndDo(w, 12, [&] {
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("sbtnFind")), Qt::LeftButton);
            DuplicatesDialog* check = w.checkWindow();
            QVERIFY(check->isVisible());
            QTableWidget* t = check->table();
            QCOMPARE(t->rowCount(), 2);
            QCOMPARE(t->item(0, 1)->text(), QStringLiteral("3 : 4"));
            QCOMPARE(t->item(1, 1)->text(), QStringLiteral("8 : 7"));
            Shot(*check, QStringLiteral("storage-duplicates.png"));
            check->close();
            QCOMPARE(t->rowCount(), 0);
            QVERIFY(w.core().Duplicates().empty());
        });
        QCOMPARE(h.dialogs.texts.size(), size_t(1));
    }
};

QTEST_MAIN(StoreBrowserWindowTest)
#include "StoreBrowserWindowTest.moc"
