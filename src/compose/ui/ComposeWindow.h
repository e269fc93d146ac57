// The compose window: shows the grid of a ComposeSession filling up, its progress bar, the popup menu
// of selection rules, and the folder choice after the user agreed to save. All decisions are the
// session's; this class draws and forwards input.
#pragma once

#include "compose/FillTypes.h"
#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vez {

struct ComposeEnv;
struct Settings;
struct TGrat;
struct TScanLayout;
class ComposeSession;
enum class ComposePhase;

class ComposeWindow : public QWidget {
    Q_OBJECT
  public:
    // `settings` (colours, font name) is read at every repaint and must outlive the window.
    ComposeWindow(ComposeEnv env, const Settings& settings, QWidget* parent = nullptr);
    ~ComposeWindow() override;

    // Shows the window on `grat` and starts composing; `layout` is null for a crossword. A load
    // failure shows its message and the window closes itself.
    void Open(const TGrat& grat, const TScanLayout* layout);
    // Ctrl+Tab goes to the scanword builder when it is visible, else to the main window.
    void SetCtrlTabTargets(QWidget* builder, QWidget* mainWindow);

    ComposeSession& Session() { return *session_; }
    bool IsComposing() const;
    // Screen metrics of the grid (computed once when the window is created).
    int CellSize() const { return cell_; }

    QWidget* imgMake = nullptr;
    QProgressBar* pgsbrMake = nullptr;
    QLabel* lblName = nullptr;
    QListWidget* lstbxName = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnNewFolder = nullptr;
    QMenu* pmAlgoritm = nullptr;
    std::array<QAction*, kFillAlgorithmCount> pmRules{}; // pmFollow, pmEmpty, pmMax, pmZigzag, pmRandom, pmSmart
    QAction* pmDirect = nullptr;
    QAction* pmHideSimb = nullptr;

  Q_SIGNALS:
    // The composition ended and the window was hidden (saved, not saved or failed).
    void closed();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool event(QEvent* e) override;

  private:
    class Picture;
    friend class Picture;

    void BuildMenu();
    void SyncMenu();
    void Drain();
    void Refresh();
    void ShowFolderChoice();
    void ChooseFolder();
    void NewFolder();
    void PlaceMessage(MsgBoxRequest& req);
    void ResetUi();

    Dialogs& dialogs_;
    const Settings& settings_;
    std::unique_ptr<ComposeSession> session_;
    QTimer* timer_ = nullptr;
    Picture* picture_ = nullptr;
    QPointer<QWidget> builder_, mainWindow_;
    int cell_ = 13;
    int fontSize_ = 8;
    QString fontName_;
    ComposePhase lastPhase_;
    bool filling_ = false; // the list is being refilled: its signals are not the user's
};

} // namespace vez
