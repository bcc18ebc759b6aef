#include "shell/ChildFrameVisibility.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace zerandi {

QMdiSubWindow* ChildFrameOf(const QWidget& view) {
    for (QWidget* holder = view.parentWidget(); holder != nullptr;
         holder = holder->parentWidget()) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(holder)) {
            return child;
        }
    }
    return nullptr;
}

void ShowChildFrame(const QWidget& view, bool shown) {
    QMdiSubWindow* child = ChildFrameOf(view);
    if (child == nullptr || child->isVisible() == shown) {
        return;
    }
    if (!shown) {
        child->hide();
        return;
    }
    QMdiArea* area = child->mdiArea();
    QMdiSubWindow* active = area != nullptr ? area->activeSubWindow() : nullptr;
    child->show();
    if (area != nullptr && active != nullptr && area->activeSubWindow() != active) {
        area->setActiveSubWindow(active);
    }
}

}  // namespace zerandi
