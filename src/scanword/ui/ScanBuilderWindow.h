// The scanword builder window: size fields, Ctrl+click exclusion, the layout generation run on this
// window's thread, the drawing of the layout with its arrows and the hand-over to composition.
#pragma once

#include "model/Grat.h"
#include "model/ScanLayout.h"
#include "scanword/ScanBuilder.h"
#include "scanword/ScanOperSettings.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace vez {

struct Settings;
class Dialogs;
class ScanOptionsDialog;

class ScanBuilderWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `windowCode` is the process-wide window code; all references must outlive the window.
    ScanBuilderWindow(Settings& settings, Dialogs& dialogs, std::uint8_t& windowCode, QWidget* parent = nullptr);
    ~ScanBuilderWindow() override;

    // "Составить сканворд": receives the compose grid and the layout; the caller shows the compose
    // window (and tells the builder through SetComposeWindowOpen).
    using ComposeHook = std::function<void(const TGrat&, const TScanLayout&)>;
    void SetComposeHook(ComposeHook hook) { onCompose_ = std::move(hook); }
    void SetComposeWindowOpen(bool open);
    // Ctrl+Tab: the caller brings the compose window, or the main window, to the front.
    void SetCtrlTabHook(std::function<void()> hook) { onCtrlTab_ = std::move(hook); }
    // F9 / "Параметры": the caller shows the scanword settings modally; the window then redraws.
    void SetSettingsHook(std::function<void()> hook) { onSettings_ = std::move(hook); }
    void SetHelpHook(std::function<void()> hook);

    ScanBuilder& builder() { return builder_; }
    ScanOperSettings& operSettings() { return oper_; }
    ScanOptionsDialog* operWindow() const { return frmSetOper_; }
    QSpinBox* widthField() const { return editWidth_; }
    QSpinBox* heightField() const { return editHeight_; }
    QAction* buildAction() const { return tbtnGrat_; }
    QAction* composeAction() const { return tbtnMake_; }
    QAction* operAction() const { return tbtnOper_; }
    QWidget* drawing() const { return imgScan_; }
    QString statusTime() const;
    QString statusWords() const;

  Q_SIGNALS:
    // The window was closed (the user agreed to stop a running generation).
    void closed();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void OnBuild();
    void OnCompose();
    void OnOper();
    void OnSettings();
    void SizeChanged();
    void UpdateUi();
    void ResizeDrawing();
    int CellSize() const;
    void Pump();

    Settings& settings_;
    Dialogs& dialogs_;
    std::uint8_t& windowCode_;
    ScanOperSettings oper_;
    ScanBuilder builder_;
    QSpinBox* editWidth_;
    QSpinBox* editHeight_;
    QAction* tbtnGrat_;
    QAction* tbtnMake_;
    QAction* tbtnOper_;
    QScrollArea* scroll_;
    QWidget* imgScan_;
    QLabel* pnlTime_;
    QLabel* pnlWords_;
    ScanOptionsDialog* frmSetOper_;
    bool operPlaced_ = false;
    ComposeHook onCompose_;
    std::function<void()> onCtrlTab_, onSettings_, onHelp_;
    int cellSize_ = 4; // of the drawing as last laid out
    int shownBlock_ = 0;
    std::string shownTime_;
};

} // namespace vez
