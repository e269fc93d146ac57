#include "platform/MsgBoxLayout.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace vez {
namespace {

// Fixed metrics: 6 px per character, OK/Yes/No/Cancel 75 px wide, the reset button wider, so that
// a centring mistake with unequal buttons shows.
MsgBoxMetrics Metrics() {
    MsgBoxMetrics m;
    m.textWidth = [](const std::string& s) { return 6 * static_cast<int>(s.size()); };
    m.buttonWidth = [](const MsgBoxButton& b) { return b.code == kBtnDefault ? 100 : 75; };
    m.buttonHeight = 25;
    m.lineHeight = 13;
    m.iconSize = 32;
    m.margin = 10;
    m.inputHeight = 21;
    return m;
}

MsgBoxLayout Lay(const std::string& text, int buttons, int focus = 1, int icon = 0) {
    return MsgBoxLayout::Compute({text, "", buttons, focus, icon}, Metrics());
}

std::vector<int> Codes(const std::vector<MsgBoxButton>& bs) {
    std::vector<int> out;
    for (const auto& b : bs)
        out.push_back(b.code);
    return out;
}

TEST(MsgBoxButtons, EachButtonsCodeShowsItsButtonsLeftToRight) {
    struct Case {
        int code;
        std::vector<int> shown;
    };
    const Case cases[] = {{1, {1}},        {2, {2}},     {3, {3}},     {4, {4}},
                          {5, {5}},        {10, {2, 3}}, {11, {2, 4}}, {12, {2, 3, 4}},
                          {13, {2, 5, 4}}, {14, {1, 4}}, {0, {1}},     {99, {1}}};
    for (const auto& c : cases)
        EXPECT_EQ(Codes(MsgBoxButtons(c.code)), c.shown) << "buttons code " << c.code;
}

TEST(MsgBoxButtons, CaptionsCarryAcceleratorsAndTheResetButtonAnswersFive) {
    const auto bs = MsgBoxButtons(13);
    ASSERT_EQ(bs.size(), 3u);
    EXPECT_EQ(Cp1251ToUtf8(bs[0].caption), "&Да");
    EXPECT_EQ(Cp1251ToUtf8(bs[1].caption), "&По умолчанию");
    EXPECT_EQ(bs[1].code, 5);
    EXPECT_EQ(Cp1251ToUtf8(bs[2].caption), "&Отмена");
    EXPECT_EQ(Cp1251ToUtf8(MsgBoxButtons(1)[0].caption), "О&К");
    EXPECT_EQ(Cp1251ToUtf8(MsgBoxButtons(3)[0].caption), "&Нет");
}

TEST(MsgBoxText, LineFeedsAreDroppedAndCarriageReturnsSplitLines) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"one line", {"one line"}}, {"a\r\nb", {"a", "b"}},           {"a\n\rb\n", {"a", "b"}},
        {"x\ny", {"xy"}},           {"a\r\rb\r", {"a", "", "b", ""}}, {"", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitMsgLines(c.text), c.lines) << c.text;
}

TEST(MsgBoxLayout, WidthFollowsTheWidestLineButNeverBelowFourOkButtons) {
    // Short text: 4 x 75 wins over 6 + 12 + 20.
    EXPECT_EQ(Lay("a", 1).clientWidth, 300);
    EXPECT_EQ(Lay("a", 1, 1, kIconInfo).clientWidth, 300);
    // Long text: the widest line (not the first) + "00" + two margins, plus the icon when shown.
    const std::string longLine(60, 'w');
    EXPECT_EQ(Lay("short\r" + longLine + "\rmid", 1).clientWidth, 360 + 12 + 20);
    EXPECT_EQ(Lay("short\r" + longLine, 1, 1, kIconError).clientWidth, 360 + 12 + 20 + 32);
    // A line feed inside a line does not count towards its width.
    EXPECT_EQ(Lay(std::string(30, 'w') + "\n\n\n\n\n" + std::string(30, 'w'), 1).clientWidth, 392);
}

TEST(MsgBoxLayout, ButtonsAreSpacedEvenlyForOneTwoAndThreeButtons) {
    struct Case {
        int buttons;
        std::vector<int> lefts;
    };
    // Client width 300: one centred; two at (300-150)/3 from each side; three at (300-250)/4 from
    // each side with the (wider) middle one centred.
    const Case cases[] = {
        {1, {112}}, {10, {50, 175}}, {14, {50, 175}}, {12, {18, 112, 207}}, {13, {12, 100, 213}}};
    for (const auto& c : cases) {
        const auto l = Lay("a", c.buttons);
        ASSERT_EQ(l.buttonRects.size(), c.lefts.size()) << c.buttons;
        for (std::size_t i = 0; i < c.lefts.size(); ++i)
            EXPECT_EQ(l.buttonRects[i].left, c.lefts[i]) << "buttons code " << c.buttons << " button " << i;
        const auto& last = l.buttonRects.back();
        if (c.lefts.size() > 1) {
            EXPECT_EQ(300 - last.right(), l.buttonRects[0].left) << "not symmetric";
        }
    }
}

TEST(MsgBoxLayout, VerticalPlacementOfLabelIconInputAndButtons) {
    struct Case {
        const char* what;
        std::string text;
        int focus, icon;
        MsgBoxRect label;
        bool input;
        int buttonsTop, clientHeight;
    };
    const Case cases[] = {
        // One line (13) beside the icon (32): centred on it; buttons one margin below the icon.
        {"short text, icon", "a", 1, kIconQuestion, {52, 19, 238, 13}, false, 52, 87},
        // Three lines (39) are taller than the icon: top level with it; buttons below the text.
        {"tall text, icon", "a\rb\rc", 1, kIconWarn, {52, 10, 238, 39}, false, 59, 94},
        {"no icon", "a", 1, kIconNone, {10, 10, 280, 13}, false, 33, 68},
        // The input line goes under the text and pushes the buttons down.
        {"input line", "a", kFocusInput, kIconNone, {10, 10, 280, 13}, true, 33 + 21 + 10, 68 + 21 + 10},
    };
    for (const auto& c : cases) {
        const auto l = Lay(c.text, 1, c.focus, c.icon);
        EXPECT_EQ(l.label, c.label) << c.what;
        EXPECT_EQ(l.showInput, c.input) << c.what;
        if (c.input) {
            EXPECT_EQ(l.input, (MsgBoxRect{10, 33, 280, 21})) << c.what;
        }
        EXPECT_EQ(l.buttonRects[0].top, c.buttonsTop) << c.what;
        EXPECT_EQ(l.clientHeight, c.clientHeight) << c.what;
        EXPECT_EQ(l.showIcon, c.icon != kIconNone) << c.what;
    }
}

TEST(MsgBoxLayout, FocusGoesToTheNamedButtonOrTheInputLine) {
    struct Case {
        int buttons, focus, index;
    };
    const Case cases[] = {{12, 2, 0},
                          {12, 3, 1},
                          {12, 4, 2},
                          {13, 5, 1},
                          {14, 4, 1},
                          {10, kFocusInput, -1},
                          // A focus code whose button is not shown must not leave the box without focus.
                          {14, 3, 0},
                          {1, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(Lay("a", c.buttons, c.focus).focusButton, c.index) << c.buttons << "/" << c.focus;
}

} // namespace
} // namespace vez
