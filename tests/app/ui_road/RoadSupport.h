// What the whole-road window tests share: a scripted message box and reading a written document.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Text.h"

#include <QRegularExpression>
#include <QStringList>
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

} // namespace vez::roadtest
