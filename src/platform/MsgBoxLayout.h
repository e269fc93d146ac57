// The rules of the system's message box as plain arithmetic: which buttons a buttons code shows, how
// the text splits into lines, and where the icon, label, input line and buttons go. The window only
// measures its fonts and controls and places them where this unit says.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Sounds.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

struct MsgBoxButton {
    int code = 0;        // also the result code when it is pressed
    std::string caption; // Windows-1251, '&' marks the accelerator
};

// Buttons left to right for a buttons code. An unknown code shows OK alone, so that no box can ever
// be left without a way to answer it except Esc.
std::vector<MsgBoxButton> MsgBoxButtons(int buttonsCode);
std::string MsgBoxButtonCaption(int buttonCode);

// LF characters are dropped and CR separates the lines; a text without CR is one line.
std::vector<std::string> SplitMsgLines(std::string_view text);

struct MsgBoxRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const MsgBoxRect&) const = default;
};

// What the window measured: text widths in the label's font, the size of each button (by its
// caption), the icon's side, the margin and the height of a label line and of the input line.
struct MsgBoxMetrics {
    std::function<int(const std::string& cp1251)> textWidth;
    std::function<int(const MsgBoxButton&)> buttonWidth;
    int buttonHeight = 25;
    int lineHeight = 13;
    int iconSize = 32;
    int margin = 12;
    int inputHeight = 21;
};

struct MsgBoxLayout {
    std::vector<std::string> lines;
    int clientWidth = 0;
    int clientHeight = 0;
    bool showIcon = false;
    MsgBoxRect icon;
    MsgBoxRect label;
    bool showInput = false;
    MsgBoxRect input;
    std::vector<MsgBoxButton> buttons;
    std::vector<MsgBoxRect> buttonRects; // parallel to `buttons`
    // Index into `buttons` of the button that takes the focus; -1 when the input line takes it.
    int focusButton = 0;

    static MsgBoxLayout Compute(const MsgBoxRequest& req, const MsgBoxMetrics& m);
};

// The sound file (under the Sound folder) and the beep that announce a box with this icon.
struct IconSound {
    const char* file;
    BeepKind beep;
};
IconSound SoundForIcon(int icon);

} // namespace vez
