#include "app/ui/MainWindow.h"
#include "app/MainLogic.h"
#include "app/Startup.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <deque>
#include <fstream>

using namespace vez;

namespace {

// Answers message boxes from a queue (OK when it is empty) and keeps their texts in UTF-8.
class ScriptedDialogs : public Dialogs {
  public:
    int ShowMsgBox(const MsgBoxRequest& req, std::string*) override {
        texts.push_back(QString::fromStdString(Cp1251ToUtf8(req.text)));
        if (answers.empty()) return kBtnOK;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    QStringList texts;
    std::deque<int> answers;
};

// A program folder with a settings file, started up as the program does.
struct Started {
    test::TempHome home;
    ScriptedDialogs dialogs;
    test::FakeSounds sounds;
    test::FakeBusy busy;
    AppState state;
    MainLogic logic{state, dialogs, sounds, busy};
    std::unique_ptr<MainWindow> w;

    // `prepare` may change the folder before start-up runs.
    explicit Started(const std::function<void(const fs::path&)>& prepare = {}) {
        state.ProgramFolder = home.path();
        WriteDefaultIni(state.IniPath());
        if (prepare) prepare(home.path());
        w = std::make_unique<MainWindow>(logic);
        const StartupEnv env{dialogs, sounds, std::chrono::system_clock::now(),
                             [this](const AppState& s) { return w->PictureAreaSize(s); },
                             [this](const fs::path& p) { return w->LoadPicture(p); }};
        started = RunStartup(state, env) == StartupOutcome::Run;
        if (started) w->StartupDone();
    }
    bool started = false;

    template <class T> T* Find(const char* name) { return w->findChild<T*>(QString::fromLatin1(name)); }
    bool ShowActive() {
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w.get());
    }
};

void SavePicture(const fs::path& file, int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    fs::create_directories(file.parent_path());
    QVERIFY(img.save(QString::fromStdString(file.string())));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void modeSwitchIsWrittenAndShownAtOnce() {
        Started s([](const fs::path& home) { SavePicture(home / "CROS/Vez.jpg", 3000, 2000); });
        QVERIFY(s.started);
        QVERIFY(s.dialogs.texts.isEmpty());
        QVERIFY(s.ShowActive());
        auto* mmCros = s.Find<QMenu>("mmCros");
        QCOMPARE(mmCros->title(), QStringLiteral(" &Кроссворд "));

        s.Find<QAction>("mrScan")->trigger();
        QCOMPARE(QString::fromStdString(LoadSettings(s.state.IniPath()).Values.CrosScan),
                 QStringLiteral("Scan"));
        QCOMPARE(mmCros->title(), QStringLiteral(" С&канворд "));
        QVERIFY(!s.Find<QAction>("mmResh")->isVisible());
        QTRY_VERIFY(!s.Find<QToolButton>("tbtnResh")->isVisible()); // the tool bar lays out on its next pass
        QVERIFY(s.Find<QAction>("mrScan")->isChecked());
        QVERIFY(!s.Find<QAction>("mrCros")->isChecked());
        QCOMPARE(s.Find<QAction>("pmPrintCros")->text(), QStringLiteral("Сканворда"));

        s.Find<QAction>("mrCros")->trigger();
        QCOMPARE(QString::fromStdString(LoadSettings(s.state.IniPath()).Values.CrosScan),
                 QStringLiteral("Cros"));
        QTRY_VERIFY(s.Find<QToolButton>("tbtnResh")->isVisible());

        // With a composition open the mode stays as it is.
        s.state.ComposeOpen = true;
        s.w->Refresh();
        QVERIFY(!s.Find<QAction>("mrScan")->isEnabled());
        QCOMPARE(s.Find<QAction>("mmPassedTime")->text(), QStringLiteral("0ч 00м"));
    }

    void splashPictureIsDecodedOrReplacedByTheGradient() {
        const struct {
            const char* name;
            int width, height; // 0: not a picture at all
            const char* message;
            int state;
        } cases[] = {
            {"Vez.jpg", 3000, 2000, nullptr, kPictureShown},
            {"Vez.bmp", 40, 30, "Картинка мала для окна.\r\n(см. Справка/Разное/Заставка)", kPictureNone},
            {"Vez.jpg", 0, 0,
             "Неверный формат файла\r\nкартинки ..\\CROS\\Vez.*\r\n(см. Справка/Разное/Заставка)",
             kPictureNone},
            {nullptr, 0, 0, "Нет файла картинки ..\\CROS\\Vez.*\r\n(см. Справка / Разное / Заставка)",
             kPictureNone},
        };
        for (const auto& c : cases) {
            Started s([&](const fs::path& home) {
                if (!c.name) return;
                const fs::path file = home / "CROS" / c.name;
                if (c.width) {
                    SavePicture(file, c.width, c.height);
                } else {
                    fs::create_directories(file.parent_path());
                    std::ofstream(file) << "not a picture";
                }
            });
            QVERIFY(s.started);
            QCOMPARE(s.state.PictureState, c.state);
            QCOMPARE(s.dialogs.texts, c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
            QVERIFY(s.ShowActive());
            // Keep the picture for anyone who wants to look at the window.
            const QString dir = qEnvironmentVariable("VEZDAR_SCREENSHOTS");
            if (!dir.isEmpty()) s.w->grab().save(dir + QStringLiteral("/main-%1.png").arg(&c - cases));
        }
    }

    void keysSwitchTheToolBarAndAskBeforeExit() {
        Started s([](const fs::path& home) { SavePicture(home / "CROS/Vez.jpg", 3000, 2000); });
        QVERIFY(s.ShowActive());
        auto* bar = s.Find<QToolBar>("tlbrMain");
        QVERIFY(bar->isVisible());
        QTest::keyClick(s.w.get(), Qt::Key_F9);
        QVERIFY(!bar->isVisible());
        QVERIFY(!LoadSettings(s.state.IniPath()).Values.ShowPanelMenu);
        QTest::mouseClick(s.Find<QWidget>("imgVez"), Qt::RightButton);
        QVERIFY(bar->isVisible());
        QVERIFY(LoadSettings(s.state.IniPath()).Values.ShowPanelMenu);

        s.dialogs.answers = {kBtnCancel, kBtnOK};
        QTest::keyClick(s.w.get(), Qt::Key_Escape);
        QCOMPARE(s.dialogs.texts, QStringList{QStringLiteral("Завершить программу?")});
        QVERIFY(s.w->isVisible());
        s.Find<QAction>("mmExit")->trigger();
        QVERIFY(!s.w->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
