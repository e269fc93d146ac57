// The main window: the menu and tool bar from which every other window is started, the picture area
// and the progress bar. Commands whose windows are not built yet are shown disabled.
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QProgressBar;
class QToolBar;

namespace vez {

class TfrmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmMain(QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return prgVez_; }

  private:
    QAction* AddItem(QMenu* menu, const char* name, const char* captionUtf8);
    QMenu* PictureItems(QMenu* menu, const char* prefix);

    QToolBar* tlbrMain_;
    QProgressBar* prgVez_;
};

} // namespace vez
