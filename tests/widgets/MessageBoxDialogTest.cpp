#include "widgets/MessageBoxDialog.h"
#include "platform/SoundPlayer.h"
#include "platform/Text.h"
#include "platform/qt/QtSounds.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace vez;

namespace {

class RecordingSounds : public Sounds {
  public:
    void PlaySoundFile(const std::string& name, PlayMode) override { played.push_back(name); }
    void StopSounds() override {}
    void Beep(BeepKind kind) override { beeps.push_back(kind); }
    bool HasOutputDevice() const override { return false; }
    std::vector<std::string> played;
    std::vector<BeepKind> beeps;
};

// A valid 0.2 s mono 8 kHz 8-bit WAV of silence.
QByteArray TinyWav() {
    const quint32 n = 1600;
    QByteArray w;
    auto u32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            w.append(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](quint16 v) { w.append(char(v & 0xFF)).append(char(v >> 8)); };
    w.append("RIFF");
    u32(36 + n);
    w.append("WAVEfmt ");
    u32(16);
    u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    w.append("data");
    u32(n);
    w.append(QByteArray(n, char(0x80)));
    return w;
}

MsgBoxRequest Req(const char* textUtf8, int buttons, int focus, int icon) {
    return {ru(textUtf8), ru(" Проверка"), buttons, focus, icon};
}

// QTest::keyClicks only knows ASCII; Russian letters go as key events carrying their text.
void TypeText(QWidget* w, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `act` once the modal box is up, then returns what ShowMsgBox returned.
int ShowAndDo(MessageBoxDialog& box, const MsgBoxRequest& req, std::function<void()> act,
              std::string* input = nullptr) {
    QTimer::singleShot(0, &box, [&box, act] {
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // Keep the picture for anyone who wants to look at the box.
        const QString dir = qEnvironmentVariable("VEZDAR_SCREENSHOTS");
        static int shot = 0;
        if (!dir.isEmpty()) box.grab().save(dir + QStringLiteral("/msgbox-%1.png").arg(++shot));
        act();
        // A failed check inside `act` must not leave the modal box waiting for the watchdog.
        if (box.isVisible()) box.done(-1);
    });
    return box.ShowMsgBox(req, input);
}

} // namespace

class MessageBoxDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void escAndCloseButtonGiveZero_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("viaClose");
        QTest::newRow("esc, yes/no/cancel") << 12 << 4 << false;
        QTest::newRow("esc, input line") << 14 << kFocusInput << false;
        QTest::newRow("close button") << 1 << 1 << true;
    }
    void escAndCloseButtonGiveZero() {
        QFETCH(int, buttons);
        QFETCH(int, focus);
        QFETCH(bool, viaClose);
        MessageBoxDialog box;
        const int r = ShowAndDo(box, Req("Завершить программу?", buttons, focus, kIconQuestion), [&] {
            if (viaClose)
                box.close();
            else
                QTest::keyClick(&box, Qt::Key_Escape);
        });
        QCOMPARE(r, 0);
    }

    void middleButtonOfCode13GivesFive() {
        MessageBoxDialog box;
        const int r = ShowAndDo(box, Req("Сбросить настройки?", 13, 2, kIconQuestion), [&] {
            auto* yes = box.findChild<QPushButton*>(QStringLiteral("btnYes"));
            auto* def = box.findChild<QPushButton*>(QStringLiteral("btnDefault"));
            auto* cancel = box.findChild<QPushButton*>(QStringLiteral("btnCancel"));
            QVERIFY(yes->isVisible() && def->isVisible() && cancel->isVisible());
            QVERIFY(!box.findChild<QPushButton*>(QStringLiteral("btnOK"))->isVisible());
            QVERIFY(yes->x() < def->x() && def->x() < cancel->x());
            QCOMPARE(def->text(), QString::fromUtf8("&По умолчанию"));
            QCOMPARE(box.focusWidget(), yes);
            QTest::mouseClick(def, Qt::LeftButton);
        });
        QCOMPARE(r, 5);
    }

    void inputLineTakesFocusAndReturnsTypedText() {
        MessageBoxDialog box;
        std::string input = ru("старое");
        const int r = ShowAndDo(
            box, Req("Имя папки:", 14, kFocusInput, kIconNone),
            [&] {
                auto* edit = box.findChild<QLineEdit*>(QStringLiteral("editMsg"));
                QVERIFY(edit->isVisible());
                QCOMPARE(box.focusWidget(), edit);
                // The caller's text is offered selected, so typing replaces it.
                TypeText(box.focusWidget(), QString::fromUtf8("ЛЕТО"));
                QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            },
            &input);
        QCOMPARE(r, 1);
        QCOMPARE(QString::fromUtf8(Cp1251ToUtf8(input)), QString::fromUtf8("ЛЕТО"));
        QVERIFY(!box.findChild<QLineEdit*>(QStringLiteral("editMsg"))->isVisible());
    }

    void widthIsFourOkButtonsForShortTextAndGrowsWithALongLine() {
        MessageBoxDialog box;
        box.Prepare(Req("Да", 1, 1, kIconInfo));
        const int ok = box.findChild<QPushButton*>(QStringLiteral("btnOK"))->width();
        QCOMPARE(box.width(), 4 * ok);

        const std::string longLine(120, 'W');
        box.Prepare({ru("коротко\r\n") + longLine, {}, 1, 1, kIconNone});
        auto* label = box.findChild<QLabel*>(QStringLiteral("lblMsg"));
        QCOMPARE(label->text().count(QLatin1Char('\n')), 1);
        QVERIFY(box.width() > 4 * ok);
        QVERIFY(label->fontMetrics().horizontalAdvance(QString::fromStdString(longLine)) < label->width());
    }

    void positionIsTheCallersOrCentredOnTheScreen() {
        MessageBoxDialog box;
        MsgBoxRequest req = Req("Текст", 1, 1, kIconNone);
        req.left = 30;
        req.top = 40;
        box.Prepare(req);
        QCOMPARE(box.pos(), QPoint(30, 40));
        req.left = req.top = -1;
        box.Prepare(req);
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((box.geometry().center() - centre).manhattanLength() <= 2);
    }

    void soundFollowsTheIconAndTheSetting() {
        RecordingSounds sounds;
        SoundPlayer player(sounds, false);
        MessageBoxDialog box(&player);
        ShowAndDo(box, Req("Вопрос", 10, 2, kIconQuestion), [&] { QTest::keyClick(&box, Qt::Key_Escape); });
        player.SetSoundsOn(true);
        ShowAndDo(box, Req("Ошибка", 1, 1, kIconError), [&] { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(sounds.beeps, std::vector<BeepKind>{BeepKind::Question});
        QCOMPARE(sounds.played, std::vector<std::string>{"Error.wav"});
    }

    // Whatever the machine has (no device under test), every call returns and "to the end" does not
    // hang; a missing file is ignored.
    void qtSoundsReturnWithOrWithoutADevice() {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Sound")));
        QFile f(home.path() + QStringLiteral("/Sound/Info.wav"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TinyWav());
        f.close();
        QtSounds s(home.path().toStdString());
        s.PlaySoundFile("Info.wav", PlayMode::ToEnd);
        s.PlaySoundFile("Missing.wav", PlayMode::ToEnd);
        s.PlaySoundFile("Info.wav", PlayMode::Repeat);
        s.StopSounds();
        s.PlaySoundFile("Info.wav");
        for (BeepKind k : {BeepKind::Information, BeepKind::Exclamation, BeepKind::Question, BeepKind::Error})
            s.Beep(k);
        if (!s.HasOutputDevice()) QVERIFY(!SoundsPossible(home.path().toStdString(), s));
    }
};

QTEST_MAIN(MessageBoxDialogTest)
#include "MessageBoxDialogTest.moc"
