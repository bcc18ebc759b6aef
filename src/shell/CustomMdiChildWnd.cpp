#include "shell/CustomMdiChildWnd.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>

#include "shell/ChildWindowStyle.h"
#include "shell/ViewScrollArea.h"

namespace zerandi {

namespace {

// Title, system menu and the minimize and maximize buttons, but no close button.
constexpr Qt::WindowFlags kChildWindowFlags =
    Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;

}  // namespace

CustomMdiChildWnd::CustomMdiChildWnd(const QString& caption, QWidget* parent)
    : QMdiSubWindow(parent, kChildWindowFlags) {
    auto* look = new ChildWindowStyle;
    look->setParent(this);
    setStyle(look);
    setWindowTitle(caption);
    if (QAction* close = SystemMenuCloseAction()) {
        close->setEnabled(false);
    }
}

QAction* CustomMdiChildWnd::SystemMenuCloseAction() const {
    if (systemMenu() == nullptr) {
        return nullptr;
    }
    const auto closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : systemMenu()->actions()) {
        if (!action->isSeparator() && action->shortcuts() == closeKeys) {
            return action;
        }
    }
    return nullptr;
}

void CustomMdiChildWnd::SetView(QWidget* view) {
    setWidget(new ViewScrollArea(view));
}

QWidget* CustomMdiChildWnd::View() const {
    const auto* area = qobject_cast<const ViewScrollArea*>(widget());
    return area == nullptr ? nullptr : area->widget();
}

void CustomMdiChildWnd::FitToView() {
    if (View() != nullptr) {
        View()->adjustSize();
    }
    adjustSize();
}

void CustomMdiChildWnd::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace zerandi
