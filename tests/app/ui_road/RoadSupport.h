// What the whole-road window tests share: a scripted message box and reading a written document.
#pragma once

#include "app/AppState.h"
#include "platform/SoundPlayer.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "platform/qt/QtBusy.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QStringList>
#include <QtTest>
#include <memory>
#include <deque>
#include <string>
#include <vector>

namespace vez::roadtest {

// Answers the program's messages from a script of anchored patterns (UTF-8); a message that is not
// the next one of the script is recorded as unexpected and answered with nothing.
class ScriptedDialogs : public Dialogs {
  public:
    struct Answer {
        QString pattern;
        int result;
        std::string inputUtf8;
    };
    int ShowMsgBox(const MsgBoxRequest& req, std::string* input) override {
        const QString text = QString::fromStdString(Cp1251ToUtf8(req.text));
        if (script.empty() || !QRegularExpression(QRegularExpression::anchoredPattern(script.front().pattern))
                                   .match(text)
                                   .hasMatch()) {
            unexpected << text;
            return 0;
        }
        const Answer a = script.front();
        script.pop_front();
        if (input) *input = ru(a.inputUtf8);
        return a.result;
    }
    std::deque<Answer> script;
    QStringList unexpected;
};

inline QString Literal(const char* utf8) {
    return QRegularExpression::escape(QString::fromUtf8(utf8));
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

// The program as its main() builds it, in a temporary program folder.
struct Program {
    test::TempHome home;
    ScriptedDialogs dialogs;
    test::FakeSounds sounds;
    SoundPlayer player{sounds, false};
    QtBusy busy;
    AppState state;
    std::unique_ptr<AppWindows> windows;

    // As the program's main() does it.
    bool Start() {
        state.ProgramFolder = home.path();
        windows = std::make_unique<AppWindows>(state, dialogs, sounds, player, busy);
        busy.SetProgressBar(windows->Main().progressBar());
        if (!windows->Start()) return false;
        windows->Main().show();
        return QTest::qWaitForWindowExposed(&windows->Main());
    }
    template <class T> T* Find(const char* name) {
        return windows->Main().findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace vez::roadtest
