#include "grids/ui/GridEditorWindow.h"

#include "grids/FormEditorColors.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

namespace vez {
namespace {

QColor Q(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

PointerState StateOf(const QMouseEvent* e) {
    const Qt::MouseButtons b = e->buttons();
    const Qt::KeyboardModifiers m = e->modifiers();
    return {b.testFlag(Qt::LeftButton),    b.testFlag(Qt::RightButton),     b.testFlag(Qt::MiddleButton),
            m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

QPushButton* Button(QWidget* parent, const char* name, const char* captionUtf8) {
    auto* b = new QPushButton(QString::fromUtf8(captionUtf8), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* Panel(QStatusBar* bar, const char* name, int stretch) {
    auto* l = new QLabel(bar);
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(150);
    bar->addWidget(l, stretch);
    return l;
}

} // namespace

// ---------------------------------------------------------------------------------------------

FormGridView::FormGridView(FormEditor& editor, const Settings& settings, QWidget* parent)
    : QWidget(parent), editor_(editor), settings_(settings) {
    setObjectName(QStringLiteral("imgFormResh"));
    setMouseTracking(true); // the pointer shape follows the edges
    FitToGrid();
}

void FormGridView::FitToGrid() {
    int w = editor_.Shape().width, h = editor_.Shape().height;
    if (const auto& r = editor_.Resizing()) w = std::max(w, r->width), h = std::max(h, r->height);
    const int sq = editor_.SquareSize();
    const int spare = 3; // squares beyond the grid where an edge can be dragged to
    setFixedSize(std::min(w + spare, kFormMaxSide + 1) * sq + 1 + 2 * kMargin,
                 std::min(h + spare, kFormMaxSide + 1) * sq + 1 + 2 * kMargin);
}

void FormGridView::paintEvent(QPaintEvent*) {
    const FormEditorColors colors = EditorColors(settings_);
    const TGratShape& s = editor_.Shape();
    const int sq = editor_.SquareSize();
    QPainter p(this);
    p.fillRect(rect(), Q(colors.outside));
    p.translate(kMargin, kMargin);

    const int w = s.width * sq, h = s.height * sq;
    p.fillRect(0, 0, w + 1, h + 1, Q(colors.field));
    for (int i = 1; i <= s.width; ++i)
        for (int j = 1; j <= s.height; ++j)
            if (s.letter[i][j])
                p.fillRect((i - 1) * sq + 1, (j - 1) * sq + 1, sq - 1, sq - 1, Q(colors.letters));
    p.setPen(Q(colors.lines));
    for (int k = 0; k <= s.width; ++k)
        p.drawLine(k * sq, 0, k * sq, h);
    for (int k = 0; k <= s.height; ++k)
        p.drawLine(0, k * sq, w, k * sq);

    if (const auto& r = editor_.Resizing()) {
        const QRect frame(0, 0, r->width * sq, r->height * sq);
        p.setPen(QPen(Q(colors.lines), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        const QString label = ToQ(r->label);
        const QRect box = p.fontMetrics().boundingRect(label).adjusted(-3, -1, 3, 1);
        const QRect at(frame.right() + 4, frame.bottom() + 4, box.width(), box.height());
        p.fillRect(at, Q(colors.field));
        p.setPen(Q(ResolveColor(settings_.ColorFormLbl)));
        p.drawText(at, Qt::AlignCenter, label);
    }
}

void FormGridView::UpdateCursor(int x, int y) {
    switch (editor_.EdgeAt(x, y)) {
    case ResizeEdge::Right:
        setCursor(Qt::SizeHorCursor);
        break;
    case ResizeEdge::Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case ResizeEdge::Corner:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case ResizeEdge::None:
        unsetCursor();
        break;
    }
}

void FormGridView::mousePressEvent(QMouseEvent* e) {
    const int x = e->position().toPoint().x() - kMargin, y = e->position().toPoint().y() - kMargin;
    if (e->button() == Qt::LeftButton && editor_.BeginResize(x, y)) {
        FitToGrid();
    } else {
        editor_.PointerPressed();
        editor_.PointerMoved(x, y, StateOf(e));
    }
    update();
    Q_EMIT changed();
}

void FormGridView::mouseMoveEvent(QMouseEvent* e) {
    const int x = e->position().toPoint().x() - kMargin, y = e->position().toPoint().y() - kMargin;
    if (editor_.Resizing()) {
        editor_.DragResize(x, y);
        FitToGrid();
    } else if (e->buttons() == Qt::NoButton) {
        UpdateCursor(x, y);
        return;
    } else if (!editor_.PointerMoved(x, y, StateOf(e))) {
        return;
    }
    update();
    Q_EMIT changed();
}

void FormGridView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && editor_.Resizing()) {
        editor_.EndResize();
        FitToGrid();
        update();
        Q_EMIT changed();
    }
}

// ---------------------------------------------------------------------------------------------

GridEditorWindow::GridEditorWindow(Dialogs& dialogs, Sounds& sounds, Busy& busy, fs::path home,
                           const Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(dialogs, sounds, busy, std::move(home)), settings_(settings) {
    setObjectName(QStringLiteral("frmFormResh"));
    setWindowTitle(QString::fromUtf8("Форма решетки"));
    seed = [] { return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()); };

    view_ = new FormGridView(editor_, settings_);
    scrollGrid_ = new QScrollArea(this);
    scrollGrid_->setObjectName(QStringLiteral("scrlbxForm"));
    scrollGrid_->setWidget(view_);

    auto* pnlButtons = new QWidget(this);
    pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
    auto* buttons = new QVBoxLayout(pnlButtons);
    bbAuto_ = Button(pnlButtons, "bbAuto", "&Авторешетка");
    bbSimm_ = Button(pnlButtons, "bbSimm", "Си&мметрия");
    bbSave_ = Button(pnlButtons, "bbSave", "Со&хранить...");
    bbKorr_ = Button(pnlButtons, "bbKorr", "&Коррекция...");
    bbClear_ = Button(pnlButtons, "bbClear", "&Очистить");
    bbHelp_ = Button(pnlButtons, "bbHelp", "&Справка");
    for (QPushButton* b : {bbAuto_, bbSimm_, bbSave_, bbKorr_, bbClear_, bbHelp_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    auto* stbFormResh = new QStatusBar(this);
    stbFormResh->setObjectName(QStringLiteral("stbFormResh"));
    stbFormResh->setSizeGripEnabled(false);
    stbCell_ = Panel(stbFormResh, "stbCell", 1);
    stbSize_ = Panel(stbFormResh, "stbSize", 1);
    stbSimm_ = Panel(stbFormResh, "stbSimm", 1);

    auto* body = new QHBoxLayout;
    body->addWidget(scrollGrid_, 1);
    body->addWidget(pnlButtons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body, 1);
    layout->addWidget(stbFormResh);

    connect(view_, &FormGridView::changed, this, &GridEditorWindow::Refresh);
    connect(bbAuto_, &QPushButton::clicked, this, &GridEditorWindow::Generate);
    connect(bbSimm_, &QPushButton::clicked, this, [this] { Command(&FormEditor::NextSymmetry); });
    connect(bbSave_, &QPushButton::clicked, this, [this] { Command(&FormEditor::Save); });
    connect(bbKorr_, &QPushButton::clicked, this, [this] { Command(&FormEditor::Correction); });
    connect(bbClear_, &QPushButton::clicked, this, [this] { Command(&FormEditor::Clear); });
    connect(bbHelp_, &QPushButton::clicked, this, [this] {
        if (!editor_.Generating() && openHelp) openHelp();
    });

    // A generation runs on this thread; show its progress now and then, not at every step.
    auto sinceRepaint = std::make_shared<QElapsedTimer>();
    editor_.Hooks().generationStep = [this, sinceRepaint] {
        if (sinceRepaint->isValid() && sinceRepaint->elapsed() < 50) return;
        sinceRepaint->start();
        view_->update();
    };
}

GridEditorWindow::~GridEditorWindow() {
    editor_.RequestStop();
}

void GridEditorWindow::Open() {
    int sq = squareSize_;
    if (sq <= 0) {
        const QScreen* s = screen();
        const int frame = 30; // the title bar and borders of a window
        sq = s ? (s->availableGeometry().height() - frame) / 43 : 20;
    }
    editor_.Open(sq);
    view_->FitToGrid();
    Refresh();
    if (const QScreen* s = screen()) {
        const QSize want = sizeHint().expandedTo(QSize(view_->width() + 200, view_->height() + 60));
        resize(want.boundedTo(s->availableGeometry().size()));
    }
    show();
    raise();
    activateWindow();
}

void GridEditorWindow::Refresh() {
    QPalette pal = scrollGrid_->palette();
    pal.setColor(QPalette::Window, Q(EditorColors(settings_).outside));
    pal.setColor(QPalette::Base, Q(EditorColors(settings_).outside));
    scrollGrid_->setPalette(pal);
    stbCell_->setText(ToQ(editor_.CellText()));
    stbSize_->setText(ToQ(editor_.SizeText()));
    stbSimm_->setText(ToQ(editor_.SymmetryText()));
    view_->FitToGrid();
    view_->update();
}

void GridEditorWindow::Command(void (FormEditor::*command)()) {
    (editor_.*command)();
    Refresh();
}

void GridEditorWindow::Generate() {
    editor_.Generate(seed());
    Refresh();
}

void GridEditorWindow::ShowSettings() {
    if (openSettings) openSettings();
    Refresh(); // the colours may have changed
}

void GridEditorWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
    } else if (e->key() == Qt::Key_F9) {
        ShowSettings();
    } else {
        QWidget::keyPressEvent(e);
    }
}

void GridEditorWindow::mouseReleaseEvent(QMouseEvent* e) {
    // Reached from the window itself and from the button panel (buttons pass the right button on).
    if (e->button() == Qt::RightButton)
        ShowSettings();
    else
        QWidget::mouseReleaseEvent(e);
}

void GridEditorWindow::closeEvent(QCloseEvent* e) {
    editor_.Close();
    Refresh();
    e->accept();
    Q_EMIT closed();
}

} // namespace vez
