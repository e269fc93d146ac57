#include "grids/ui/StoreBrowserWindow.h"

#include "grids/ui/DuplicatesDialog.h"
#include "platform/qt/QtText.h"

#include "widgets/UiColor.h"
#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vez {

namespace {

QImage ToQImage(const RgbImage& img) {
    QImage q(img.width, img.height, QImage::Format_RGB888);
    for (int y = 0; y < img.height; ++y) {
        uchar* line = q.scanLine(y);
        for (int x = 0; x < img.width; ++x) {
            const Rgb p = img.At(x, y);
            line[3 * x] = p.r;
            line[3 * x + 1] = p.g;
            line[3 * x + 2] = p.b;
        }
    }
    return q;
}

std::optional<BrowserKey> MapKey(const QKeyEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return BrowserKey::Enter;
    case Qt::Key_Space:
        return BrowserKey::Space;
    case Qt::Key_Escape:
        return BrowserKey::Escape;
    case Qt::Key_Delete:
        return BrowserKey::Delete;
    case Qt::Key_Period:
        return BrowserKey::Dot;
    case Qt::Key_Left:
        return BrowserKey::Left;
    case Qt::Key_Right:
        return BrowserKey::Right;
    case Qt::Key_Up:
        return BrowserKey::Up;
    case Qt::Key_Down:
        return BrowserKey::Down;
    case Qt::Key_F9:
        return BrowserKey::F9;
    // With the Russian layout active the same keys arrive as Cyrillic letters (their Unicode codes).
    case Qt::Key_X:
    case 0x0427:
        return ctrl ? std::optional(BrowserKey::CtrlX) : std::nullopt; // Ч
    case Qt::Key_C:
    case 0x0421:
        return ctrl ? std::optional(BrowserKey::CtrlC) : std::nullopt; // С
    case Qt::Key_V:
    case 0x041C:
        return ctrl ? std::optional(BrowserKey::CtrlV) : std::nullopt; // М
    default:
        break;
    }
    if (e->text() == QStringLiteral(".")) return BrowserKey::Dot;
    return std::nullopt;
}

} // namespace

// The storage picture, scaled to the widget with its proportions kept.
class ReshBoard : public QWidget {
  public:
    explicit ReshBoard(StoreBrowserWindow* owner) : QWidget(owner), owner_(owner) {
        setObjectName(QStringLiteral("imgResh"));
        setMinimumSize(kStoreSide, kStoreSide);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMouseTracking(false);
    }

    QRect Target() const {
        const int side = std::min(width(), height());
        return QRect((width() - side) / 2, (height() - side) / 2, side, side);
    }
    QPoint ToPicture(QPointF p) const {
        const QRect t = Target();
        return QPoint(int((p.x() - t.left()) * kStoreSide / t.width()),
                      int((p.y() - t.top()) * kStoreSide / t.height()));
    }
    QPoint FromPicture(int x, int y) const {
        const QRect t = Target();
        return QPoint(t.left() + (2 * x + 1) * t.width() / (2 * kStoreSide),
                      t.top() + (2 * y + 1) * t.height() / (2 * kStoreSide));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (auto shown = owner_->core_.DisplayPicture()) {
            const QImage img = ToQImage(*shown);
            // Squares are whole pixels of the storage: keep them sharp when scaled.
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(QRect(Target().topLeft(), QSize(Target().width() * img.width() / kStoreSide,
                                                        Target().height() * img.height() / kStoreSide)),
                        img);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        const QPoint p = ToPicture(e->position());
        owner_->core_.SelectAt(p.x(), p.y());
        owner_->Refresh();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        const QPoint p = ToPicture(e->position());
        owner_->core_.SelectAt(p.x(), p.y());
        owner_->Refresh();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        owner_->core_.Measure();
        owner_->Refresh();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) owner_->Act(owner_->core_.DoubleClick());
    }
    void contextMenuEvent(QContextMenuEvent* e) override { owner_->BoardMenu(e->globalPos()); }

  private:
    StoreBrowserWindow* owner_;
};

// A shape at five pixels per square.
class ReshThumb : public QWidget {
  public:
    ReshThumb(StoreBrowserWindow* owner, const char* name, bool current)
        : QWidget(owner), owner_(owner), current_(current) {
        setObjectName(QString::fromLatin1(name));
        setFixedSize(5 * kCellSquares, 5 * kCellSquares);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const auto& shape = current_ ? owner_->core_.CurrentThumb() : owner_->core_.SecondThumb();
        QPainter p(this);
        const Settings& s = owner_->settings_;
        if (!shape) {
            p.fillRect(rect(), palette().window());
            return;
        }
        p.fillRect(rect(), ToQColor(current_ ? s.ColorGratCurFon : s.ColorGratSaveFon));
        const QColor pen = ToQColor(current_ ? s.ColorGratCurPen : s.ColorGratSavePen);
        for (int i = 1; i <= kCellSquares; ++i)
            for (int j = 1; j <= kCellSquares; ++j)
                if (shape->letter[i][j]) p.fillRect(5 * i - 4, 5 * j - 4, 4, 4, pen);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) owner_->OpenSettings();
    }

  private:
    StoreBrowserWindow* owner_;
    bool current_;
};

StoreBrowserWindow::StoreBrowserWindow(const fs::path& home, Settings& settings, Dialogs& dialogs, Busy& busy, QWidget* parent)
    : QDialog(parent), core_(home, settings, dialogs, busy), settings_(settings) {
    setObjectName(QStringLiteral("frmResh"));
    setModal(true);

    imgResh_ = new ReshBoard(this);
    imgResh_->setFocusPolicy(Qt::StrongFocus);
    imgCur_ = new ReshThumb(this, "imgCur", true);
    imgSave_ = new ReshThumb(this, "imgSave", false);

    lblStore_ = new QLabel(this);
    lblStore_->setObjectName(QStringLiteral("lblStore"));
    auto makeButton = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        return b;
    };
    sbtnPrev_ = makeButton(QStringLiteral("<<"), "sbtnPrev");
    sbtnNext_ = makeButton(QStringLiteral(">>"), "sbtnNext");
    auto* numbers = new QHBoxLayout;
    numbers->setSpacing(2);
    numbers->addWidget(sbtnPrev_);
    for (int k = 0; k < 5; ++k) {
        sbtnNum_[k] = makeButton(QString(), ("sbtnNum" + std::to_string(k + 1)).c_str());
        sbtnNum_[k]->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(sbtnNum_[k], &QPushButton::clicked, this, [this, k] {
            core_.NumberClick(k);
            Refresh();
        });
        connect(sbtnNum_[k], &QWidget::customContextMenuRequested, this, [this] {
            core_.NumberRightClick();
            Refresh();
        });
        numbers->addWidget(sbtnNum_[k]);
    }
    numbers->addWidget(sbtnNext_);
    for (QPushButton* b : {sbtnPrev_, sbtnNext_})
        b->setFixedWidth(40);
    for (QPushButton* b : sbtnNum_)
        b->setFixedWidth(40);
    connect(sbtnPrev_, &QPushButton::clicked, this, [this] {
        core_.PrevBlock();
        Refresh();
    });
    connect(sbtnNext_, &QPushButton::clicked, this, [this] {
        core_.NextBlock();
        Refresh();
    });
    sbtnFind_ = makeButton(U("Найти одинаковые"), "sbtnFind");
    sbtnFind_->setToolTip(U("Найти одинаковые решетки"));
    connect(sbtnFind_, &QPushButton::clicked, this, [this] {
        core_.FindDuplicates();
        Refresh();
    });

    auto* bbOk = makeButton(QStringLiteral("OK"), "bbOk");
    auto* bbCancel = makeButton(U("Отмена"), "bbCancel");
    bbHelp_ = makeButton(U("Справка"), "bbHelp");
    connect(bbOk, &QPushButton::clicked, this, [this] { Act(core_.Ok()); });
    connect(bbCancel, &QPushButton::clicked, this, [this] { Act(BrowserAction::CloseCancel); });
    connect(bbHelp_, &QPushButton::clicked, this, [this] {
        if (openHelp) openHelp();
    });

    auto* sidePanel = new QWidget(this);
    sidePanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(lblStore_);
    side->addLayout(numbers);
    side->addWidget(sbtnFind_);
    side->addWidget(imgCur_, 0, Qt::AlignHCenter);
    side->addWidget(imgSave_, 0, Qt::AlignHCenter);
    side->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbOk);
    buttons->addWidget(bbCancel);
    buttons->addWidget(bbHelp_);
    side->addLayout(buttons);

    pnlCell_ = new QLabel(this);
    pnlCell_->setObjectName(QStringLiteral("pnlCell"));
    pnlSize_ = new QLabel(this);
    pnlSize_->setObjectName(QStringLiteral("pnlSize"));
    for (QLabel* l : {pnlCell_, pnlSize_})
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* status = new QHBoxLayout;
    status->addWidget(pnlCell_, 1);
    status->addWidget(pnlSize_, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(imgResh_, 1);
    top->addWidget(sidePanel);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(status);

    pmResh_ = new QMenu(this);
    pmResh_->setObjectName(QStringLiteral("pmResh"));
    pmCut_ = pmResh_->addAction(U("Выре&зать"), this, [this] {
        core_.Cut();
        Refresh();
    });
    pmPaste_ = pmResh_->addAction(U("&Вставить"), this, [this] {
        core_.Paste();
        Refresh();
    });
    pmClear_ = pmResh_->addAction(U("&Очистить"), this, [this] {
        core_.Clear();
        Refresh();
    });
    pmSep_ = pmResh_->addSeparator();
    pmSave_ = pmResh_->addAction(U("&Сохранить"), this, [this] { Act(core_.SaveShape()); });

    frmCheck_ = new DuplicatesDialog(this);
    connect(frmCheck_, &DuplicatesDialog::closedByUser, this, [this] { core_.CloseDuplicates(); });

    core_.onChanged = [this] { Refresh(); };
    Refresh();
}

StoreBrowserWindow::~StoreBrowserWindow() = default;

QWidget* StoreBrowserWindow::board() const {
    return imgResh_;
}

QPoint StoreBrowserWindow::CellCentre(int c, int r) const {
    return imgResh_->FromPicture(kCellPitch * c + 20, kCellPitch * r + 20);
}

std::optional<StorePickResult> StoreBrowserWindow::Pick(int purpose, const QString& title, const TGratShape* working) {
    const auto p = StorePurposeFromCode(purpose);
    if (!p) return std::nullopt;
    setWindowTitle(title.isEmpty() ? ToQ(StorePurposeCaption(*p)) : title);
    result_.reset();
    core_.Open(*p, working);
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        if (!sized_) {
            // At one pixel per square the shapes are hard to see: the first time, give the board up
            // to twice the storage's size, as far as the work area allows.
            sized_ = true;
            const QSize around = sizeHint() - imgResh_->minimumSize();
            const int side = std::clamp(area.height() - around.height() - 60, kStoreSide, 2 * kStoreSide);
            resize(around + QSize(side, side));
        }
        move(area.topLeft());
    }
    Refresh();
    imgResh_->setFocus();
    exec();
    return result_;
}

void StoreBrowserWindow::done(int r) {
    // The search lets window events run; the window stays until it has finished.
    if (core_.SearchRunning()) return;
    result_ = core_.Close(r == QDialog::Accepted);
    frmCheck_->hide();
    QDialog::done(r);
}

void StoreBrowserWindow::Act(BrowserAction a) {
    switch (a) {
    case BrowserAction::CloseOk:
        accept();
        return;
    case BrowserAction::CloseCancel:
        reject();
        return;
    case BrowserAction::OpenSettings:
        OpenSettings();
        return;
    case BrowserAction::None:
        Refresh();
        return;
    }
}

void StoreBrowserWindow::OpenSettings() {
    if (openSettings) openSettings();
    Refresh();
}

void StoreBrowserWindow::BoardMenu(const QPoint& globalPos) {
    const BrowserMenu m = core_.Menu();
    pmCut_->setVisible(m.cut);
    pmPaste_->setVisible(m.paste);
    pmClear_->setVisible(m.clear);
    pmSep_->setVisible(m.separator);
    pmSave_->setVisible(m.save);
    pmResh_->exec(globalPos);
}

void StoreBrowserWindow::keyPressEvent(QKeyEvent* e) {
    const auto key = MapKey(e);
    if (!key) {
        QDialog::keyPressEvent(e);
        return;
    }
    e->accept();
    Act(core_.Key(*key));
}

void StoreBrowserWindow::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat() && isVisible()) {
        core_.Measure();
        Refresh();
    }
    QDialog::keyReleaseEvent(e);
}

void StoreBrowserWindow::Refresh() {
    lblStore_->setText(ToQ(core_.PanelCaption()));
    pnlCell_->setText(ToQ(core_.CellStatus()));
    pnlSize_->setText(ToQ(core_.SizeStatus()));
    for (int k = 0; k < 5; ++k) {
        QPushButton* b = sbtnNum_[k];
        b->setText(QString::number(core_.ButtonNumber(k)));
        switch (core_.ButtonStyle(k)) {
        case NumberStyle::Current:
            b->setStyleSheet(QStringLiteral("font-weight: bold; color: #800000;"));
            break;
        case NumberStyle::Exists:
            b->setStyleSheet(QStringLiteral("font-weight: bold;"));
            break;
        case NumberStyle::Missing:
            b->setStyleSheet(QStringLiteral("font-weight: normal; color: %1;")
                                 .arg(palette().color(QPalette::Disabled, QPalette::ButtonText).name()));
            break;
        }
    }
    sbtnNext_->setStyleSheet(core_.NextBlockEmphasised() ? QStringLiteral("font-weight: bold;")
                                                         : QStringLiteral("font-weight: normal;"));
    bbHelp_->setEnabled(static_cast<bool>(openHelp));
    imgSave_->setVisible(core_.SecondThumb().has_value());
    imgResh_->update();
    imgCur_->update();
    imgSave_->update();

    if (core_.DuplicatesShown()) {
        frmCheck_->ShowRows(core_.Duplicates());
        if (!frmCheck_->isVisible()) {
            frmCheck_->move(frameGeometry().topRight());
            frmCheck_->show();
        }
    } else if (frmCheck_->isVisible()) {
        frmCheck_->hide();
    }
}

} // namespace vez
