// The road of one crossword through the program's own windows, as a user walks it: start the program,
// Compose, pick a storage cell, let the grid fill, close, agree to save, make a folder and choose it.
//
// With VEZDAR_ROAD_HOME naming a staged program folder, the same road also runs on its settings,
// storage 1 and dictionary (cell VEZDAR_ROAD_CELL, 0 … 99 row by row); with VEZDAR_SCREENSHOTS naming a
// folder, pictures of the main window, the storage window and the filled compose window are saved there.

// The core before Qt: its `slots` members must be read before Qt's keyword macros exist.
#include "RoadSupport.h"
#include "settings/Config.h"
#include "app/ui/AppWindows.h"
#include "compose/ComposeSession.h"
#include "dictionary/DictFile.h"
#include "grids/GridStore.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include "app/ui/MainWindow.h"
#include "compose/ui/ComposeWindow.h"
#include "grids/ui/StoreBrowserWindow.h"
#include "platform/qt/QtBusy.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <deque>
#include <fstream>

using namespace vez;
using namespace vez::roadtest;

namespace {

void Shot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("VEZDAR_SCREENSHOTS");
    if (dir.isEmpty()) return;
    QVERIFY(w.grab().save(dir + QLatin1Char('/') + QLatin1String(name)));
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// Every definition the dictionary holds for `word` (Windows-1251).
std::vector<std::string> DefinitionsOf(const fs::path& home, const std::string& word) {
    std::vector<std::string> defs;
    if (auto entries = ReadDictEntries(DictPath(home, static_cast<int>(word.size()))))
        for (const TDictEntry& e : *entries)
            if (TrimRight(e.Word) == word) defs.push_back(e.Definition);
    return defs;
}

// Checks a crossword document written for the storage shape `grat`: the header, a grid whose cells
// keep the shape, full words, and one definition per slot (across first) that the dictionary gives
// the word standing in that slot.
void CheckDocument(const fs::path& home, const fs::path& file, TGrat grat) {
    std::ifstream in(file, std::ios::binary);
    QVERIFY2(in.good(), file.c_str());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<std::string> lines = SplitLines(text);

    SlotTable slots = FindSlots(grat);
    std::vector<const TWordSlot*> order;
    for (char dir : {'H', 'V'})
        for (int i = 1; i <= SlotCount(slots); ++i)
            if (slots[i].dir == dir) order.push_back(&slots[i]);
    const int across =
        static_cast<int>(std::count_if(order.begin(), order.end(), [](auto* s) { return s->dir == 'H'; }));
    const int down = static_cast<int>(order.size()) - across;

    const QString header =
        QStringLiteral("AS %1%2%3%4").arg(grat.width, -3).arg(grat.height, -3).arg(across, -4).arg(down, -4);
    QCOMPARE(QString::fromStdString(lines.at(0)), header);
    // Header, grid, definitions, and nothing after the last line end.
    QCOMPARE(lines.size(), size_t(1 + grat.height + order.size() + 1));
    QVERIFY(lines.back().empty());

    MarkOutside(grat);
    TGrat filled = grat;
    for (int y = 1; y <= grat.height; ++y) {
        const std::string& row = lines[y];
        QCOMPARE(int(row.size()), grat.width);
        for (int x = 1; x <= grat.width; ++x) {
            const char shape = grat.at(x, y);
            if (shape == kEmptyCell) {
                QVERIFY2(IsLetterCode(row[x - 1]), row.c_str());
                filled.at(x, y) = row[x - 1];
            } else {
                QCOMPARE(row[x - 1], shape); // '.' inside the shape, ' ' outside it
            }
        }
    }
    for (size_t i = 0; i < order.size(); ++i) {
        std::string word;
        for (int k = 1; k <= order[i]->length; ++k) {
            const CellPos c = SlotCell(*order[i], k);
            word += filled.at(c.x, c.y);
        }
        const std::vector<std::string> defs = DefinitionsOf(home, word);
        const std::string& line = lines[1 + grat.height + i];
        QVERIFY2(std::find(defs.begin(), defs.end(), line) != defs.end(),
                 (Cp1251ToUtf8(word) + ": " + Cp1251ToUtf8(line)).c_str());
    }
}

// A program folder: settings at their defaults, storage 1 with a 4 x 3 ring in cell 0 (no four-letter
// words exist, so picking it would fail loudly) and a 3 x 3 ring in cell 1, a dictionary of four
// three-letter words that fill the small ring, no sounds and no splash picture.
void MakeSmallHome(const fs::path& home) {
    QVERIFY(WriteDefaultIni(home / kIniFileName));
    const auto store = MakeStoreFromShapes({{"****", "*..*", "****"}, {"***", "*.*", "***"}});
    QVERIFY(store.has_value());
    fs::create_directories(home / "CROS");
    QVERIFY(SaveStore(home, 1, *store));
    fs::create_directories(DictFolder(home));
    std::ofstream(DictPath(home, 3), std::ios::binary)
        << ru("кот\r\nЗверь\r\nкит\r\nМорской зверь\r\nтук\r\nСтук\r\nток\r\nТечение\r\n");
}

// A program folder made from a staged one: its settings, storage 1 and splash picture are copied, its
// dictionary is linked, so the documents of the run stay out of it.
void CopyStagedHome(const fs::path& staged, const fs::path& home) {
    fs::copy_file(staged / kIniFileName, home / kIniFileName);
    fs::create_directories(home / "CROS");
    for (const auto& e : fs::directory_iterator(staged / "CROS"))
        if (e.is_regular_file()) fs::copy_file(e.path(), home / "CROS" / e.path().filename());
    fs::create_directory_symlink(staged / "DICT", DictFolder(home));
}

// Walks the road in a started program, picking storage 1, cell `cell`, and saving into a new folder
// ЛЕТО; checks each window on the way and the document at the end.
void WalkTheRoad(Program& p, int cell) {
    MainWindow& main = p.windows->Main();
    StoreBrowserWindow& resh = p.windows->Resh();
    ComposeWindow& make = p.windows->Make();
    const int column = cell % 10, row = cell / 10;
    QVERIFY(p.dialogs.unexpected.isEmpty());
    auto* tbtnMake = p.Find<QToolButton>("tbtnMake");
    QVERIFY(tbtnMake && tbtnMake->isEnabled());
    QTest::qWait(100);
    Shot(main, "main-window.png");

    // The storage window is modal: it is driven from the event loop it runs.
    bool picked = false;
    QTimer::singleShot(0, &resh, [&] {
        auto done = qScopeGuard([&] {
            if (resh.isVisible()) resh.reject();
        });
        QVERIFY(QTest::qWaitForWindowExposed(&resh));
        QVERIFY(!main.isVisible());
        QCOMPARE(p.state.WindowCode, wc::ComposePick);
        QCOMPARE(resh.windowTitle(), QString::fromUtf8("Выбрать ячейку для составления кроссворда"));
        QTest::mouseClick(resh.board(), Qt::LeftButton, {}, resh.CellCentre(column, row));
        QCOMPARE(resh.findChild<QLabel*>(QStringLiteral("pnlCell"))->text(),
                 QString::fromUtf8("Ячейка %1 : %2").arg(column + 1).arg(row + 1));
        QTest::qWait(100);
        Shot(resh, "storage-browser.png");
        QTest::mouseDClick(resh.board(), Qt::LeftButton, {}, resh.CellCentre(column, row));
        picked = !resh.isVisible();
    });
    QTest::mouseClick(tbtnMake, Qt::LeftButton);
    QVERIFY(picked);

    // The compose window fills the picked grid while the main window waits behind it.
    QVERIFY(make.isVisible());
    QVERIFY(main.isVisible());
    QVERIFY(p.state.ComposeOpen);
    QVERIFY(!p.Find<QAction>("mrScan")->isEnabled());
    QVERIFY(!main.progressBar()->isVisible());
    // A second Compose meanwhile is refused before any storage window opens (should one open, it is
    // shut so the test ends).
    bool reshOpened = false;
    QTimer::singleShot(0, &resh, [&] {
        reshOpened = resh.isVisible();
        if (reshOpened) resh.reject();
    });
    p.dialogs.script.push_back(
        {Literal("Составление предыдущего\rкроссворда еще продолжается. "), kBtnOK, ""});
    QTest::mouseClick(tbtnMake, Qt::LeftButton);
    QVERIFY(p.dialogs.script.empty());
    QTest::qWait(10);
    QVERIFY(!reshOpened);
    QTRY_VERIFY_WITH_TIMEOUT(make.Session().Phase() == ComposePhase::Finished, 60000);
    QCOMPARE(make.windowTitle(), QString::fromUtf8("Кроссворд составлен"));
    QCOMPARE(make.pgsbrMake->value(), 100);
    QTest::qWait(200);
    Shot(make, "compose-filled.png");

    p.dialogs.script.push_back(
        {QString::fromUtf8("Кроссворд составлен\\.\r\nВремя составления \\d\\d:\\d\\d:\\d\\d "
                           "сек\r\nСохранить\\?"),
         kBtnYes, ""});
    QTest::keyClick(&make, Qt::Key_Escape);
    QVERIFY(make.lstbxName->isVisible());
    p.dialogs.script.push_back({Literal("Ввести новое имя папки"), kBtnOK, "лето"});
    QTest::mouseClick(make.btnNewFolder, Qt::LeftButton);
    QCOMPARE(make.lstbxName->currentItem()->text(), QString::fromUtf8("ЛЕТО"));
    QTest::mouseClick(make.btnOk, Qt::LeftButton);
    QCOMPARE(p.dialogs.unexpected, QStringList{});
    QVERIFY(p.dialogs.script.empty());

    // Back in the main window, ready for the next crossword.
    QVERIFY(!make.isVisible());
    QVERIFY(main.isVisible());
    QVERIFY(!p.state.ComposeOpen);
    QCOMPARE(p.state.WindowCode, wc::Main);
    QVERIFY(p.Find<QAction>("mmMake")->isEnabled());
    QVERIFY(p.Find<QAction>("mrScan")->isEnabled());

    const fs::path home = p.home.path();
    const auto store = LoadStore(home, 1);
    QVERIFY(store.has_value());
    const fs::path folder = home / "CROS" / "ЛЕТО";
    QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1L);
    CheckDocument(home, folder / "лето.01", GratFromShape(ReadShape(*store, column, row)));
}

} // namespace

class RoadTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void oneCrosswordFromComposeToTheLibrary() {
        Program p;
        MakeSmallHome(p.home.path());
        if (QTest::currentTestFailed()) return;
        p.dialogs.script.push_back(
            {Literal("Нет файла картинки ..\\CROS\\Vez.*\r\n(см. Справка / Разное / Заставка)"), kBtnOK, ""});
        QVERIFY(p.Start());
        QVERIFY(p.dialogs.script.empty());
        WalkTheRoad(p, 1);
    }

    void stagedProgramFolder() {
        const QString staged = qEnvironmentVariable("VEZDAR_ROAD_HOME");
        if (staged.isEmpty()) QSKIP("VEZDAR_ROAD_HOME not set");
        Program p;
        CopyStagedHome(fs::path(staged.toStdString()), p.home.path());
        QVERIFY(p.Start());
        WalkTheRoad(p, qEnvironmentVariableIntValue("VEZDAR_ROAD_CELL"));
    }
};

QTEST_MAIN(RoadTest)
#include "RoadTest.moc"
