// The grid form editor window: shows the working shape of its FormEditor, forwards the pointer on
// the grid (painting, erasing, dragging the edges) and the commands of its buttons.
#pragma once

#include "grids/FormEditor.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace vez {

struct Settings;
class FormGridView;

class GridEditorWindow : public QWidget {
    Q_OBJECT
  public:
    // Everything passed must outlive the window. `settings` is read at every repaint, so changed
    // colours show at once.
    GridEditorWindow(Dialogs& dialogs, Sounds& sounds, Busy& busy, fs::path home, const Settings& settings,
                 QWidget* parent = nullptr);
    ~GridEditorWindow() override;

    // The editor's core; its Hooks() connect the storage browser and the composition.
    FormEditor& Editor() { return editor_; }

    // Takes the square size (SetSquareSize, else worked out from the screen height) and shows the
    // window.
    void Open();
    // The on-screen square size of the grid, normally the compose window's cell size.
    void SetSquareSize(int pixels) { squareSize_ = pixels; }

    // F9 or the right button released on the window or its buttons: the settings of the current
    // mode. Help button: the help page of the window.
    std::function<void()> openSettings;
    std::function<void()> openHelp;
    // Seeds of the generator; the clock unless replaced (tests).
    std::function<std::uint64_t()> seed;

    FormGridView* gridView() const { return view_; }

    // Shows the core's state: status panels, grid size, repaint.
    void Refresh();

  Q_SIGNALS:
    // The editor was closed (Esc or the window's close button): the caller shows the main window.
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void Command(void (FormEditor::*command)());
    void Generate();
    void ShowSettings();

    FormEditor editor_;
    const Settings& settings_;
    int squareSize_ = 0;
    QScrollArea* scrollGrid_;
    FormGridView* view_;
    QPushButton* bbAuto_;
    QPushButton* bbSimm_;
    QPushButton* bbSave_;
    QPushButton* bbKorr_;
    QPushButton* bbClear_;
    QPushButton* bbHelp_;
    QLabel* stbCell_;
    QLabel* stbSize_;
    QLabel* stbSimm_;
};

// The grid image and the panel around it.
class FormGridView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMargin = 8; // panel around the grid image, pixels

    FormGridView(FormEditor& editor, const Settings& settings, QWidget* parent = nullptr);
    // Room for the grid and a few squares more to drag into.
    void FitToGrid();

  Q_SIGNALS:
    void changed(); // the status texts may have changed

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void UpdateCursor(int x, int y);

    FormEditor& editor_;
    const Settings& settings_;
};

} // namespace vez
