#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "shell/ViewCommands.h"
#include "shell/ViewMenuSet.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace zerandi {

class CustomMdiChildWnd;
class LockKeyIndicators;
class UiServices;
struct ViewTemplate;

// The main window: the child windows of the views in a multi-window area, the menu
// bar of the active child (or the frame's own when none is active), the toolbar and
// the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kStandardCommandCount = 7;

    explicit CMainFrame(UiServices& ui, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Puts a view into a new, visible child window with the template's caption and
    // menus; a view that implements ViewCommands adds its menu items and toolbar commands.
    CustomMdiChildWnd* AddChild(const ViewTemplate& viewTemplate, std::unique_ptr<QWidget> view);

    // What "Communications > Setup..." does.
    void SetSetupHandler(std::function<void()> handler);

    QMdiArea& MdiArea() const { return *mdiArea_; }
    QToolBar& ToolBar() const { return *toolBar_; }
    QLabel& MessagePane() const { return *messagePane_; }
    LockKeyIndicators& Indicators() const { return *indicators_; }
    QAction& CommandAction(StandardCommand command) const;
    QAction& AboutAction() const { return *common_.about; }
    QAction& TechnicalSupportAction() const { return *common_.technicalSupport; }
    QAction& SetupAction() const { return *common_.setup; }
    QAction& ExitAction() const { return *common_.exit; }
    // "Back Up Router...", "Restore Router..." and "Compare with Router..." in every File
    // menu; disabled until their handler enables them.
    QAction& BackUpAction() const { return *backUp_; }
    QAction& RestoreAction() const { return *restore_; }
    QAction& CompareAction() const { return *compare_; }
    QMenu& WindowMenu() const { return *common_.window; }

    // Lines the minimized child windows up along the bottom of the area; returns the top
    // of the icon rows (the area's height when there is no icon).
    int ArrangeIcons();
    // Lines up the icons, then tiles the other child windows in the space above them.
    void TileChildren();
    // Enables each toolbar command exactly when the active view handles it.
    void RefreshCommandStates();

    static QString TechnicalSupportText();

private:
    void CreateCommonActions();
    void CreateRouterFileActions();
    void CreateViewMenu();
    void CreateWindowMenu();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* NewAction(const QString& text, const QString& statusTip);
    void ShowMenusOfCurrentChild();
    void FillWindowList();
    void ActivateChild(QMdiSubWindow* child);
    // An entry of the View menu that brings the child forward while it is shown.
    void AddViewMenuEntry(const QString& text, QMdiSubWindow* child);
    ViewCommands* ActiveViewCommands() const;
    void RunCommand(StandardCommand command);
    void ShowAbout();
    void ShowTechnicalSupport();

    UiServices& ui_;
    QMdiArea* mdiArea_;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    LockKeyIndicators* indicators_ = nullptr;
    CommonMenus common_;
    QAction* backUp_ = nullptr;
    QAction* restore_ = nullptr;
    QAction* compare_ = nullptr;
    std::array<QAction*, kStandardCommandCount> commandActions_{};
    QList<QAction*> windowListActions_;
    std::unique_ptr<ViewMenuSet> frameMenus_;
    std::map<QMdiSubWindow*, std::unique_ptr<ViewMenuSet>> childMenus_;
    const ViewMenuSet* shownMenus_ = nullptr;
    std::function<void()> setupHandler_;
};

}  // namespace zerandi
