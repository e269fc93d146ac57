// The grid storage window: draws the state of a StoreBrowser (the board scaled to the window, the
// thumbnails, number buttons and status) and forwards clicks, keys and menu commands to it.
#pragma once

#include "grids/StoreBrowser.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace vez {

class DuplicatesDialog;
class ReshBoard;
class ReshThumb;

class StoreBrowserWindow : public QDialog {
    Q_OBJECT
  public:
    // Created once; `settings` gives CurrGrat and the thumbnail colours and is updated on a switch.
    StoreBrowserWindow(const fs::path& home, Settings& settings, Dialogs& dialogs, Busy& busy,
             QWidget* parent = nullptr);
    ~StoreBrowserWindow() override;

    // Shows the window modally for `purpose` (window code 12, 72, 73, 88 or 98) under `title` (the
    // purpose's own caption when empty); `working` is the editor's shape for the save purpose.
    // Nullopt when the user cancelled (or the code is none of the five).
    std::optional<StorePickResult> Pick(int purpose, const QString& title = {},
                                        const TGratShape* working = nullptr);

    // F9 or the right button released on the thumbnails: the crossword settings window. The
    // thumbnails are redrawn afterwards.
    std::function<void()> openSettings;
    // The "Справка" button; disabled while unset.
    std::function<void()> openHelp;

    StoreBrowser& core() { return core_; }
    DuplicatesDialog* checkWindow() const { return frmCheck_; }
    QWidget* board() const;
    // Widget position of the centre of cell (c, r) on the board, for tests and tools.
    QPoint CellCentre(int c, int r) const;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void done(int r) override;

  private:
    friend class ReshBoard;
    friend class ReshThumb;
    void Refresh();
    void Act(BrowserAction a);
    void BoardMenu(const QPoint& globalPos);
    void OpenSettings();

    StoreBrowser core_;
    Settings& settings_;
    std::optional<StorePickResult> result_;
    bool sized_ = false;
    ReshBoard* imgResh_;
    ReshThumb* imgCur_;
    ReshThumb* imgSave_;
    QLabel* lblStore_;
    QLabel* pnlCell_;
    QLabel* pnlSize_;
    std::array<QPushButton*, 5> sbtnNum_{};
    QPushButton* sbtnPrev_;
    QPushButton* sbtnNext_;
    QPushButton* sbtnFind_;
    QPushButton* bbHelp_;
    QMenu* pmResh_;
    QAction* pmCut_;
    QAction* pmPaste_;
    QAction* pmClear_;
    QAction* pmSep_;
    QAction* pmSave_;
    DuplicatesDialog* frmCheck_;
};

} // namespace vez
