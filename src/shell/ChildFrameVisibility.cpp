#include "shell/ChildFrameVisibility.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <optional>

#include "shell/CMainFrame.h"

namespace zerandi {

namespace {

// A window that comes back minimized joins the row of icons at the bottom of the area
// instead of reappearing where it was hidden.
void PlaceIconAfterOthers(QMdiArea& area, QMdiSubWindow& icon) {
    const QSize space = area.viewport()->size();
    std::optional<QPoint> next;
    for (QMdiSubWindow* other : area.subWindowList(QMdiArea::CreationOrder)) {
        if (other == &icon || other->isHidden() || !other->isMinimized()) {
            continue;
        }
        const QPoint after(other->x() + other->width(), other->y());
        // The lowest row of icons, and its right end.
        if (!next || after.y() > next->y() || (after.y() == next->y() && after.x() > next->x())) {
            next = after;
        }
    }
    if (!next) {
        icon.move(0, space.height() - icon.height());
        return;
    }
    if (next->x() + icon.width() > space.width()) {
        next = QPoint(0, next->y() - icon.height());
    }
    icon.move(*next);
}

// An icon that goes leaves no gap in the row of icons.
void CloseIconRowGap(const QMdiSubWindow& icon) {
    auto* frame = qobject_cast<CMainFrame*>(icon.window());
    if (frame != nullptr && icon.isMinimized()) {
        frame->ArrangeIcons();
    }
}

}  // namespace

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
    if (child == nullptr || child->isHidden() != shown) {
        return;
    }
    if (!shown) {
        child->hide();
        CloseIconRowGap(*child);
        return;
    }
    QMdiArea* area = child->mdiArea();
    const QPointer<QMdiSubWindow> active = area != nullptr ? area->activeSubWindow() : nullptr;
    child->show();
    if (area != nullptr && child->isMinimized()) {
        PlaceIconAfterOthers(*area, *child);
    }
    if (area != nullptr && active != nullptr && area->activeSubWindow() != active) {
        area->setActiveSubWindow(active);
    }
}

}  // namespace zerandi
