#include "platform/MsgBoxLayout.h"

#include "platform/Text.h"

#include <algorithm>

namespace vez {

std::string MsgBoxButtonCaption(int buttonCode) {
    switch (buttonCode) {
    case kBtnOK:
        return ru("О&К");
    case kBtnYes:
        return ru("&Да");
    case kBtnNo:
        return ru("&Нет");
    case kBtnCancel:
        return ru("&Отмена");
    case kBtnDefault:
        return ru("&По умолчанию");
    default:
        return {};
    }
}

std::vector<MsgBoxButton> MsgBoxButtons(int buttonsCode) {
    std::vector<int> codes;
    switch (buttonsCode) {
    case kBtnOK:
    case kBtnYes:
    case kBtnNo:
    case kBtnCancel:
    case kBtnDefault:
        codes = {buttonsCode};
        break;
    case 10:
        codes = {kBtnYes, kBtnNo};
        break;
    case 11:
        codes = {kBtnYes, kBtnCancel};
        break;
    case 12:
        codes = {kBtnYes, kBtnNo, kBtnCancel};
        break;
    case 13:
        codes = {kBtnYes, kBtnDefault, kBtnCancel};
        break;
    case 14:
        codes = {kBtnOK, kBtnCancel};
        break;
    default:
        codes = {kBtnOK};
        break;
    }
    std::vector<MsgBoxButton> out;
    for (int c : codes)
        out.push_back({c, MsgBoxButtonCaption(c)});
    return out;
}

std::vector<std::string> SplitMsgLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') continue;
        if (c == '\r')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

MsgBoxLayout MsgBoxLayout::Compute(const MsgBoxRequest& req, const MsgBoxMetrics& m) {
    MsgBoxLayout l;
    l.lines = SplitMsgLines(req.text);
    l.buttons = MsgBoxButtons(req.buttons);
    l.showIcon = req.icon >= kIconWarn && req.icon <= kIconError;
    l.showInput = req.focus == kFocusInput;

    int widest = 0;
    for (const auto& line : l.lines)
        widest = std::max(widest, m.textWidth(line));
    const int labelWidth = widest + m.textWidth("00");
    const int iconWidth = l.showIcon ? m.iconSize : 0;
    const int okWidth = m.buttonWidth({kBtnOK, MsgBoxButtonCaption(kBtnOK)});
    l.clientWidth = std::max(labelWidth + 2 * m.margin + iconWidth, 4 * okWidth);

    const int labelHeight = static_cast<int>(l.lines.size()) * m.lineHeight;
    const int iconHeight = l.showIcon ? m.iconSize : 0;
    l.icon = {m.margin, m.margin, iconWidth, iconHeight};
    const int labelLeft = l.showIcon ? l.icon.right() + m.margin : m.margin;
    // A tall text starts level with the icon; a short one sits centred beside it.
    const int labelTop = labelHeight > iconHeight ? m.margin : m.margin + (iconHeight - labelHeight) / 2;
    l.label = {labelLeft, labelTop, l.clientWidth - labelLeft - m.margin, labelHeight};

    int rowTop = m.margin + std::max(labelHeight, iconHeight) + m.margin;
    if (l.showInput) {
        l.input = {m.margin, rowTop, l.clientWidth - 2 * m.margin, m.inputHeight};
        rowTop = l.input.bottom() + m.margin;
    }

    std::vector<int> widths;
    int total = 0;
    for (const auto& b : l.buttons) {
        widths.push_back(m.buttonWidth(b));
        total += widths.back();
    }
    const int cw = l.clientWidth;
    std::vector<int> lefts;
    switch (widths.size()) {
    case 1:
        lefts = {(cw - widths[0]) / 2};
        break;
    case 2: {
        const int gap = (cw - total) / 3;
        lefts = {gap, cw - gap - widths[1]};
        break;
    }
    default: {
        const int gap = (cw - total) / 4;
        lefts = {gap, (cw - widths[1]) / 2, cw - gap - widths[2]};
        break;
    }
    }
    for (std::size_t i = 0; i < widths.size(); ++i)
        l.buttonRects.push_back({lefts[i], rowTop, widths[i], m.buttonHeight});

    l.clientHeight = rowTop + m.buttonHeight + m.margin;

    // A focus code naming a button that is not shown falls back to the first button.
    l.focusButton = 0;
    if (l.showInput)
        l.focusButton = -1;
    else
        for (std::size_t i = 0; i < l.buttons.size(); ++i)
            if (l.buttons[i].code == req.focus) l.focusButton = static_cast<int>(i);
    return l;
}

IconSound SoundForIcon(int icon) {
    switch (icon) {
    case kIconWarn:
        return {"Warn.wav", BeepKind::Exclamation};
    case kIconQuestion:
        return {"Quest.wav", BeepKind::Question};
    case kIconError:
        return {"Error.wav", BeepKind::Error};
    default:
        return {"Info.wav", BeepKind::Information};
    }
}

} // namespace vez
