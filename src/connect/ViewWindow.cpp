#include "connect/ViewWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "shell/CMainFrame.h"

namespace zerandi {

QMdiSubWindow* ViewWindow(const QWidget& view) {
    for (QWidget* holder = view.parentWidget(); holder != nullptr;
         holder = holder->parentWidget()) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(holder)) {
            return child;
        }
    }
    return nullptr;
}

namespace {

// A minimized window that comes or goes leaves the icon row in order: no gap, and no icon
// left where the row was before.
void ArrangeIconsAround(const QMdiSubWindow& child) {
    auto* frame = qobject_cast<CMainFrame*>(child.window());
    if (frame != nullptr && child.isMinimized()) {
        frame->ArrangeIcons();
    }
}

}  // namespace

void SetViewWindowShown(const QWidget& view, bool shown) {
    QMdiSubWindow* child = ViewWindow(view);
    if (child == nullptr || child->isVisible() == shown) {
        return;
    }
    if (!shown) {
        child->hide();
        ArrangeIconsAround(*child);
        return;
    }
    QMdiArea* area = child->mdiArea();
    const QPointer<QMdiSubWindow> active = area != nullptr ? area->activeSubWindow() : nullptr;
    child->show();
    if (area != nullptr && active != nullptr && active != child) {
        area->setActiveSubWindow(active);
    }
    ArrangeIconsAround(*child);
}

}  // namespace zerandi
