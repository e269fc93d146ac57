// The system's own modal message box: sized to its text by MsgBoxLayout, optional input line,
// placed where the caller asks and announced by the sound of its icon.
#pragma once

#include "platform/Dialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vez {

class SoundPlayer;

class MessageBoxDialog : public QDialog, public Dialogs {
    Q_OBJECT
  public:
    // `sounds` may be null (then the box is silent); it must outlive the box.
    explicit MessageBoxDialog(SoundPlayer* sounds = nullptr, QWidget* parent = nullptr);

    int ShowMsgBox(const MsgBoxRequest& req, std::string* input = nullptr) override;

    // Lays the box out for `req` without showing it (used by ShowMsgBox and by tests).
    void Prepare(const MsgBoxRequest& req, const std::string& inputText = {});

  private:
    QPushButton* ButtonFor(int code) const;
    QLabel* IconFor(int icon) const;
    void HideAll();

    SoundPlayer* sounds_;
    QLabel* lblMsg_;
    QLabel* imgWarn_;
    QLabel* imgQues_;
    QLabel* imgInfo_;
    QLabel* imgError_;
    QLineEdit* editMsg_;
    QPushButton* btnOK_;
    QPushButton* btnYes_;
    QPushButton* btnNo_;
    QPushButton* btnCancel_;
    QPushButton* btnDefault_;
    int iconSize_ = 32;
};

} // namespace vez
