// The system's modal message box as the core calls it; the program shows MessageBoxDialog, tests
// answer from a script.
#pragma once

#include <string>

namespace vez {

// Buttons codes: 1 OK, 2 Yes, 3 No, 4 Cancel, 5 "По умолчанию", 10 Yes+No, 11 Yes+Cancel,
// 12 Yes+No+Cancel, 13 Yes+Default+Cancel, 14 OK+Cancel.
// Focus codes: 1 OK, 2 Yes, 3 No, 4 Cancel, 5 Default, 9 the input line (then shown).
// Icon codes: 0 none, 1 warning, 2 question, 3 information, 4 error.
// Results: the code of the pressed button; 0 when closed without a button (Esc, close button).
enum MsgButtons : int { kBtnOK = 1, kBtnYes = 2, kBtnNo = 3, kBtnCancel = 4, kBtnDefault = 5 };
enum MsgIcon : int { kIconNone = 0, kIconWarn = 1, kIconQuestion = 2, kIconInfo = 3, kIconError = 4 };
inline constexpr int kFocusInput = 9;

struct MsgBoxRequest {
    std::string text;    // Windows-1251; CR separates lines, LF is dropped
    std::string caption; // Windows-1251
    int buttons = 1;
    int focus = 1;
    int icon = 0;
    int left = -1; // screen position of the top-left corner; -1: centred on the screen
    int top = -1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows the box modally; returns the result code. With focus 9, `input` (may be null) holds the
    // text of the input line after the box closed.
    virtual int ShowMsgBox(const MsgBoxRequest& req, std::string* input = nullptr) = 0;

    int Show(std::string text, std::string caption, int buttons, int focus, int icon, int left = -1,
             int top = -1) {
        return ShowMsgBox({std::move(text), std::move(caption), buttons, focus, icon, left, top});
    }
};

} // namespace vez
