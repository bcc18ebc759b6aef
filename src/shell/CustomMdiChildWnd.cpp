#include "shell/CustomMdiChildWnd.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>

#include "shell/ChildWindowStyle.h"

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

void CustomMdiChildWnd::FitToView() {
    if (widget() != nullptr) {
        widget()->adjustSize();
    }
    adjustSize();
}

void CustomMdiChildWnd::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace zerandi
