// The list of identical grids found by the storage browser's duplicate search: a two-column table
// beside the browser, not modal. Closing it empties it.
#pragma once

#include "grids/StoreBrowser.h"

#include <QWidget>

class QTableWidget;

namespace vez {

class DuplicatesDialog : public QWidget {
    Q_OBJECT
  public:
    explicit DuplicatesDialog(QWidget* parent = nullptr);

    void ShowRows(const std::vector<DuplicateRow>& rows);
    QTableWidget* table() const { return sgCheck_; }

  Q_SIGNALS:
    // The user closed the window.
    void closedByUser();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    QTableWidget* sgCheck_;
};

} // namespace vez
