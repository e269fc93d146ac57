#include "compose/ui/ComposeWindow.h"

#include "compose/ComposeSession.h"
#include "settings/Config.h"

#include "widgets/MessageBoxDialog.h"
#include "platform/qt/QtText.h"

#include "widgets/UiColor.h"
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace vez {

namespace {

constexpr int kDrainMs = 30;
constexpr int kFolderWidth = 220;

} // namespace

// The grid picture: the session's shown cells in the settings' colours, and the red cross of a
// failed run. A left-button release over it closes the window through the close query.
class ComposeWindow::Picture : public QWidget {
  public:
    explicit Picture(ComposeWindow& owner) : QWidget(&owner), owner_(owner) { setObjectName("imgMake"); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const Settings& s = owner_.settings_;
        const ComposeView& v = owner_.session_->View();
        p.fillRect(rect(), ToQColor(s.ColorFormPole));
        const int cell = owner_.cell_;
        QFont font(owner_.fontName_);
        font.setPointSize(owner_.fontSize_);
        p.setFont(font);
        const QFontMetrics fm(font);
        const int dy = (cell - fm.height()) / 2 - 2;
        const int dx = (cell - fm.horizontalAdvance(QLatin1Char('0'))) / 2 - 1;
        for (int x = 1; x <= v.shown.width; ++x)
            for (int y = 1; y <= v.shown.height; ++y) {
                const char c = v.shown.at(x, y);
                if (c == kBlockedCell) continue;
                const QRect r((x - 1) * cell, (y - 1) * cell, cell + 1, cell + 1);
                p.fillRect(r, ToQColor(s.ColorFormFon));
                p.setPen(ToQColor(s.ColorFormResh));
                p.drawRect(r.adjusted(0, 0, -1, -1));
                if (IsLetterCode(c)) {
                    p.setPen(ToQColor(s.ColorFormChis));
                    p.drawText(QRect(r.left() + dx, r.top() + dy, cell * 2, cell * 2),
                               Qt::AlignLeft | Qt::AlignTop, ToQ(std::string(1, c)));
                }
            }
        if (v.redCross) {
            // Over the whole picture: the window's client size less the progress bar.
            QPen pen(Qt::red);
            pen.setWidth(5);
            p.setPen(pen);
            const int w = width(), h = height();
            p.drawLine(5, 5, w - 5, h - 5);
            p.drawLine(w - 5, 5, 5, h - 5);
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) owner_.close();
    }

  private:
    ComposeWindow& owner_;
};

ComposeWindow::ComposeWindow(ComposeEnv env, const Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(env.dialogs), settings_(settings),
      session_(std::make_unique<ComposeSession>(std::move(env))), lastPhase_(ComposePhase::Idle) {
    setObjectName("frmMake");
    session_->placeMessage = [this](MsgBoxRequest& r) { PlaceMessage(r); };

    // Cell and letter size from the screen, once: the cell is a 43rd of the height left by a title
    // bar and its borders.
    QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 600;
    const int frame = style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                      2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    cell_ = std::max(4, (screenHeight - frame) / 43);
    fontName_ = ToQ(settings_.FontFormName);
    fontSize_ = LetterFontSize(cell_, [&](int size) {
        QFont f(fontName_);
        f.setPointSize(size);
        return QFontMetrics(f).height();
    });
    if (fontSize_ < 8) fontName_ = QStringLiteral("Small Fonts");

    picture_ = new Picture(*this);
    imgMake = picture_;
    pgsbrMake = new QProgressBar(this);
    pgsbrMake->setObjectName("pgsbrMake");
    pgsbrMake->setRange(0, 100);
    pgsbrMake->setTextVisible(false);
    pgsbrMake->setToolTip(U("% составления кроссворда"));
    pgsbrMake->setFixedHeight(16);

    lblName = new QLabel(U("Папка"), this);
    lblName->setObjectName("lblName");
    lstbxName = new QListWidget(this);
    lstbxName->setObjectName("lstbxName");
    lstbxName->installEventFilter(this);
    btnOk = new QPushButton(U("О&К"), this);
    btnOk->setObjectName("btnOk");
    btnNewFolder = new QPushButton(U("&Новое имя"), this);
    btnNewFolder->setObjectName("btnNewFolder");
    lblName->setGeometry(8, 6, kFolderWidth - 16, 18);
    lstbxName->setGeometry(8, 26, kFolderWidth - 16, 200);
    btnOk->setGeometry(8, 234, (kFolderWidth - 24) / 2, 26);
    btnNewFolder->setGeometry(16 + (kFolderWidth - 24) / 2, 234, (kFolderWidth - 24) / 2, 26);
    connect(lstbxName, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) session_->SelectFolder(row);
    });
    connect(lstbxName, &QListWidget::itemDoubleClicked, this, [this] { ChooseFolder(); });
    connect(btnOk, &QPushButton::clicked, this, [this] { ChooseFolder(); });
    connect(btnNewFolder, &QPushButton::clicked, this, [this] { NewFolder(); });

    BuildMenu();
    timer_ = new QTimer(this);
    timer_->setInterval(kDrainMs);
    connect(timer_, &QTimer::timeout, this, [this] { Drain(); });
    ResetUi();
}

ComposeWindow::~ComposeWindow() = default;

bool ComposeWindow::IsComposing() const {
    return session_->Phase() != ComposePhase::Idle;
}

void ComposeWindow::SetCtrlTabTargets(QWidget* builder, QWidget* mainWindow) {
    builder_ = builder;
    mainWindow_ = mainWindow;
}

void ComposeWindow::BuildMenu() {
    pmAlgoritm = new QMenu(this);
    pmAlgoritm->setObjectName("pmAlgoritm");
    pmAlgoritm->addAction(U("Алгоритм составления"))->setEnabled(false);
    auto* group = new QActionGroup(this);
    const char* names[kFillAlgorithmCount] = {"pmFollow", "pmEmpty", "pmMax", "pmZigzag", "pmRandom", "pmSmart"};
    const char* captions[kFillAlgorithmCount] = {"Последовательно", "По первому пустому слову",
                                                 "По макс. пересеченному", "Зигзагом", "Случайно", "Умный"};
    for (int i = 0; i < kFillAlgorithmCount; ++i) {
        QAction* a = pmAlgoritm->addAction(U(captions[i]));
        a->setObjectName(names[i]);
        a->setCheckable(true);
        group->addAction(a);
        pmRules[i] = a;
        connect(a, &QAction::triggered, this, [this, i] {
            session_->SetRule(static_cast<TFillAlgorithm>(i));
            SyncMenu();
        });
    }
    pmAlgoritm->addSeparator();
    pmDirect = pmAlgoritm->addAction(QString());
    pmDirect->setObjectName("pmDirect");
    connect(pmDirect, &QAction::triggered, this, [this] {
        session_->ToggleDirection();
        SyncMenu();
    });
    pmAlgoritm->addSeparator();
    pmHideSimb = pmAlgoritm->addAction(U("Скрыть буквы"));
    pmHideSimb->setObjectName("pmHideSimb");
    pmHideSimb->setCheckable(true);
    connect(pmHideSimb, &QAction::triggered, this, [this] {
        session_->ToggleHideLetters();
        SyncMenu();
        picture_->update();
    });
    SyncMenu();
}

void ComposeWindow::SyncMenu() {
    QAction* rule = pmRules[static_cast<int>(session_->Rule())];
    rule->setChecked(true);
    pmAlgoritm->setDefaultAction(rule);
    pmDirect->setText(ToQ(session_->DirectionCaption()));
    pmHideSimb->setChecked(session_->LettersHidden());
}

void ComposeWindow::Open(const TGrat& grat, const TScanLayout* layout) {
    ResetUi();
    show();
    const bool crossword = layout == nullptr;
    setWindowTitle(U(crossword ? "Составление кроссворда" : "Составление сканворда"));
    pgsbrMake->setToolTip(U(crossword ? "% составления кроссворда" : "% составления сканворда"));
    // Client area: the grid plus one pixel for the last line, and the progress bar below it.
    const int w = cell_ * grat.width + 1;
    const int h = cell_ * grat.height + 1;
    picture_->setGeometry(0, 0, w, h);
    pgsbrMake->setGeometry(0, h, w, pgsbrMake->height());
    setFixedSize(w, h + pgsbrMake->height());
    if (QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.right() + 1 - frameGeometry().width(), area.top());
    }
    const bool ok = session_->Open(grat, layout);
    lastPhase_ = session_->Phase();
    SyncMenu();
    Refresh();
    if (!ok) {
        // The window cannot go on: it closes as soon as it is drawn.
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    timer_->start();
}

void ComposeWindow::Drain() {
    if (!session_->Poll()) return;
    const ComposePhase phase = session_->Phase();
    if (phase == ComposePhase::Finished && lastPhase_ == ComposePhase::Composing) {
        if (isMinimized()) showNormal();
        raise();
    }
    lastPhase_ = phase;
    Refresh();
}

void ComposeWindow::Refresh() {
    const ComposeView& v = session_->View();
    setWindowTitle(ToQ(v.caption));
    pgsbrMake->setValue(v.progress);
    picture_->setVisible(v.gridVisible);
    pgsbrMake->setVisible(v.gridVisible);
    for (QWidget* w : {static_cast<QWidget*>(lblName), static_cast<QWidget*>(lstbxName),
                       static_cast<QWidget*>(btnOk), static_cast<QWidget*>(btnNewFolder)})
        w->setVisible(v.folderChoice);
    picture_->update();
}

void ComposeWindow::ShowFolderChoice() {
    filling_ = true;
    lstbxName->clear();
    for (const std::string& name : session_->View().folders)
        lstbxName->addItem(ToQ(name));
    lstbxName->setCurrentRow(session_->View().selected);
    filling_ = false;
    Refresh();
    setFixedSize(kFolderWidth, 268);
    if (QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.right() + 1 - frameGeometry().width(), y());
    }
    lstbxName->setFocus();
}

void ComposeWindow::ChooseFolder() {
    if (session_->Phase() != ComposePhase::FolderChoice) return;
    if (session_->Choose()) close();
}

void ComposeWindow::NewFolder() {
    session_->NewFolder();
    ShowFolderChoice();
}

void ComposeWindow::PlaceMessage(MsgBoxRequest& req) {
    // The box's width is known only once it is laid out for this text.
    int boxWidth = 300;
    if (auto* box = dynamic_cast<MessageBoxDialog*>(&dialogs_)) {
        box->Prepare(req);
        boxWidth = box->width();
    }
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 800, 600);
    const QRect client = geometry();
    const MsgPos pos = ComposeMsgPosition(frameGeometry().left(), frameGeometry().width(), client.top(),
                                          boxWidth, screenRect.right() + 1);
    req.left = pos.left;
    req.top = pos.top;
}

void ComposeWindow::ResetUi() {
    filling_ = true;
    lstbxName->clear();
    filling_ = false;
    pgsbrMake->setValue(0);
    Refresh();
}

void ComposeWindow::closeEvent(QCloseEvent* e) {
    if (session_->Phase() != ComposePhase::Idle) {
        if (isMinimized()) showNormal();
        const CloseOutcome out = session_->RequestClose();
        if (out == CloseOutcome::Stay) {
            e->ignore();
            return;
        }
        if (out == CloseOutcome::FolderChoice) {
            e->ignore();
            ShowFolderChoice();
            return;
        }
        session_->Close();
    }
    timer_->stop();
    lastPhase_ = ComposePhase::Idle;
    ResetUi();
    e->accept();
    Q_EMIT closed();
}

void ComposeWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool ComposeWindow::event(QEvent* e) {
    // Ctrl+Tab would otherwise move the focus between the window's own controls.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            (k->modifiers() & Qt::ControlModifier)) {
            QWidget* target = builder_ && builder_->isVisible() ? builder_.data() : mainWindow_.data();
            if (target) target->activateWindow();
            return true;
        }
    }
    return QWidget::event(e);
}

bool ComposeWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == lstbxName && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            ChooseFolder();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void ComposeWindow::contextMenuEvent(QContextMenuEvent* e) {
    if (!session_->View().gridVisible) return;
    SyncMenu();
    pmAlgoritm->popup(e->globalPos());
}

} // namespace vez
