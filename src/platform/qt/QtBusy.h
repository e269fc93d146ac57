// Busy cursor, the main window's progress bar and running pending events during long work.
#pragma once

#include "platform/Busy.h"

#include <QPointer>

#include <QProgressBar>

namespace vez {

class QtBusy : public Busy {
  public:
    // The main window hands over its progress bar once it exists; until then progress is not shown.
    void SetProgressBar(QProgressBar* bar) { bar_ = bar; }

    void BeginBusy() override;
    void EndBusy() override;
    void SetProgressMax(int max) override;
    void SetProgress(int value) override;
    void ProcessEvents() override;

  private:
    QPointer<QProgressBar> bar_;
    int depth_ = 0;
};

} // namespace vez
