#include "connect/ViewWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

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

void SetViewWindowShown(const QWidget& view, bool shown) {
    QMdiSubWindow* child = ViewWindow(view);
    if (child == nullptr || child->isVisible() == shown) {
        return;
    }
    if (!shown) {
        child->hide();
        return;
    }
    QMdiArea* area = child->mdiArea();
    const QPointer<QMdiSubWindow> active = area != nullptr ? area->activeSubWindow() : nullptr;
    child->show();
    if (area != nullptr && active != nullptr && active != child) {
        area->setActiveSubWindow(active);
    }
}

}  // namespace zerandi
