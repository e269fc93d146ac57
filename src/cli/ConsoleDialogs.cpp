#include "cli/ConsoleDialogs.h"

#include "platform/Text.h"

#include <string>
#include <vector>

namespace vez::cli {

namespace {

std::vector<int> ButtonsOf(int code) {
    switch (code) {
    case 10: return {kBtnYes, kBtnNo};
    case 11: return {kBtnYes, kBtnCancel};
    case 12: return {kBtnYes, kBtnNo, kBtnCancel};
    case 13: return {kBtnYes, kBtnDefault, kBtnCancel};
    case 14: return {kBtnOK, kBtnCancel};
    case kBtnOK:
    case kBtnYes:
    case kBtnNo:
    case kBtnCancel:
    case kBtnDefault: return {code};
    default: return {kBtnOK};
    }
}

const char* ButtonName(int b) {
    switch (b) {
    case kBtnYes: return "Yes";
    case kBtnNo: return "No";
    case kBtnCancel: return "Cancel";
    case kBtnDefault: return "Default";
    default: return "OK";
    }
}

const char* IconName(int icon) {
    switch (icon) {
    case kIconWarn: return "warning";
    case kIconQuestion: return "question";
    case kIconInfo: return "information";
    case kIconError: return "error";
    default: return "message";
    }
}

} // namespace

int ConsoleDialogs::DefaultAnswer(int buttons, int focus) {
    const auto list = ButtonsOf(buttons);
    for (int b : list)
        if (b == focus) return b;
    return list.front();
}

int ConsoleDialogs::ShowMsgBox(const MsgBoxRequest& req, std::string* input) {
    // CR separates the lines of a box; LF is not shown.
    std::string text;
    for (char c : req.text)
        if (c == '\r')
            text += '\n';
        else if (c != '\n')
            text += c;
    const std::string body = Cp1251ToUtf8(text);
    const std::string caption = Cp1251ToUtf8(req.caption);
    const int answer = DefaultAnswer(req.buttons, req.focus);

    std::fprintf(out_, "--- %s: %s ---\n", IconName(req.icon), caption.c_str());
    std::fwrite(body.data(), 1, body.size(), out_);
    std::fputs("\n[", out_);
    const auto list = ButtonsOf(req.buttons);
    for (size_t i = 0; i < list.size(); ++i) std::fprintf(out_, "%s%s", i ? " " : "", ButtonName(list[i]));
    std::fprintf(out_, "] -> %s\n", ButtonName(answer));
    std::fflush(out_);
    if (input) input->clear();
    return answer;
}

} // namespace vez::cli
