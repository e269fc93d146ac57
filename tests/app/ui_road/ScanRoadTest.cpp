// The road of one scanword through the program's own windows, as a user walks it: start the program in
// scanword mode, Compose, give the builder a size, let it lay out the scanword, hand the layout to the
// compose window, let it fill, close, agree to save, make a folder and choose it.

// The core before Qt: its `slots` members must be read before Qt's keyword macros exist.
#include "RoadSupport.h"
#include "settings/Config.h"
#include "app/ui/AppWindows.h"
#include "compose/ComposeSession.h"
#include "dictionary/DictFile.h"
#include "model/Document.h"
#include "model/ScanLayout.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include "app/ui/MainWindow.h"
#include "compose/ui/ComposeWindow.h"
#include "platform/qt/QtBusy.h"
#include "scanword/ui/ScanBuilderWindow.h"
#include "scanword/ui/ScanOptionsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <deque>
#include <fstream>

using namespace vez;
using namespace vez::roadtest;

namespace {

constexpr int kWidth = 6, kHeight = 5;
const char* const kDefPrefix = "Слово ";
const char* const kLetters = "абвгд";

// Every string over five letters, of each length a kWidth x kHeight scanword can hold, so that any
// layout fills at once and no word has to repeat; each definition names its word.
void MakeScanHome(const fs::path& home) {
    QVERIFY(WriteDefaultIni(home / kIniFileName));
    QVERIFY(WriteCrosScan(home / kIniFileName, kModeScan));
    fs::create_directories(home / "SCAN");
    fs::create_directories(DictFolder(home));
    const std::string letters = ru(kLetters);
    for (int len = 2; len <= std::max(kWidth, kHeight); ++len) {
        std::ofstream out(DictPath(home, len), std::ios::binary);
        std::string word(len, letters[0]);
        std::vector<int> digit(len, 0);
        for (;;) {
            for (int i = 0; i < len; ++i)
                word[i] = letters[digit[i]];
            out << word << "\r\n" << ru(kDefPrefix) << word << "\r\n";
            int i = len - 1;
            while (i >= 0 && ++digit[i] == int(letters.size()))
                digit[i--] = 0;
            if (i < 0) break;
        }
        QVERIFY(out.good());
    }
}

// The word a definition cell points to: from the cell its second digit names, along the direction of
// its first digit, up to the first cell that holds no letter.
std::string WordOfDefinition(const std::vector<std::string>& rows, const TScanLayout& layout, int x, int y) {
    const int code = layout.at(x, y);
    static const int dx[] = {0, -1, 0, 1, 1, 1, 0, -1, -1};
    static const int dy[] = {0, -1, -1, -1, 0, 1, 1, 1, 0};
    const bool across = code / 10 == 1;
    int cx = x + dx[code % 10], cy = y + dy[code % 10];
    std::string word;
    while (cx >= 1 && cx <= kWidth && cy >= 1 && cy <= kHeight && IsScanLetterCode(layout.at(cx, cy))) {
        word += rows[cy][cx - 1];
        (across ? cx : cy) += 1;
    }
    return UpperCase(word);
}

// Checks the scanword document against the layout the builder handed over: the header (a composed
// scanword still waits for its rework, so it is written as unfinished) with the word counts of the
// layout, every cell written as its layout code says with letters in the letter cells,
// and one definition per definition cell, each naming a word that stands in the grid, none twice.
void CheckScanDocument(const fs::path& file, const TScanLayout& layout) {
    std::ifstream in(file, std::ios::binary);
    QVERIFY2(in.good(), file.c_str());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<std::string> lines = SplitLines(text);

    int across = 0, down = 0;
    std::vector<std::string> gridWords;
    for (int y = 1; y <= kHeight; ++y)
        for (int x = 1; x <= kWidth; ++x) {
            const int code = layout.at(x, y);
            across += code >= 11 && code <= 17;
            down += code >= 21 && code <= 28;
        }
    QVERIFY(across + down > 0);
    QCOMPARE(QString::fromStdString(lines.at(0)),
             QStringLiteral("AS.%1%2%3%4").arg(kWidth, -3).arg(kHeight, -3).arg(across, -4).arg(down, -4));
    QCOMPARE(lines.size(), size_t(1 + kHeight + across + down + 1));
    QVERIFY(lines.back().empty());

    for (int y = 1; y <= kHeight; ++y) {
        const std::string& row = lines[y];
        QCOMPARE(int(row.size()), kWidth);
        for (int x = 1; x <= kWidth; ++x) {
            const std::uint8_t code = layout.at(x, y);
            if (IsScanLetterCode(code)) {
                QVERIFY2(ru(kLetters).find(LowerCase(row.substr(x - 1, 1))) != std::string::npos,
                         Cp1251ToUtf8(row).c_str());
            } else {
                QCOMPARE(row[x - 1], ScanCellChar(code, ' '));
                if (code != kScanOutside) gridWords.push_back(WordOfDefinition(lines, layout, x, y));
            }
        }
    }

    std::vector<std::string> defined;
    const std::string prefix = UpperCase(ru(kDefPrefix));
    for (size_t i = 1 + kHeight; i + 1 < lines.size(); ++i) {
        const std::string def = UpperCase(lines[i]);
        QVERIFY2(def.rfind(prefix, 0) == 0, Cp1251ToUtf8(lines[i]).c_str());
        defined.push_back(def.substr(prefix.size()));
    }
    std::sort(gridWords.begin(), gridWords.end());
    std::sort(defined.begin(), defined.end());
    QVERIFY(std::adjacent_find(defined.begin(), defined.end()) == defined.end());
    QVERIFY(defined == gridWords);
}

} // namespace

class ScanRoadTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void oneScanwordFromBuilderToTheLibrary() {
        Program p;
        MakeScanHome(p.home.path());
        if (QTest::currentTestFailed()) return;
        p.dialogs.script.push_back(
            {Literal("Нет файла картинки ..\\CROS\\Vez.*\r\n(см. Справка / Разное / Заставка)"), kBtnOK, ""});
        QVERIFY(p.Start());
        QCOMPARE(p.dialogs.unexpected, QStringList{});
        QVERIFY(p.dialogs.script.empty());
        QCOMPARE(p.state.CrosKind, std::string(kModeScan));

        MainWindow& main = p.windows->Main();
        ScanBuilderWindow& scan = p.windows->Scan();
        ComposeWindow& make = p.windows->Make();

        // Compose opens the builder next to the main window.
        auto* tbtnMake = p.Find<QToolButton>("tbtnMake");
        QVERIFY(tbtnMake && tbtnMake->isEnabled());
        QTest::mouseClick(tbtnMake, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&scan));
        QVERIFY(p.state.ScanBuilderOpen);
        QVERIFY(!scan.composeAction()->isEnabled());

        // A small size and no short-word limits, so that the layout comes at once.
        scan.widthField()->setValue(kWidth);
        scan.heightField()->setValue(kHeight);
        scan.operAction()->trigger();
        QVERIFY(scan.operWindow()->isVisible());
        if (scan.operWindow()->chbShort()->isChecked()) scan.operWindow()->chbShort()->click();
        QVERIFY(!scan.operSettings().shortCheck());
        scan.buildAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(scan.composeAction()->isEnabled(), 30000);
        QVERIFY(scan.builder().layoutReady());
        const TScanLayout layout = scan.builder().display();
        QCOMPARE(layout.width, kWidth);
        QCOMPARE(layout.height, kHeight);

        // The compose window fills the layout while the builder waits behind it.
        scan.composeAction()->trigger();
        QVERIFY(make.isVisible());
        QVERIFY(p.state.ComposeOpen);
        QVERIFY(!scan.composeAction()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(make.Session().Phase() == ComposePhase::Finished, 60000);
        QCOMPARE(make.windowTitle(), QString::fromUtf8("Сканворд составлен"));
        QCOMPARE(make.pgsbrMake->value(), 100);
        // A layout completed while the compose window is open is not offered.
        scan.buildAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(scan.builder().layoutReady(), 30000);
        QVERIFY(!scan.composeAction()->isEnabled());

        p.dialogs.script.push_back(
            {QString::fromUtf8("Сканворд составлен\\.\r\nВремя составления \\d\\d:\\d\\d:\\d\\d "
                               "сек\r\nСохранить\\?"),
             kBtnYes, ""});
        QTest::keyClick(&make, Qt::Key_Escape);
        QVERIFY(make.lstbxName->isVisible());
        p.dialogs.script.push_back({Literal("Ввести новое имя папки"), kBtnOK, "тест"});
        QTest::mouseClick(make.btnNewFolder, Qt::LeftButton);
        QCOMPARE(make.lstbxName->currentItem()->text(), QString::fromUtf8("ТЕСТ"));
        QTest::mouseClick(make.btnOk, Qt::LeftButton);
        QCOMPARE(p.dialogs.unexpected, QStringList{});
        QVERIFY(p.dialogs.script.empty());

        // Back in the builder. Neither layout is offered now; the next one is.
        QVERIFY(!make.isVisible());
        QVERIFY(!p.state.ComposeOpen);
        QVERIFY(scan.isVisible());
        QVERIFY(main.isVisible());
        QVERIFY(!scan.composeAction()->isEnabled());
        scan.buildAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(scan.composeAction()->isEnabled(), 30000);

        // Every composed scanword is written marked: it still waits for its rework.
        const fs::path folder = p.home.path() / "SCAN" / "ТЕСТ";
        QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1L);
        const fs::path doc = folder / "тест.01-";
        QVERIFY2(fs::exists(doc), fs::directory_iterator(folder)->path().c_str());
        CheckScanDocument(doc, layout);
    }
};

QTEST_MAIN(ScanRoadTest)
#include "ScanRoadTest.moc"
