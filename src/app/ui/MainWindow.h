// The main window: the menu and tool bar from which every other window is started, the picture (or
// gradient) area and the progress bar. It shows the state of MainLogic and forwards commands to it;
// items whose windows are not wired in stay disabled.
#pragma once

#include "app/MainLogic.h"
#include "app/Splash.h"

#include <QImage>
#include <QMainWindow>

class QAction;
class QMenu;
class QProgressBar;
class QToolBar;

namespace vez {

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(MainLogic& logic, QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return prgVez_; }

    // Start-up's questions to the window: the size of the picture area once the tool bar is shown or
    // hidden by the settings, and the splash picture decoded.
    PixelSize PictureAreaSize(const AppState& state);
    std::optional<PixelSize> LoadPicture(const fs::path& file);
    // After a successful start-up: menus of the stored mode, tool bar, picture or gradient.
    void StartupDone();
    // Applies the logic's menu model and command availability (after a mode switch or a hook change).
    void Refresh();

    // The picture is moved to a random part, or a new gradient is drawn (a left click, or showing).
    void PictureClick();
    void ToggleToolBar();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    class PictureArea;
    friend class PictureArea;

    QAction* AddItem(QMenu* menu, const char* name, const char* captionUtf8);
    QMenu* PictureItems(QMenu* menu, const char* prefix, bool popup);
    void SwitchMode(const char* kind);
    void UpdateModeMenu();

    MainLogic& logic_;
    RandomFn random_;
    QImage picture_;
    PixelPoint pictureAt_;
    Gradient gradient_;

    QMenu* mmCros_;
    QMenu* mmRis_;
    QMenu* mmPrint_;
    QMenu* pmRis_;
    QMenu* pmPrint_;
    QMenu* mmMode_;
    QAction* mmMake_;
    QAction* mmReMake_;
    QAction* mmView_;
    QAction* mmSolve_;
    QAction* mmDict_;
    QAction* mmResh_;
    QAction* mmExit_;
    QAction* mmParam_;
    QAction* mmHelp_;
    QAction* mrCros_;
    QAction* mrScan_;
    QAction* mrJapan_;
    QAction* mmPassedTime_;
    QToolBar* tlbrMain_;
    PictureArea* imgVez_;
    QProgressBar* prgVez_;
};

} // namespace vez
