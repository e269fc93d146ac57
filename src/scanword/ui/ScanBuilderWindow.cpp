#include "scanword/ui/ScanBuilderWindow.h"

#include "platform/qt/QtText.h"
#include "scanword/ScanDraw.h"
#include "scanword/ui/PainterCanvas.h"
#include "scanword/ui/ScanOptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <chrono>

namespace vez {
namespace {


// The drawing: the layout as the builder shows it; Ctrl + left click excludes a cell.
class ScanView : public QWidget {
  public:
    ScanView(ScanBuilder& builder, Settings& settings, std::function<int()> cellSize, std::function<void()> changed,
             QWidget* parent)
        : QWidget(parent), builder_(builder), settings_(settings), cellSize_(std::move(cellSize)),
          changed_(std::move(changed)) {
        setObjectName(QStringLiteral("imgScan"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PainterCanvas canvas(p);
        const ScanDrawStyle st = BuilderDrawStyle(settings_, cellSize_());
        p.fillRect(rect(), QColor(st.fon & 0xFF, (st.fon >> 8) & 0xFF, (st.fon >> 16) & 0xFF));
        DrawScanLayout(canvas, builder_.display(), st, builder_.layoutReady());
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ControlModifier)) {
            const QPoint pos = e->position().toPoint();
            const CellPos c = builder_.CellAt(pos.x(), pos.y(), cellSize_());
            if (builder_.ToggleExcluded(c.x, c.y)) changed_();
            return;
        }
        QWidget::mousePressEvent(e);
    }

  private:
    ScanBuilder& builder_;
    Settings& settings_;
    std::function<int()> cellSize_;
    std::function<void()> changed_;
};

} // namespace

ScanBuilderWindow::ScanBuilderWindow(Settings& settings, Dialogs& dialogs, std::uint8_t& windowCode, QWidget* parent)
    : QMainWindow(parent), settings_(settings), dialogs_(dialogs), windowCode_(windowCode),
      builder_(settings, oper_) {
    setObjectName(QStringLiteral("frmScan"));
    setWindowTitle(U("Сканворд"));

    QToolBar* tlbr = addToolBar(U("Сканворд"));
    tlbr->setObjectName(QStringLiteral("tlbrScan"));
    tlbr->setMovable(false);
    tlbr->addWidget(new QLabel(U(" Ширина "), tlbr));
    editWidth_ = new QSpinBox(tlbr);
    editWidth_->setObjectName(QStringLiteral("editWidth"));
    tlbr->addWidget(editWidth_);
    tlbr->addWidget(new QLabel(U(" Высота "), tlbr));
    editHeight_ = new QSpinBox(tlbr);
    editHeight_->setObjectName(QStringLiteral("editHeight"));
    tlbr->addWidget(editHeight_);
    editWidth_->setRange(kScanMinSide, kScanMaxSide);
    editHeight_->setRange(kScanMinSide, kScanMaxSide);
    editWidth_->setValue(builder_.width());
    editHeight_->setValue(builder_.height());
    for (QSpinBox* f : {editWidth_, editHeight_}) {
        f->installEventFilter(this);
        connect(f, &QSpinBox::valueChanged, this, [this] { SizeChanged(); });
    }
    tlbr->addSeparator();

    tbtnGrat_ = tlbr->addAction(U("Составить решетку"));
    tbtnGrat_->setObjectName(QStringLiteral("tbtnGrat"));
    tbtnGrat_->setCheckable(true);
    tbtnGrat_->setToolTip(U("Составить решетку"));
    connect(tbtnGrat_, &QAction::triggered, this, [this] { OnBuild(); });
    tbtnMake_ = tlbr->addAction(U("Составить сканворд"));
    tbtnMake_->setObjectName(QStringLiteral("tbtnMake"));
    tbtnMake_->setToolTip(U("Составить сканворд"));
    connect(tbtnMake_, &QAction::triggered, this, [this] { OnCompose(); });
    tbtnOper_ = tlbr->addAction(U("Оперативные настройки"));
    tbtnOper_->setObjectName(QStringLiteral("tbtnOper"));
    tbtnOper_->setToolTip(U("Оперативные настройки"));
    connect(tbtnOper_, &QAction::triggered, this, [this] { OnOper(); });
    tlbr->addSeparator();
    QAction* tbtnParam = tlbr->addAction(U("Параметры"));
    tbtnParam->setObjectName(QStringLiteral("tbtnParam"));
    tbtnParam->setToolTip(U("Параметры"));
    connect(tbtnParam, &QAction::triggered, this, [this] { OnSettings(); });
    QAction* tbtnHelp = tlbr->addAction(U("Справка"));
    tbtnHelp->setObjectName(QStringLiteral("tbtnHelp"));
    tbtnHelp->setToolTip(U("Справка"));
    connect(tbtnHelp, &QAction::triggered, this, [this] {
        if (onHelp_) onHelp_();
    });
    QAction* tbtnClose = tlbr->addAction(U("Закрыть"));
    tbtnClose->setObjectName(QStringLiteral("tbtnClose"));
    tbtnClose->setToolTip(U("Закрыть"));
    connect(tbtnClose, &QAction::triggered, this, &QWidget::close);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("sbScan"));
    scroll_->setWidgetResizable(false);
    // A scroll bar that came and went would change the cell size and with it the drawing's height.
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    imgScan_ = new ScanView(builder_, settings_, [this] { return CellSize(); }, [this] { UpdateUi(); }, scroll_);
    scroll_->setWidget(imgScan_);
    setCentralWidget(scroll_);
    scroll_->viewport()->installEventFilter(this);

    pnlTime_ = new QLabel(this);
    pnlTime_->setObjectName(QStringLiteral("pnlTime"));
    pnlTime_->setMinimumWidth(140);
    pnlWords_ = new QLabel(this);
    pnlWords_->setObjectName(QStringLiteral("pnlWords"));
    statusBar()->addWidget(pnlTime_);
    statusBar()->addWidget(pnlWords_, 1);

    frmSetOper_ = new ScanOptionsDialog(settings_, oper_, builder_, this);
    frmSetOper_->SetAreaChangedHook([this] { UpdateUi(); });

    // The window's keys work whichever of its controls has the focus.
    auto key = [this](QKeySequence seq, auto fn) {
        auto* sc = new QShortcut(seq, this);
        sc->setContext(Qt::WindowShortcut);
        connect(sc, &QShortcut::activated, this, fn);
    };
    key(QKeySequence(Qt::Key_F9), [this] { OnSettings(); });
    key(QKeySequence(Qt::Key_F1), [this] {
        if (onHelp_) onHelp_();
    });
    key(QKeySequence(Qt::Key_Escape), [this] { close(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] {
        if (onCtrlTab_) onCtrlTab_();
    });

    resize(720, 560);
    UpdateUi();
}

ScanBuilderWindow::~ScanBuilderWindow() = default;

void ScanBuilderWindow::SetHelpHook(std::function<void()> hook) {
    onHelp_ = hook;
    frmSetOper_->SetHelpHook(std::move(hook));
}

int ScanBuilderWindow::CellSize() const { return cellSize_; }

QString ScanBuilderWindow::statusTime() const { return pnlTime_->text(); }
QString ScanBuilderWindow::statusWords() const { return pnlWords_->text(); }

void ScanBuilderWindow::ResizeDrawing() {
    cellSize_ = BuilderCellSize(scroll_->viewport()->width(), builder_.width());
    const int cs = cellSize_;
    imgScan_->resize(builder_.width() * cs + 1, builder_.height() * cs + 1);
    imgScan_->update();
}

void ScanBuilderWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    ResizeDrawing();
}

void ScanBuilderWindow::UpdateUi() {
    const bool building = builder_.building();
    tbtnGrat_->setChecked(building);
    tbtnGrat_->setToolTip(building ? U("Прервать составление решетки") : U("Составить решетку"));
    tbtnMake_->setEnabled(builder_.composeOffered());
    tbtnMake_->setVisible(builder_.composeOffered());
    {
        const QSignalBlocker bw(editWidth_), bh(editHeight_);
        editWidth_->setValue(builder_.width());
        editHeight_->setValue(builder_.height());
    }
    pnlTime_->setText(ToQ(building ? builder_.RunningTime() : builder_.statusTime()));
    pnlWords_->setText(ToQ(builder_.statusWords()));
    if (frmSetOper_->isVisible()) frmSetOper_->Refresh();
    ResizeDrawing();
}

void ScanBuilderWindow::SizeChanged() {
    const bool w = builder_.SetWidth(editWidth_->value());
    const bool h = builder_.SetHeight(editHeight_->value());
    if (!w && !h) return;
    frmSetOper_->hide();
    UpdateUi();
}

bool ScanBuilderWindow::eventFilter(QObject* obj, QEvent* e) {
    // The cell size follows the width of the visible part of the drawing.
    if (obj == scroll_->viewport() && e->type() == QEvent::Resize) {
        if (BuilderCellSize(scroll_->viewport()->width(), builder_.width()) != cellSize_) ResizeDrawing();
        return false;
    }
    if ((obj == editWidth_ || obj == editHeight_) && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        using K = ScanBuilder::ArrowKey;
        const K arrow = key == Qt::Key_Left ? K::Left : key == Qt::Key_Right ? K::Right : key == Qt::Key_Up ? K::Up : K::Down;
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
            const auto field = obj == editWidth_ ? ScanBuilder::SizeField::Width : ScanBuilder::SizeField::Height;
            if (builder_.SizeKey(field, arrow)) {
                frmSetOper_->hide();
                UpdateUi();
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(obj, e);
}

void ScanBuilderWindow::Pump() {
    // Panel 1 follows the clock, the drawing follows the block being composed.
    const std::string t = builder_.RunningTime();
    if (t != shownTime_) {
        shownTime_ = t;
        pnlTime_->setText(ToQ(t));
    }
    const int block = builder_.currentBlock();
    if (block != shownBlock_) {
        shownBlock_ = block;
        if (const ScanBlocks* b = builder_.blocks(); b && block > 0) {
            const int cs = CellSize();
            const int x0 = (b->x0(block) - 1) * cs, x1 = b->x1(block) * cs;
            const int y0 = (b->y0(block) - 1) * cs, y1 = b->y1(block) * cs;
            scroll_->ensureVisible((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 + 1, (y1 - y0) / 2 + 1);
        }
        imgScan_->update();
    }
    QApplication::processEvents();
}

void ScanBuilderWindow::OnBuild() {
    const auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const bool started = builder_.PressBuild(seed);
    UpdateUi();
    if (!started) return;
    shownBlock_ = -1;
    shownTime_.clear();
    builder_.Run(dialogs_, [this] { Pump(); });
    UpdateUi();
}

void ScanBuilderWindow::OnCompose() {
    auto handed = builder_.HandOver();
    UpdateUi();
    if (handed && onCompose_) onCompose_(handed->grat, handed->layout);
}

void ScanBuilderWindow::SetComposeWindowOpen(bool open) {
    builder_.SetComposeOpen(open);
    UpdateUi();
}

void ScanBuilderWindow::OnOper() {
    if (frmSetOper_->isVisible()) {
        frmSetOper_->hide();
        return;
    }
    if (!operPlaced_) {
        // First time just below the tool bar; later it keeps where the user left it.
        frmSetOper_->adjustSize();
        frmSetOper_->move(mapToGlobal(QPoint(0, menuWidget() ? menuWidget()->height() : 0) +
                                      QPoint(0, findChild<QToolBar*>()->geometry().bottom() + 1)));
        operPlaced_ = true;
    }
    frmSetOper_->show();
    frmSetOper_->raise();
}

void ScanBuilderWindow::OnSettings() {
    if (onSettings_) onSettings_();
    imgScan_->update();
}

void ScanBuilderWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            builder_.Activated(windowCode_);
        else
            builder_.Deactivated(windowCode_);
    }
    QMainWindow::changeEvent(e);
}

void ScanBuilderWindow::closeEvent(QCloseEvent* e) {
    if (!builder_.RequestClose(dialogs_)) {
        e->ignore();
        return;
    }
    frmSetOper_->hide();
    UpdateUi();
    e->accept();
    Q_EMIT closed();
}

} // namespace vez
