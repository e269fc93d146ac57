#include "app/ui/MainWindow.h"

#include "platform/qt/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QImageReader>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vez {
namespace {

QColor ToColor(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

// The client area beside the tool bar: the splash picture at its offset, or the gradient.
class MainWindow::PictureArea : public QWidget {
  public:
    explicit PictureArea(MainWindow* owner) : QWidget(owner), owner_(owner) {
        setObjectName(QStringLiteral("imgVez"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const AppState& s = owner_->logic_.State();
        if (s.PictureState == kPictureShown && !owner_->picture_.isNull()) {
            p.drawImage(QPoint(owner_->pictureAt_.x, owner_->pictureAt_.y), owner_->picture_);
            return;
        }
        const Gradient& g = owner_->gradient_;
        const int n = g.rows ? height() : width();
        for (int i = 0; i < n; ++i) {
            const QColor c = ToColor(GradientLineColor(g, i, n));
            if (g.rows)
                p.fillRect(0, i, width(), 1, c);
            else
                p.fillRect(i, 0, 1, height(), c);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton)
            owner_->PictureClick();
        else if (e->button() == Qt::RightButton)
            owner_->ToggleToolBar();
    }

  private:
    MainWindow* owner_;
};

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const char* captionUtf8) {
    QAction* a = menu->addAction(U(captionUtf8));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* MainWindow::PictureItems(QMenu* menu, const char* prefix, bool popup) {
    // The tool bar's popups carry the same items without accelerators.
    const std::string p = prefix;
    AddItem(menu, (p + "Cros").c_str(), popup ? "Кроссворда..." : "&Кроссворда...");
    AddItem(menu, (p + "Answ").c_str(), popup ? "Ответов..." : "&Ответов...");
    AddItem(menu, (p + "Lettice").c_str(), popup ? "Пустой решетки..." : "&Пустой решетки...");
    AddItem(menu, (p + "GratAnsw").c_str(), popup ? "Решетки с ответами..." : "&Решетки с ответами...");
    return menu;
}

MainWindow::MainWindow(MainLogic& logic, QWidget* parent)
    : QMainWindow(parent), logic_(logic), random_(ClockRandom()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(U("Программа \"Вездар\""));
    // The right button switches the tool bar; no context menu of tool bars.
    setContextMenuPolicy(Qt::PreventContextMenu);
    gradient_ = NewGradient(random_);

    QMenuBar* mmVez = menuBar();
    mmVez->setObjectName(QStringLiteral("mmVez"));

    mmCros_ = mmVez->addMenu(U(" &Кроссворд "));
    mmCros_->setObjectName(QStringLiteral("mmCros"));
    mmMake_ = AddItem(mmCros_, "mmMake", "&Составить...");
    mmMake_->setToolTip(U("Составить..."));
    mmReMake_ = AddItem(mmCros_, "mmReMake", "&Доработать...");
    mmView_ = AddItem(mmCros_, "mmView", "&Просмотреть");
    mmSolve_ = AddItem(mmCros_, "mmSolve", "&Разгадать...");
    mmDict_ = AddItem(mmCros_, "mmDict", "Сл&оварь");
    mmResh_ = AddItem(mmCros_, "mmResh", "Ре&шетка");
    mmRis_ = PictureItems(mmCros_->addMenu(U("Р&исунок")), "mmRis", false);
    mmRis_->setObjectName(QStringLiteral("mmRis"));
    mmPrint_ = PictureItems(mmCros_->addMenu(U("Пе&чать")), "mmPrint", false);
    mmPrint_->setObjectName(QStringLiteral("mmPrint"));
    mmPrint_->addSeparator();
    AddItem(mmPrint_, "mmPrinterSetup", "&Настройка принтера...");
    pmRis_ = PictureItems(new QMenu(this), "pmRis", true);
    pmRis_->setObjectName(QStringLiteral("pmRis"));
    pmPrint_ = PictureItems(new QMenu(this), "pmPrint", true);
    pmPrint_->setObjectName(QStringLiteral("pmPrint"));
    pmPrint_->addSeparator();
    AddItem(pmPrint_, "pmPrinterSetup", "Настройка принтера...");
    // Nothing to draw or print until the picture windows exist.
    for (QMenu* m : {mmRis_, mmPrint_, pmRis_, pmPrint_})
        m->setEnabled(false);
    mmCros_->addSeparator();
    mmExit_ = AddItem(mmCros_, "mmExit", "В&ыход");

    mmParam_ = mmVez->addAction(U(" &Параметры "));
    mmParam_->setObjectName(QStringLiteral("mmParam"));

    mmMode_ = mmVez->addMenu(U(" &Режим "));
    mmMode_->setObjectName(QStringLiteral("mmMode"));
    mrCros_ = AddItem(mmMode_, "mrCros", "&Кроссворд");
    mrScan_ = AddItem(mmMode_, "mrScan", "&Сканворд");
    mrJapan_ = AddItem(mmMode_, "mrJapan", "&Яп. кроссворд");
    mrJapan_->setVisible(false); // reachable only through the settings file
    for (QAction* a : {mrCros_, mrScan_, mrJapan_})
        a->setCheckable(true);
    mmMode_->addSeparator();
    mmPassedTime_ = AddItem(mmMode_, "mmPassedTime", "");
    mmPassedTime_->setEnabled(false);
    connect(mmMode_, &QMenu::aboutToShow, this, &MainWindow::UpdateModeMenu);

    // Help sits at the right end of the menu bar.
    auto* helpBar = new QMenuBar(mmVez);
    mmHelp_ = helpBar->addAction(U(" &Справка "));
    mmHelp_->setObjectName(QStringLiteral("mmHelp"));
    mmVez->setCornerWidget(helpBar, Qt::TopRightCorner);

    connect(mmMake_, &QAction::triggered, this, [this] { logic_.Compose(); });
    connect(mmReMake_, &QAction::triggered, this, [this] { logic_.Rework(); });
    connect(mmView_, &QAction::triggered, this, [this] { logic_.View(); });
    connect(mmSolve_, &QAction::triggered, this, [this] { logic_.Solve(); });
    connect(mmDict_, &QAction::triggered, this, [this] { logic_.Dict(); });
    connect(mmResh_, &QAction::triggered, this, [this] { logic_.GridEditor(); });
    connect(mmParam_, &QAction::triggered, this, [this] { logic_.Parameters(); });
    connect(mmHelp_, &QAction::triggered, this, [this] { logic_.Help(); });
    connect(mmExit_, &QAction::triggered, this, &QWidget::close);
    connect(mrCros_, &QAction::triggered, this, [this] { SwitchMode(kModeCros); });
    connect(mrScan_, &QAction::triggered, this, [this] { SwitchMode(kModeScan); });
    connect(mrJapan_, &QAction::triggered, this, [this] { SwitchMode(kModeJapan); });

    // The tool bar runs down the left side and carries the menu's own actions, so that a hidden or
    // disabled command is hidden or disabled in both places.
    tlbrMain_ = new QToolBar(U("Панель"), this);
    tlbrMain_->setObjectName(QStringLiteral("tlbrMain"));
    tlbrMain_->setMovable(false);
    tlbrMain_->setFloatable(false);
    addToolBar(Qt::LeftToolBarArea, tlbrMain_);
    tlbrMain_->setOrientation(Qt::Vertical);
    tlbrMain_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbrMain_->setIconSize(QSize(24, 24));
    auto addButton = [&](const char* name, QAction* a, QStyle::StandardPixmap icon) {
        a->setIcon(style()->standardIcon(icon));
        a->setIconVisibleInMenu(false);
        tlbrMain_->addAction(a);
        tlbrMain_->widgetForAction(a)->setObjectName(QString::fromLatin1(name));
    };
    addButton("tbtnMake", mmMake_, QStyle::SP_FileIcon);
    addButton("tbtnReMake", mmReMake_, QStyle::SP_FileDialogDetailedView);
    addButton("tbtnView", mmView_, QStyle::SP_DirOpenIcon);
    addButton("tbtnSolve", mmSolve_, QStyle::SP_DialogHelpButton);
    addButton("tbtnDict", mmDict_, QStyle::SP_FileDialogContentsView);
    addButton("tbtnResh", mmResh_, QStyle::SP_FileDialogListView);
    auto addPopup = [&](const char* name, QMenu* popup, const char* textUtf8, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(tlbrMain_);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setText(U(textUtf8));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIconSize(tlbrMain_->iconSize());
        b->setPopupMode(QToolButton::InstantPopup);
        b->setMenu(popup);
        b->setEnabled(popup->isEnabled());
        tlbrMain_->addWidget(b);
    };
    addPopup("tbtnRis", pmRis_, "Рисунок", QStyle::SP_DesktopIcon);
    addPopup("tbtnPrint", pmPrint_, "Печать", QStyle::SP_DriveFDIcon);
    addButton("tbtnExit", mmExit_, QStyle::SP_DialogCloseButton);

    imgVez_ = new PictureArea(this);
    auto* layout = new QVBoxLayout(imgVez_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    prgVez_ = new QProgressBar(imgVez_);
    prgVez_->setObjectName(QStringLiteral("prgVez"));
    prgVez_->setRange(0, 100);
    prgVez_->hide();
    layout->addWidget(prgVez_);
    setCentralWidget(imgVez_);

    // Esc ends the program from the main window, as the exit command does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(f9, &QShortcut::activated, this, &MainWindow::ToggleToolBar);
    auto* ctrlTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(ctrlTab, &QShortcut::activated, this, [this] { logic_.CtrlTab(); });

    // The client area is as high as the tool bar and five thirds as wide.
    const int h = tlbrMain_->sizeHint().height();
    resize(h * 5 / 3, h + menuBar()->sizeHint().height());
    Refresh();
}

PixelSize MainWindow::PictureAreaSize(const AppState& state) {
    tlbrMain_->setVisible(state.Sets.ShowPanelMenu);
    // Lay the hidden window out now so that the picture area has its final size.
    if (QLayout* l = layout()) l->activate();
    return {imgVez_->width(), imgVez_->height()};
}

std::optional<PixelSize> MainWindow::LoadPicture(const fs::path& file) {
    QImageReader reader(QString::fromStdString(file.string()));
    QImage img = reader.read();
    if (img.isNull()) return std::nullopt;
    picture_ = std::move(img);
    return PixelSize{picture_.width(), picture_.height()};
}

void MainWindow::StartupDone() {
    if (logic_.State().PictureState != kPictureShown) picture_ = QImage();
    logic_.ApplyStateMode();
    tlbrMain_->setVisible(logic_.ToolBarVisible());
    Refresh();
    PictureClick();
}

void MainWindow::Refresh() {
    const MainMenu& m = logic_.Menu();
    mmCros_->setTitle(ToQ(m.CrosCaption));
    mmResh_->setVisible(m.ReshVisible);
    mmRis_->actions().at(0)->setText(ToQ(m.RisFirst));
    mmPrint_->actions().at(0)->setText(ToQ(m.PrintFirst));
    pmRis_->actions().at(0)->setText(ToQ(m.PopupRisFirst));
    pmPrint_->actions().at(0)->setText(ToQ(m.PopupPrintFirst));
    for (QMenu* menu : {mmRis_, mmPrint_, pmRis_, pmPrint_})
        menu->actions().at(2)->setVisible(m.LetticeVisible);
    mrCros_->setChecked(m.CheckedMode == kModeCros);
    mrScan_->setChecked(m.CheckedMode == kModeScan);
    mrJapan_->setChecked(m.CheckedMode == kModeJapan);
    const struct {
        QAction* a;
        MainCommand c;
    } items[] = {
        {mmMake_, MainCommand::Make},   {mmReMake_, MainCommand::ReMake}, {mmView_, MainCommand::View},
        {mmSolve_, MainCommand::Solve}, {mmDict_, MainCommand::Dict},     {mmResh_, MainCommand::Resh},
        {mmParam_, MainCommand::Param}, {mmHelp_, MainCommand::Help},     {mmExit_, MainCommand::Exit}};
    for (const auto& i : items)
        i.a->setEnabled(logic_.Available(i.c));
    UpdateModeMenu();
}

void MainWindow::UpdateModeMenu() {
    const bool enabled = logic_.ModeItemsEnabled();
    for (QAction* a : {mrCros_, mrScan_, mrJapan_})
        a->setEnabled(enabled);
    mmPassedTime_->setText(ToQ(logic_.PassedTime(std::chrono::system_clock::now())));
}

void MainWindow::SwitchMode(const char* kind) {
    logic_.SwitchMode(kind);
    Refresh();
}

void MainWindow::PictureClick() {
    if (logic_.State().PictureState == kPictureShown) {
        const PixelSize pic{picture_.width(), picture_.height()};
        const PixelSize area{imgVez_->width(), imgVez_->height()};
        if (auto at = FloatPicture(pic, area, logic_.State().Sets.FloatLogo, random_)) pictureAt_ = *at;
    } else {
        gradient_ = NewGradient(random_);
    }
    imgVez_->update();
}

void MainWindow::ToggleToolBar() {
    tlbrMain_->setVisible(logic_.ToggleToolBar());
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (logic_.QueryExit())
        e->accept();
    else
        e->ignore();
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Only a real show after another window, not the window manager restoring a minimised window.
    if (e->spontaneous()) return;
    logic_.OnShownAgain();
    PictureClick();
}

void MainWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton)
        ToggleToolBar();
    else
        QMainWindow::mousePressEvent(e);
}

} // namespace vez
