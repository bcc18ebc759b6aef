#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace zerandi::test {

// The texts of the actions, separators left out: what a person reads in a menu.
inline QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    return texts;
}

inline QMenu* MenuTitled(const QMenuBar& bar, const QString& title) {
    for (QAction* action : bar.actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

inline QAction* ActionTexted(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace zerandi::test
