// The core before Qt: its `slots` members must be read before Qt's keyword macros exist.
#include "settings/Config.h"
#include "platform/SoundPlayer.h"
#include "compose/ComposeSession.h"
#include "platform/Text.h"

#include "compose/ui/ComposeWindow.h"

#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <set>

using namespace vez;

// The grid of cell k (0 … 99, row by row) of storage n; nullopt when it cannot be read.
std::optional<TGrat> StoreCellGrat(const fs::path& home, int n, int k);

namespace {

// Answers the window's questions from a script and records what was asked (texts in UTF-8).
class ScriptedDialogs : public Dialogs {
  public:
    struct Answer {
        std::string textUtf8;
        int result;
        std::string inputUtf8;
    };
    int ShowMsgBox(const MsgBoxRequest& req, std::string* input) override {
        asked.push_back(Cp1251ToUtf8(req.text));
        positions.push_back({req.left, req.top});
        if (script.empty() || script.front().textUtf8 != asked.back()) {
            unexpected = true;
            return 0;
        }
        Answer a = script.front();
        script.pop_front();
        if (input) *input = ru(a.inputUtf8);
        return a.result;
    }
    std::deque<Answer> script;
    std::vector<std::string> asked;
    std::vector<std::pair<int, int>> positions;
    bool unexpected = false;
};

class SilentSounds : public Sounds {
  public:
    void PlaySoundFile(const std::string& name, PlayMode) override { played.push_back(name); }
    void StopSounds() override { ++stops; }
    void Beep(BeepKind) override {}
    bool HasOutputDevice() const override { return true; }
    std::vector<std::string> played;
    int stops = 0;
};

void WriteFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Pixels of the picture that are neither ground, cell nor line: the letters (smoothed or not).
int LetterPixels(QWidget* picture, const Settings& s) {
    const QImage img = picture->grab().toImage();
    auto colour = [](TColor t) {
        const Rgb c = ResolveColor(t);
        return QColor(c.r, c.g, c.b);
    };
    const QColor plain[] = {colour(s.ColorFormPole), colour(s.ColorFormFon), colour(s.ColorFormResh)};
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += std::find(std::begin(plain), std::end(plain), img.pixelColor(x, y)) == std::end(plain);
    return n;
}

} // namespace

class ComposeWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void composeCloseSaveIntoNewFolder();
    void screenshot();
};

// The road of one crossword from the compose window on: the grid fills, the window is closed, the
// answer is Yes, a new folder is made and chosen, and the document appears in it.
void ComposeWindowTest::composeCloseSaveIntoNewFolder() {
    QTemporaryDir home;
    const QString h = home.path();
    qputenv("VEZDAR_HOME", h.toUtf8());
    // A ring of four words: кот / кит from the corner, тук down the right, ток along the bottom.
    WriteFile(h + QStringLiteral("/DICT/dict.3"),
              ru("кот\r\nЗверь\r\nкит\r\nМорской зверь\r\nтук\r\nСтук\r\nток\r\nТечение\r\n"));
    QDir().mkpath(h + QStringLiteral("/CROS"));
    const TGrat grat = GratFromCells(3, 3, {"***", "*.*", "***"});

    ScriptedDialogs dialogs;
    SilentSounds sounds;
    SoundPlayer player(sounds, true);
    Busy busy;
    std::vector<std::string> deleted;
    Settings settings;
    ComposeWindow frm(ComposeEnv(fs::path(h.toStdString()), dialogs, player, busy, deleted), settings);
    QSignalSpy closed(&frm, &ComposeWindow::closed);

    frm.Open(grat, nullptr);
    QVERIFY(frm.isVisible());
    QCOMPARE(frm.windowTitle(), QString::fromUtf8("Составление кроссворда"));
    QCOMPARE(frm.imgMake->width(), frm.CellSize() * 3 + 1);
    QTRY_VERIFY_WITH_TIMEOUT(frm.Session().Phase() == ComposePhase::Finished, 20000);
    QCOMPARE(frm.windowTitle(), QString::fromUtf8("Кроссворд составлен"));
    QCOMPARE(frm.pgsbrMake->value(), 100);
    QCOMPARE(sounds.played, std::vector<std::string>{"Mobil.wav"});

    // The letters are drawn; hiding them blanks the picture, showing them draws them again.
    QVERIFY(LetterPixels(frm.imgMake, settings) > 0);
    frm.pmHideSimb->trigger();
    QVERIFY(frm.pmHideSimb->isChecked());
    QCOMPARE(LetterPixels(frm.imgMake, settings), 0);
    frm.pmHideSimb->trigger();
    QVERIFY(LetterPixels(frm.imgMake, settings) > 0);
    frm.pmDirect->trigger();
    QCOMPARE(frm.pmDirect->text(), QStringLiteral("<-----"));
    frm.pmDirect->trigger();
    QCOMPARE(frm.pmDirect->text(), QStringLiteral("----->"));
    frm.pmRules[static_cast<int>(TFillAlgorithm::Zigzag)]->trigger();
    QCOMPARE(frm.pmAlgoritm->defaultAction(), frm.pmRules[static_cast<int>(TFillAlgorithm::Zigzag)]);
    frm.pmRules[static_cast<int>(TFillAlgorithm::Follow)]->trigger();

    // Esc asks whether to save; Yes shows the (empty) folder list.
    dialogs.script.push_back(
        {"Кроссворд составлен.\r\nВремя составления 00:00:00 сек\r\nСохранить?", kBtnYes, ""});
    QTest::keyClick(&frm, Qt::Key_Escape);
    QVERIFY(!dialogs.unexpected);
    QVERIFY(frm.isVisible());
    QCOMPARE(sounds.stops, 1);
    QCOMPARE(frm.windowTitle(), QString::fromUtf8("Выбрать имя кроссворда"));
    QVERIFY(frm.lstbxName->isVisible() && !frm.imgMake->isVisible());
    QCOMPARE(frm.lstbxName->count(), 0);
    // The question stood 20 pixels below the window's title bar.
    QCOMPARE(dialogs.positions.back().second, frm.geometry().top() + 20);

    dialogs.script.push_back({"Ввести новое имя папки", kBtnOK, "лето"});
    QTest::mouseClick(frm.btnNewFolder, Qt::LeftButton);
    QCOMPARE(frm.lstbxName->count(), 1);
    QCOMPARE(frm.lstbxName->currentItem()->text(), QString::fromUtf8("ЛЕТО"));
    QTest::mouseClick(frm.btnOk, Qt::LeftButton);
    QVERIFY(!dialogs.unexpected);
    QVERIFY(dialogs.script.empty());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!frm.isVisible());
    QVERIFY(!frm.IsComposing());

    QFile doc(h + QString::fromUtf8("/CROS/ЛЕТО/лето.01"));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const std::string text = Cp1251ToUtf8(doc.readAll().toStdString());
    const QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 1 + 3 + 4 + 1); // header, grid, definitions, nothing after the last line end
    QCOMPARE(lines[0], QStringLiteral("AS 3  3  2   2   "));
    QCOMPARE(lines[2].mid(1, 1), QStringLiteral(".")); // the blocked centre is inside the grid
    const std::set<QString> defs = {QString::fromUtf8("Зверь"), QString::fromUtf8("Морской зверь"),
                                    QString::fromUtf8("Стук"), QString::fromUtf8("Течение")};
    QCOMPARE(std::set<QString>(lines.begin() + 4, lines.begin() + 8), defs);
    // The grid's words are the dictionary's, and each definition belongs to its word.
    const QString row1 = lines[1], row3 = lines[3];
    const std::map<QString, QString> defOf = {{QString::fromUtf8("кот"), QString::fromUtf8("Зверь")},
                                              {QString::fromUtf8("кит"), QString::fromUtf8("Морской зверь")},
                                              {QString::fromUtf8("тук"), QString::fromUtf8("Стук")},
                                              {QString::fromUtf8("ток"), QString::fromUtf8("Течение")}};
    QCOMPARE(lines[4], defOf.at(row1));
    QCOMPARE(lines[5], defOf.at(row3));
    QCOMPARE(lines[6], defOf.at(QString(row1[0]) + lines[2][0] + row3[0]));
    QCOMPARE(lines[7], defOf.at(QString(row1[2]) + lines[2][2] + row3[2]));
}

// With VEZDAR_SCREENSHOT set to a file name: composes storage 1, cell 1 : 1 of the program folder
// in VEZDAR_HOME and saves a picture of the filled window there.
void ComposeWindowTest::screenshot() {
    const QString out = qEnvironmentVariable("VEZDAR_SCREENSHOT");
    if (out.isEmpty()) QSKIP("VEZDAR_SCREENSHOT not set");
    const fs::path home = ProgramFolder();
    const auto grat = StoreCellGrat(home, 1, qEnvironmentVariableIntValue("VEZDAR_SCREENSHOT_CELL"));
    QVERIFY(grat.has_value());
    ScriptedDialogs dialogs;
    SilentSounds sounds;
    SoundPlayer player(sounds, false);
    Busy busy;
    std::vector<std::string> deleted;
    Settings settings;
    ComposeWindow frm(ComposeEnv(home, dialogs, player, busy, deleted), settings);
    frm.Open(*grat, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(frm.Session().Phase() == ComposePhase::Finished, 60000);
    QTest::qWait(200);
    QVERIFY(frm.grab().save(out));
    frm.Session().Close();
    frm.close();
}

QTEST_MAIN(ComposeWindowTest)
#include "ComposeWindowTest.moc"
