#include "platform/qt/QtBusy.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressBar>

namespace vez {

void QtBusy::BeginBusy() {
    // Nested busy sections share one hourglass.
    if (depth_++ == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusy::EndBusy() {
    if (depth_ == 0) return;
    if (--depth_ == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

void QtBusy::SetProgressMax(int max) {
    if (!bar_) return;
    if (max <= 0) {
        bar_->hide();
        return;
    }
    bar_->setRange(0, max);
    bar_->setValue(0);
    bar_->show();
}

void QtBusy::SetProgress(int value) {
    if (bar_) bar_->setValue(value);
}

void QtBusy::ProcessEvents() {
    // processEvents handles only what is already queued and returns at once when nothing is.
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace vez
