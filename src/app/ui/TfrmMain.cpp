#include "app/ui/TfrmMain.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vez {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A tool button shows the menu caption without its accelerator.
QString Plain(const QString& caption) {
    QString s = caption;
    return s.remove(QLatin1Char('&')).trimmed();
}

} // namespace

QAction* TfrmMain::AddItem(QMenu* menu, const char* name, const char* captionUtf8) {
    QAction* a = menu->addAction(U(captionUtf8));
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(false);
    return a;
}

QMenu* TfrmMain::PictureItems(QMenu* menu, const char* prefix) {
    const std::string p = prefix;
    AddItem(menu, (p + "Cros").c_str(), "&Кроссворда...");
    AddItem(menu, (p + "Answ").c_str(), "&Ответов...");
    AddItem(menu, (p + "Lettice").c_str(), "&Пустой решетки...");
    AddItem(menu, (p + "GratAnsw").c_str(), "&Решетки с ответами...");
    return menu;
}

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(U("Программа \"Вездар\""));

    QMenuBar* mmVez = menuBar();
    mmVez->setObjectName(QStringLiteral("mmVez"));

    QMenu* mmCros = mmVez->addMenu(U(" &Кроссворд "));
    mmCros->setObjectName(QStringLiteral("mmCros"));
    QAction* mmMake = AddItem(mmCros, "mmMake", "&Составить...");
    mmMake->setToolTip(U("Составить..."));
    QAction* mmReMake = AddItem(mmCros, "mmReMake", "&Доработать...");
    QAction* mmView = AddItem(mmCros, "mmView", "&Просмотреть");
    QAction* mmSolve = AddItem(mmCros, "mmSolve", "&Разгадать...");
    QAction* mmDict = AddItem(mmCros, "mmDict", "Сл&оварь");
    QAction* mmResh = AddItem(mmCros, "mmResh", "Ре&шетка");
    QMenu* mmRis = PictureItems(mmCros->addMenu(U("Р&исунок")), "mmRis");
    mmRis->setObjectName(QStringLiteral("mmRis"));
    QMenu* mmPrint = PictureItems(mmCros->addMenu(U("Пе&чать")), "mmPrint");
    mmPrint->setObjectName(QStringLiteral("mmPrint"));
    mmPrint->addSeparator();
    AddItem(mmPrint, "mmPrinterSetup", "&Настройка принтера...");
    // Nothing to draw or print until the picture windows exist.
    mmRis->setEnabled(false);
    mmPrint->setEnabled(false);
    mmCros->addSeparator();
    QAction* mmExit = mmCros->addAction(U("В&ыход"));
    mmExit->setObjectName(QStringLiteral("mmExit"));
    connect(mmExit, &QAction::triggered, this, &QWidget::close);

    QAction* mmParam = mmVez->addAction(U(" &Параметры "));
    mmParam->setObjectName(QStringLiteral("mmParam"));
    mmParam->setEnabled(false);

    QMenu* mmMode = mmVez->addMenu(U(" &Режим "));
    mmMode->setObjectName(QStringLiteral("mmMode"));
    QAction* mrCros = AddItem(mmMode, "mrCros", "&Кроссворд");
    mrCros->setCheckable(true);
    mrCros->setChecked(true);
    AddItem(mmMode, "mrScan", "&Сканворд")->setCheckable(true);
    QAction* mrJapan = AddItem(mmMode, "mrJapan", "&Яп. кроссворд");
    mrJapan->setCheckable(true);
    mrJapan->setVisible(false);

    // Help sits at the right end of the menu bar.
    auto* helpBar = new QMenuBar(mmVez);
    QAction* mmHelp = helpBar->addAction(U(" &Справка "));
    mmHelp->setObjectName(QStringLiteral("mmHelp"));
    mmHelp->setEnabled(false);
    mmVez->setCornerWidget(helpBar, Qt::TopRightCorner);

    tlbrMain_ = addToolBar(U("Панель"));
    tlbrMain_->setObjectName(QStringLiteral("tlbrMain"));
    tlbrMain_->setMovable(false);
    // The tool bar runs down the left side; the picture fills the rest of the window.
    addToolBar(Qt::LeftToolBarArea, tlbrMain_);
    tlbrMain_->setOrientation(Qt::Vertical);
    tlbrMain_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbrMain_->setIconSize(QSize(24, 24));
    auto addButton = [&](const char* name, QAction* command, QStyle::StandardPixmap icon) {
        auto* a = new QAction(style()->standardIcon(icon), Plain(command->text()), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(command->toolTip().isEmpty() ? Plain(command->text()) : command->toolTip());
        a->setEnabled(command->isEnabled());
        connect(a, &QAction::triggered, command, &QAction::trigger);
        tlbrMain_->addAction(a);
        return a;
    };
    addButton("tbtnMake", mmMake, QStyle::SP_FileIcon);
    addButton("tbtnReMake", mmReMake, QStyle::SP_FileDialogDetailedView);
    addButton("tbtnView", mmView, QStyle::SP_DirOpenIcon);
    addButton("tbtnSolve", mmSolve, QStyle::SP_DialogHelpButton);
    addButton("tbtnDict", mmDict, QStyle::SP_FileDialogContentsView);
    addButton("tbtnResh", mmResh, QStyle::SP_FileDialogListView);
    auto addPopup = [&](const char* name, QMenu* menu, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(tlbrMain_);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setText(Plain(menu->title()));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIconSize(tlbrMain_->iconSize());
        b->setPopupMode(QToolButton::InstantPopup);
        b->setMenu(menu);
        b->setEnabled(menu->isEnabled());
        tlbrMain_->addWidget(b);
    };
    addPopup("tbtnRis", mmRis, QStyle::SP_DesktopIcon);
    addPopup("tbtnPrint", mmPrint, QStyle::SP_DriveFDIcon);
    addButton("tbtnExit", mmExit, QStyle::SP_DialogCloseButton);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    prgVez_ = new QProgressBar(central);
    prgVez_->setObjectName(QStringLiteral("prgVez"));
    prgVez_->setRange(0, 100);
    prgVez_->hide();
    layout->addWidget(prgVez_);
    setCentralWidget(central);

    // Esc ends the program from the main window, as the exit command does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);

    // The window is as high as its tool bar and five thirds as wide.
    const int h = tlbrMain_->sizeHint().height();
    resize(h * 5 / 3, h + menuBar()->sizeHint().height());
}

} // namespace vez
