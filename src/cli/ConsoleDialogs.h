// Message boxes on a terminal: vezdar-cli prints what the program would show (UTF-8) and answers
// every box with its default button, so a command runs the same logic as the program unattended.
#pragma once

#include "platform/Dialogs.h"

#include <cstdio>

namespace vez::cli {

class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(std::FILE* out = stdout) : out_(out) {}
    int ShowMsgBox(const MsgBoxRequest& req, std::string* input = nullptr) override;

    // The button a box answers with when Enter is pressed: the focused one when the box has it,
    // else its first button.
    static int DefaultAnswer(int buttons, int focus);

private:
    std::FILE* out_;
};

} // namespace vez::cli
