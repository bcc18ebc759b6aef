#include "shell/CMainFrame.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>
#include <algorithm>
#include <cmath>

#include "services/UiServices.h"
#include "shell/AboutDialog.h"
#include "shell/CustomMdiChildWnd.h"
#include "shell/LockKeyIndicators.h"
#include "shell/ViewTemplate.h"

namespace zerandi {

namespace {

constexpr int kInitialWidthPx = 1100;
constexpr int kInitialHeightPx = 800;
constexpr qsizetype kViewMenuBarEntries = 2;  // "&Toolbar" and "&Status Bar"

struct CommandLook {
    StandardCommand command;
    const char* text;
    const char* statusTip;
    const char* themeIcon;
    QStyle::StandardPixmap fallbackIcon;  // SP_CustomBase: none
};

constexpr std::array<CommandLook, CMainFrame::kStandardCommandCount> kCommandLooks = {{
    {StandardCommand::New, "New", "Create a new document", "document-new", QStyle::SP_FileIcon},
    {StandardCommand::Open, "Open", "Open an existing document", "document-open",
     QStyle::SP_DialogOpenButton},
    {StandardCommand::Save, "Save", "Save the active document", "document-save",
     QStyle::SP_DialogSaveButton},
    {StandardCommand::Cut, "Cut", "Cut the selection and put it on the Clipboard", "edit-cut",
     QStyle::SP_CustomBase},
    {StandardCommand::Copy, "Copy", "Copy the selection and put it on the Clipboard", "edit-copy",
     QStyle::SP_CustomBase},
    {StandardCommand::Paste, "Paste", "Insert Clipboard contents", "edit-paste",
     QStyle::SP_CustomBase},
    {StandardCommand::Print, "Print", "Print the active document", "document-print",
     QStyle::SP_CustomBase},
}};

QIcon LookupIcon(const QWidget& widget, const char* themeName, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName));
    if (!themed.isNull() || fallback == QStyle::SP_CustomBase) {
        return themed;
    }
    return widget.style()->standardIcon(fallback);
}

}  // namespace

CMainFrame::CMainFrame(UiServices& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), mdiArea_(new QMdiArea(this)) {
    setWindowTitle(QStringLiteral("Zerandi"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    CreateCommonActions();
    CreateRouterFileActions();
    CreateViewMenu();
    CreateWindowMenu();
    CreateToolBar();
    CreateStatusBar();

    frameMenus_ = std::make_unique<ViewMenuSet>(common_, false, this);
    frameMenus_->Finish();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        ShowMenusOfCurrentChild();
        RefreshCommandStates();
    });
    ShowMenusOfCurrentChild();
    RefreshCommandStates();

    const QSize available = QGuiApplication::primaryScreen()->availableSize();
    resize(std::min(kInitialWidthPx, available.width()),
           std::min(kInitialHeightPx, available.height()));
}

CMainFrame::~CMainFrame() {
    // The area announces the loss of its active child while the window comes apart,
    // after the menu bar is gone.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

QAction* CMainFrame::NewAction(const QString& text, const QString& statusTip) {
    auto* action = new QAction(text, this);
    action->setStatusTip(statusTip);
    return action;
}

void CMainFrame::CreateCommonActions() {
    common_.exit = NewAction(QStringLiteral("E&xit"), QStringLiteral("Quit the application"));
    connect(common_.exit, &QAction::triggered, this, &QWidget::close);

    common_.setup = NewAction(
        QStringLiteral("&Setup..."),
        QStringLiteral("Choose the serial port, the baud rate and the communication log"));
    connect(common_.setup, &QAction::triggered, this, [this] {
        if (setupHandler_) {
            setupHandler_();
        }
    });

    // There is no help file to show.
    common_.helpContents =
        NewAction(QStringLiteral("&Contents"), QStringLiteral("List Help topics"));
    common_.helpContents->setEnabled(false);
    common_.usingHelp = NewAction(QStringLiteral("&Using Help"),
                                  QStringLiteral("Display instructions about how to use help"));
    common_.usingHelp->setEnabled(false);

    common_.technicalSupport = NewAction(QStringLiteral("&Obtaining Technical Support"),
                                         QStringLiteral("How to reach technical support"));
    connect(common_.technicalSupport, &QAction::triggered, this, &CMainFrame::ShowTechnicalSupport);

    common_.about = NewAction(QStringLiteral("&About Zerandi..."),
                              QStringLiteral("Display program information, version number and "
                                             "copyright"));
    common_.about->setIcon(LookupIcon(*this, "help-about", QStyle::SP_MessageBoxInformation));
    connect(common_.about, &QAction::triggered, this, &CMainFrame::ShowAbout);
}

void CMainFrame::CreateRouterFileActions() {
    backUp_ = NewAction(QStringLiteral("Back Up Router..."),
                        QStringLiteral("Save the whole router's state in a backup file"));
    restore_ = NewAction(QStringLiteral("Restore Router..."),
                         QStringLiteral("Write a backup file back to the router and check it"));
    compare_ = NewAction(QStringLiteral("Compare with Router..."),
                         QStringLiteral("List what differs between a backup file and the router"));
    common_.routerFile = {backUp_, restore_, compare_};
    for (QAction* action : common_.routerFile) {
        action->setEnabled(false);
    }
}

void CMainFrame::CreateViewMenu() {
    common_.view = new QMenu(QStringLiteral("&View"), this);
    QAction* toolBarShown = common_.view->addAction(QStringLiteral("&Toolbar"));
    toolBarShown->setStatusTip(QStringLiteral("Show or hide the toolbar"));
    toolBarShown->setCheckable(true);
    QAction* statusBarShown = common_.view->addAction(QStringLiteral("&Status Bar"));
    statusBarShown->setStatusTip(QStringLiteral("Show or hide the status bar"));
    statusBarShown->setCheckable(true);
    connect(statusBarShown, &QAction::triggered, this,
            [this](bool shown) { statusBar()->setVisible(shown); });
    // The ticks follow the bars, also when the toolbar is closed from its own handle.
    connect(common_.view, &QMenu::aboutToShow, this, [this, toolBarShown, statusBarShown] {
        toolBarShown->setChecked(!toolBar_->isHidden());
        statusBarShown->setChecked(!statusBar()->isHidden());
    });
    connect(toolBarShown, &QAction::triggered, this,
            [this](bool shown) { toolBar_->setVisible(shown); });
}

void CMainFrame::CreateWindowMenu() {
    common_.window = new QMenu(QStringLiteral("&Window"), this);
    common_.window->addAction(QStringLiteral("&Cascade"), mdiArea_, &QMdiArea::cascadeSubWindows)
        ->setStatusTip(QStringLiteral("Arrange windows so they overlap"));
    common_.window->addAction(QStringLiteral("&Tile"), this, &CMainFrame::TileChildren)
        ->setStatusTip(QStringLiteral("Arrange windows as non-overlapping tiles"));
    common_.window->addAction(QStringLiteral("&Arrange Icons"), this, &CMainFrame::ArrangeIcons)
        ->setStatusTip(QStringLiteral("Arrange icons at the bottom of the window"));
    connect(common_.window, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("StandardToolBar"));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (const CommandLook& look : kCommandLooks) {
        QAction* action =
            NewAction(QString::fromLatin1(look.text), QString::fromLatin1(look.statusTip));
        action->setIcon(LookupIcon(*this, look.themeIcon, look.fallbackIcon));
        const StandardCommand command = look.command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        commandActions_[static_cast<size_t>(command)] = action;
        toolBar_->addAction(action);
        if (command == StandardCommand::Save || command == StandardCommand::Paste) {
            toolBar_->addSeparator();
        }
    }
    toolBar_->addAction(common_.about);
    QAction* contextHelp = QWhatsThis::createAction(this);
    contextHelp->setStatusTip(
        QStringLiteral("Display help for clicked on buttons, menus and windows"));
    toolBar_->addAction(contextHelp);
}

void CMainFrame::CreateStatusBar() {
    messagePane_ = new QLabel(QStringLiteral("For Help, press F1"), this);
    statusBar()->addWidget(messagePane_, 1);
    indicators_ = new LockKeyIndicators(this);
    statusBar()->addPermanentWidget(indicators_);
}

CustomMdiChildWnd* CMainFrame::AddChild(const ViewTemplate& viewTemplate,
                                        std::unique_ptr<QWidget> view) {
    auto* commands = dynamic_cast<ViewCommands*>(view.get());
    auto* child = new CustomMdiChildWnd(viewTemplate.caption);
    view->setObjectName(viewTemplate.viewClassName);
    child->SetView(view.release());

    auto menus = std::make_unique<ViewMenuSet>(common_, viewTemplate.hasHelpContents, this);
    if (commands != nullptr) {
        commands->AddMenuItems(*menus);
        commands->SetCommandsChangedHandler([this] { RefreshCommandStates(); });
    }
    menus->Finish();
    childMenus_[child] = std::move(menus);

    mdiArea_->addSubWindow(child);
    child->FitToView();
    child->show();
    if (!viewTemplate.viewMenuText.isEmpty()) {
        AddViewMenuEntry(viewTemplate.viewMenuText, child);
    }
    return child;
}

void CMainFrame::AddViewMenuEntry(const QString& text, QMdiSubWindow* child) {
    if (common_.view->actions().size() == kViewMenuBarEntries) {
        common_.view->addSeparator();
    }
    QAction* entry = common_.view->addAction(text);
    entry->setStatusTip(QStringLiteral("Show the %1 window").arg(child->windowTitle()));
    connect(entry, &QAction::triggered, this, [this, child] { ActivateChild(child); });
    connect(common_.view, &QMenu::aboutToShow, entry,
            [entry, child] { entry->setEnabled(!child->isHidden()); });
}

void CMainFrame::SetSetupHandler(std::function<void()> handler) {
    setupHandler_ = std::move(handler);
}

QAction& CMainFrame::CommandAction(StandardCommand command) const {
    return *commandActions_[static_cast<size_t>(command)];
}

void CMainFrame::ShowMenusOfCurrentChild() {
    const ViewMenuSet* menus = frameMenus_.get();
    // The current child stays current while the program is in the background.
    if (const auto found = childMenus_.find(mdiArea_->currentSubWindow());
        found != childMenus_.end()) {
        menus = found->second.get();
    }
    if (menus == shownMenus_) {
        return;
    }
    menuBar()->clear();
    for (QMenu* menu : menus->MenuBarOrder()) {
        menuBar()->addMenu(menu);
    }
    shownMenus_ = menus;
}

void CMainFrame::FillWindowList() {
    for (QAction* action : windowListActions_) {
        common_.window->removeAction(action);
        delete action;
    }
    windowListActions_.clear();
    windowListActions_.append(common_.window->addSeparator());
    int number = 0;
    for (QMdiSubWindow* child : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (child->isHidden()) {
            continue;
        }
        ++number;
        QAction* entry = common_.window->addAction(
            QStringLiteral("&%1 %2").arg(number).arg(child->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(child == mdiArea_->currentSubWindow());
        entry->setStatusTip(QStringLiteral("Activate this window"));
        connect(entry, &QAction::triggered, this, [this, child] { ActivateChild(child); });
        windowListActions_.append(entry);
    }
}

void CMainFrame::ActivateChild(QMdiSubWindow* child) {
    if (child->isMinimized()) {
        child->showNormal();
    }
    mdiArea_->setActiveSubWindow(child);
}

int CMainFrame::ArrangeIcons() {
    const QSize area = mdiArea_->viewport()->size();
    int x = 0;
    int y = area.height();
    for (QMdiSubWindow* child : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isMinimized() || child->isHidden()) {
            continue;
        }
        const QSize icon = child->size();
        if (x == 0 || x + icon.width() > area.width()) {
            x = 0;
            y -= icon.height();
        }
        child->move(x, y);
        x += icon.width();
    }
    return y;
}

// The open windows share the area above the icons, so that tiling never buries them.
void CMainFrame::TileChildren() {
    const int iconsTop = ArrangeIcons();
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* child : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isMinimized() && !child->isHidden()) {
            open.append(child);
        }
    }
    if (open.isEmpty()) {
        return;
    }
    const auto count = static_cast<int>(open.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const int height = iconsTop / rows;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int inThisRow = std::min(columns, count - row * columns);
        const int width = mdiArea_->viewport()->width() / inThisRow;
        QMdiSubWindow* child = open.at(i);
        if (child->isMaximized()) {
            child->showNormal();
        }
        child->setGeometry((i % columns) * width, row * height, width, height);
    }
}

ViewCommands* CMainFrame::ActiveViewCommands() const {
    const auto* child = qobject_cast<CustomMdiChildWnd*>(mdiArea_->currentSubWindow());
    return child == nullptr ? nullptr : dynamic_cast<ViewCommands*>(child->View());
}

void CMainFrame::RefreshCommandStates() {
    const ViewCommands* view = ActiveViewCommands();
    for (const CommandLook& look : kCommandLooks) {
        CommandAction(look.command)
            .setEnabled(view != nullptr && view->HandlesCommand(look.command));
    }
}

void CMainFrame::RunCommand(StandardCommand command) {
    ViewCommands* view = ActiveViewCommands();
    if (view != nullptr && view->HandlesCommand(command)) {
        view->RunCommand(command);
    }
}

void CMainFrame::ShowAbout() {
    AboutDialog about(this);
    ui_.runDialog(about);
}

QString CMainFrame::TechnicalSupportText() {
    return QStringLiteral(
        "Zerandi Systems Technical Support\n"
        "\n"
        "Telephone: +1 555 0134 2200 (Monday to Friday, 8:00 to 18:00)\n"
        "Fax: +1 555 0134 2201\n"
        "E-mail: support@zerandi-systems.example\n"
        "Web: https://support.zerandi-systems.example\n"
        "\n"
        "Please have at hand the router model, the control card's software versions "
        "and this program's version (Help > About Zerandi...).");
}

void CMainFrame::ShowTechnicalSupport() {
    ui_.showMessage(TechnicalSupportText(), MessageIcon::Information);
}

}  // namespace zerandi
