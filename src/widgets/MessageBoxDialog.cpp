#include "widgets/MessageBoxDialog.h"

#include "platform/MsgBoxLayout.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace vez {
namespace {

constexpr int kMargin = 12;
// Buttons keep a common size, as in a designed form, and grow only for a longer caption.
constexpr int kMinButtonWidth = 75;
constexpr int kMinButtonHeight = 25;

QRect ToRect(const MsgBoxRect& r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace

MessageBoxDialog::MessageBoxDialog(SoundPlayer* sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    lblMsg_ = new QLabel(this);
    lblMsg_->setObjectName(QStringLiteral("lblMsg"));
    lblMsg_->setTextFormat(Qt::PlainText);
    lblMsg_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    iconSize_ = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    auto makeIcon = [&](const char* name, QStyle::StandardPixmap sp) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(style()->standardIcon(sp, nullptr, this).pixmap(iconSize_, iconSize_));
        return l;
    };
    imgWarn_ = makeIcon("imgWarn", QStyle::SP_MessageBoxWarning);
    imgQues_ = makeIcon("imgQues", QStyle::SP_MessageBoxQuestion);
    imgInfo_ = makeIcon("imgInfo", QStyle::SP_MessageBoxInformation);
    imgError_ = makeIcon("imgError", QStyle::SP_MessageBoxCritical);

    editMsg_ = new QLineEdit(this);
    editMsg_->setObjectName(QStringLiteral("editMsg"));

    auto makeButton = [&](const char* name, int code) {
        auto* b = new QPushButton(ToQ(MsgBoxButtonCaption(code)), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, code] { done(code); });
        return b;
    };
    btnOK_ = makeButton("btnOK", kBtnOK);
    btnYes_ = makeButton("btnYes", kBtnYes);
    btnNo_ = makeButton("btnNo", kBtnNo);
    btnCancel_ = makeButton("btnCancel", kBtnCancel);
    btnDefault_ = makeButton("btnDefault", kBtnDefault);
    HideAll();
}

QPushButton* MessageBoxDialog::ButtonFor(int code) const {
    switch (code) {
    case kBtnOK:
        return btnOK_;
    case kBtnYes:
        return btnYes_;
    case kBtnNo:
        return btnNo_;
    case kBtnCancel:
        return btnCancel_;
    case kBtnDefault:
        return btnDefault_;
    default:
        return nullptr;
    }
}

QLabel* MessageBoxDialog::IconFor(int icon) const {
    switch (icon) {
    case kIconWarn:
        return imgWarn_;
    case kIconQuestion:
        return imgQues_;
    case kIconInfo:
        return imgInfo_;
    case kIconError:
        return imgError_;
    default:
        return nullptr;
    }
}

void MessageBoxDialog::HideAll() {
    editMsg_->hide();
    for (QLabel* l : {imgWarn_, imgQues_, imgInfo_, imgError_})
        l->hide();
    for (QPushButton* b : {btnOK_, btnYes_, btnNo_, btnCancel_, btnDefault_})
        b->hide();
}

void MessageBoxDialog::Prepare(const MsgBoxRequest& req, const std::string& inputText) {
    HideAll();
    setWindowTitle(ToQ(req.caption));

    const QFontMetrics fm(lblMsg_->font());
    MsgBoxMetrics m;
    m.textWidth = [&](const std::string& s) { return fm.horizontalAdvance(ToQ(s)); };
    m.buttonWidth = [&](const MsgBoxButton& b) {
        return std::max(kMinButtonWidth, ButtonFor(b.code)->sizeHint().width());
    };
    m.buttonHeight = std::max(kMinButtonHeight, btnOK_->sizeHint().height());
    m.lineHeight = fm.height();
    m.iconSize = iconSize_;
    m.margin = kMargin;
    m.inputHeight = editMsg_->sizeHint().height();

    const MsgBoxLayout l = MsgBoxLayout::Compute(req, m);

    QStringList lines;
    for (const auto& line : l.lines)
        lines << ToQ(line);
    lblMsg_->setText(lines.join(QLatin1Char('\n')));
    lblMsg_->setGeometry(ToRect(l.label));

    if (QLabel* icon = l.showIcon ? IconFor(req.icon) : nullptr) {
        icon->setGeometry(ToRect(l.icon));
        icon->show();
    }
    if (l.showInput) {
        editMsg_->setText(ToQ(inputText));
        editMsg_->setGeometry(ToRect(l.input));
        editMsg_->show();
    }
    for (std::size_t i = 0; i < l.buttons.size(); ++i) {
        QPushButton* b = ButtonFor(l.buttons[i].code);
        b->setGeometry(ToRect(l.buttonRects[i]));
        b->show();
    }
    setFixedSize(l.clientWidth, l.clientHeight);

    // -1 centres the box on the screen along that axis.
    QPoint pos(req.left, req.top);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        if (req.left == -1) pos.setX(area.center().x() - l.clientWidth / 2);
        if (req.top == -1) pos.setY(area.center().y() - l.clientHeight / 2);
    }
    move(pos);

    for (QPushButton* b : {btnOK_, btnYes_, btnNo_, btnCancel_, btnDefault_})
        b->setDefault(false);
    // Enter presses the focused button; from the input line it presses the first button.
    QPushButton* def = ButtonFor(l.buttons[static_cast<std::size_t>(std::max(0, l.focusButton))].code);
    def->setDefault(true);
    if (l.focusButton < 0) {
        editMsg_->setFocus();
        editMsg_->selectAll();
    } else {
        def->setFocus();
    }
}

int MessageBoxDialog::ShowMsgBox(const MsgBoxRequest& req, std::string* input) {
    Prepare(req, input ? *input : std::string());
    if (sounds_) sounds_->PlayForIcon(req.icon);
    // Esc and the close button reject the dialog, which is result 0.
    const int result = exec();
    if (input && req.focus == kFocusInput) *input = FromQ(editMsg_->text());
    HideAll();
    return result;
}

} // namespace vez
