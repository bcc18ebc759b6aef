#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace zerandi {

// The commands every menu bar carries, owned by the main frame. The View and Window
// menus are the same in every menu bar and are shared as a whole.
struct CommonMenus {
    QAction* exit = nullptr;
    QAction* setup = nullptr;
    QAction* helpContents = nullptr;
    QAction* usingHelp = nullptr;
    QAction* technicalSupport = nullptr;
    QAction* about = nullptr;
    // What is done with the router as a whole ("Back Up Router..."), in every File menu.
    QList<QAction*> routerFile;
    QMenu* view = nullptr;
    QMenu* window = nullptr;
};

// The menu bar of one child window, or of the main frame when no child is active:
// File, [Edit], View, Communications, the view's own menus, Window, Help.
class ViewMenuSet {
public:
    ViewMenuSet(const CommonMenus& common, bool withHelpContents, QWidget* owner);
    ViewMenuSet(const ViewMenuSet&) = delete;
    ViewMenuSet& operator=(const ViewMenuSet&) = delete;

    // Items added here show above the router's items and "E&xit".
    QMenu& File();
    // Created when a view first asks for it.
    QMenu& Edit();
    // Items added here show below "&Setup...".
    QMenu& Communications();
    // A menu of the view's own, between Communications and Window.
    QMenu& AddMenu(const QString& title);

    // Closes the File menu with the router's items and "E&xit"; called once the view has
    // added its items.
    void Finish();

    QList<QMenu*> MenuBarOrder() const;

private:
    QMenu* NewMenu(const QString& title);
    void AddFileSection(const QList<QAction*>& actions);

    const CommonMenus& common_;
    QWidget* owner_;
    QMenu* file_;
    QMenu* edit_ = nullptr;
    QMenu* communications_;
    QList<QMenu*> ownMenus_;
    QMenu* help_;
};

}  // namespace zerandi
