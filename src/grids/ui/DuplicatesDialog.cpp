#include "grids/ui/DuplicatesDialog.h"

#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vez {

DuplicatesDialog::DuplicatesDialog(QWidget* parent) : QWidget(parent, Qt::Window | Qt::Tool) {
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QString::fromUtf8("Одинаковые решетки"));
    sgCheck_ = new QTableWidget(0, 2, this);
    sgCheck_->setObjectName(QStringLiteral("sgCheck"));
    sgCheck_->setHorizontalHeaderLabels({QString::fromUtf8("Хранилище"), QString::fromUtf8("Ячейка")});
    sgCheck_->verticalHeader()->hide();
    sgCheck_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgCheck_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgCheck_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(sgCheck_);
    resize(200, 360);
}

void DuplicatesDialog::ShowRows(const std::vector<DuplicateRow>& rows) {
    sgCheck_->setRowCount(static_cast<int>(rows.size()));
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
        sgCheck_->setItem(k, 0, new QTableWidgetItem(ToQ(rows[k].storage)));
        sgCheck_->setItem(k, 1, new QTableWidgetItem(ToQ(rows[k].cell)));
    }
}

void DuplicatesDialog::closeEvent(QCloseEvent* e) {
    sgCheck_->setRowCount(0);
    e->accept();
    Q_EMIT closedByUser();
}

} // namespace vez
