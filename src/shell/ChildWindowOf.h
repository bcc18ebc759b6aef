#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace zerandi {

// The child window a view sits in (through its scroll area), or none.
inline QMdiSubWindow* ChildWindowOf(const QWidget& view) {
    for (QWidget* holder = view.parentWidget(); holder != nullptr;
         holder = holder->parentWidget()) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(holder)) {
            return child;
        }
    }
    return nullptr;
}

// Shows a hidden child window and leaves the active window as it was.
inline void ShowWithoutActivating(QMdiSubWindow& child) {
    QMdiArea* area = child.mdiArea();
    QMdiSubWindow* active = area != nullptr ? area->activeSubWindow() : nullptr;
    child.show();
    if (active != nullptr && active != &child) {
        area->setActiveSubWindow(active);
    }
}

}  // namespace zerandi
