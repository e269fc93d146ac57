#include "scanword/ui/ScanOptionsDialog.h"

#include "platform/qt/QtText.h"
#include "scanword/ScanBuilder.h"
#include "scanword/ScanDraw.h"
#include "scanword/ui/PainterCanvas.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vez {
namespace {


// The preview shows each cell as a few pixels so that the blocks can be told apart on a screen.
constexpr int kPreviewScale = 3;

class BlockPreview : public QWidget {
  public:
    BlockPreview(ScanOperSettings& oper, ScanBuilder& builder, QWidget* parent)
        : QWidget(parent), oper_(oper), builder_(builder) {
        setMinimumSize(40 * kPreviewScale + 2, 40 * kPreviewScale + 2);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PainterCanvas canvas(p);
        const ScanBlocks blocks = ComputeScanBlocks(builder_.width(), builder_.height(), oper_.area());
        const int w = blocks.width * kPreviewScale, h = blocks.height * kPreviewScale;
        DrawBlockPreview(canvas, blocks, (width() - w) / 2, (height() - h) / 2, kPreviewScale, 0xFFFFFF, 0);
    }

  private:
    ScanOperSettings& oper_;
    ScanBuilder& builder_;
};

} // namespace

ScanOptionsDialog::ScanOptionsDialog(Settings& settings, ScanOperSettings& oper, ScanBuilder& builder, QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings), oper_(oper), builder_(builder) {
    setObjectName(QStringLiteral("frmSetOper"));
    setWindowTitle(U("Оперативные настройки"));

    auto* grpShort = new QGroupBox(U(" Кол-во коротких слов "), this);
    auto* shortLay = new QGridLayout(grpShort);
    chbShort_ = new QCheckBox(U("включить проверку"), grpShort);
    chbShort_->setObjectName(QStringLiteral("chbShort"));
    shortLay->addWidget(chbShort_, 0, 0, 1, 2);
    shortLay->addWidget(new QLabel(U("длина"), grpShort), 1, 0);
    shortLay->addWidget(new QLabel(U("не более"), grpShort), 1, 1);
    for (int n = 2; n <= 4; ++n) {
        auto* field = new QSpinBox(grpShort);
        field->setObjectName(QStringLiteral("editLimit%1").arg(n));
        field->setRange(0, ScanOperSettings::MaxLimit(n));
        limits_[n - 2] = field;
        shortLay->addWidget(new QLabel(QString::number(n), grpShort), n, 0);
        shortLay->addWidget(field, n, 1);
        connect(field, &QSpinBox::valueChanged, this, [this, n](int v) { oper_.SetLimit(n, v); });
    }
    connect(chbShort_, &QCheckBox::toggled, this, [this](bool on) {
        oper_.SetShortCheck(on);
        for (QSpinBox* f : limits_) f->setEnabled(on);
    });

    auto* grpPermit = new QGroupBox(U(" Нестандартные направления "), this);
    auto* permitLay = new QVBoxLayout(grpPermit);
    chbPermit_ = new QCheckBox(U("разрешить"), grpPermit);
    chbPermit_->setObjectName(QStringLiteral("chbPermit"));
    permitLay->addWidget(chbPermit_);
    connect(chbPermit_, &QCheckBox::toggled, this,
            [this](bool on) { ScanOperSettings::SetPermitArrows(settings_, on); });

    auto* grpArea = new QGroupBox(U(" Область составления "), this);
    auto* areaLay = new QHBoxLayout(grpArea);
    tbArea_ = new QSlider(Qt::Vertical, grpArea);
    tbArea_->setObjectName(QStringLiteral("tbArea"));
    tbArea_->setRange(ScanOperSettings::kMinArea, ScanOperSettings::kMaxArea);
    tbArea_->setTickPosition(QSlider::TicksBothSides);
    tbArea_->setPageStep(1);
    imgBlocks_ = new BlockPreview(oper_, builder_, grpArea);
    areaLay->addWidget(tbArea_);
    areaLay->addWidget(imgBlocks_);
    connect(tbArea_, &QSlider::valueChanged, this, [this](int q) {
        if (!oper_.SetArea(q)) return;
        imgBlocks_->update();
        builder_.AreaChanged();
        if (onAreaChanged_) onAreaChanged_();
    });

    lstbxLen_ = new QListWidget(this);
    lstbxLen_->setObjectName(QStringLiteral("lstbxLen"));

    auto* left = new QVBoxLayout;
    left->addWidget(grpShort);
    left->addWidget(grpPermit);
    left->addWidget(grpArea);
    auto* lay = new QHBoxLayout(this);
    lay->addLayout(left);
    lay->addWidget(lstbxLen_);
    Refresh();
}

void ScanOptionsDialog::Refresh() {
    const QSignalBlocker b0(chbShort_), b1(chbPermit_), b2(tbArea_);
    chbShort_->setChecked(oper_.shortCheck());
    for (int n = 2; n <= 4; ++n) {
        const QSignalBlocker b(limits_[n - 2]);
        limits_[n - 2]->setValue(oper_.limit(n));
        limits_[n - 2]->setEnabled(oper_.limitsEnabled());
    }
    chbPermit_->setChecked(ScanOperSettings::PermitArrows(settings_));
    tbArea_->setValue(oper_.area());
    lstbxLen_->clear();
    for (const std::string& row : oper_.LengthRows()) lstbxLen_->addItem(ToQ(row));
    imgBlocks_->update();
}

void ScanOptionsDialog::showEvent(QShowEvent* e) {
    // A list from an earlier layout would describe a grid no longer shown.
    if (builder_.state() != ScanBuilder::kIdle) oper_.ClearLengths();
    Refresh();
    QWidget::showEvent(e);
}

void ScanOptionsDialog::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
    QWidget::changeEvent(e);
}

void ScanOptionsDialog::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        if (onHelp_) onHelp_();
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace vez
