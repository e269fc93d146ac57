// The operative settings window of the scanword builder: short-word check and limits, nonstandard
// directions, composition area with its block preview, and the word lengths of the last layout.
#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QListWidget;
class QSlider;
class QSpinBox;

namespace vez {

struct Settings;
class ScanBuilder;
class ScanOperSettings;

class ScanOptionsDialog : public QWidget {
    Q_OBJECT
  public:
    ScanOptionsDialog(Settings& settings, ScanOperSettings& oper, ScanBuilder& builder, QWidget* parent = nullptr);

    // Called after the slider cleared the builder's layout, so that the builder redraws.
    void SetAreaChangedHook(std::function<void()> hook) { onAreaChanged_ = std::move(hook); }
    void SetHelpHook(std::function<void()> hook) { onHelp_ = std::move(hook); }
    // Shows the current values and the word-length list again.
    void Refresh();

    QCheckBox* chbShort() const { return chbShort_; }
    QCheckBox* chbPermit() const { return chbPermit_; }
    QSpinBox* limitField(int length) const { return limits_[length - 2]; }
    QSlider* slider() const { return tbArea_; }
    QListWidget* lengthList() const { return lstbxLen_; }

  protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    Settings& settings_;
    ScanOperSettings& oper_;
    ScanBuilder& builder_;
    QCheckBox* chbShort_;
    QSpinBox* limits_[3];
    QCheckBox* chbPermit_;
    QSlider* tbArea_;
    QWidget* imgBlocks_;
    QListWidget* lstbxLen_;
    std::function<void()> onAreaChanged_, onHelp_;
};

} // namespace vez
