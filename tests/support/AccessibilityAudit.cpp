#include "support/AccessibilityAudit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace zerandi::test {

namespace {

// The parts Qt builds inside its own widgets (a drop-down's popup list and edit, the
// tool bar's and menu bar's overflow buttons) speak through the widget they belong to.
bool IsPartOfQtWidget(const QWidget* widget) {
    if (widget->objectName().startsWith(QLatin1String("qt_"))) {
        return true;
    }
    for (const QWidget* holder = widget->parentWidget(); holder != nullptr;
         holder = holder->parentWidget()) {
        if (qobject_cast<const QComboBox*>(holder) != nullptr) {
            return true;
        }
    }
    return false;
}

bool IsInputControl(const QWidget* widget) {
    if (qobject_cast<const QPushButton*>(widget) != nullptr || IsPartOfQtWidget(widget)) {
        return false;  // a push button is named by its own text
    }
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name).trimmed();
}

}  // namespace

QStringList UnnamedInputControls(QWidget* root) {
    QStringList unnamed;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (IsInputControl(widget) && widget->isEnabled() && AccessibleName(widget).isEmpty()) {
            unnamed << QStringLiteral("%1 \"%2\"")
                           .arg(QString::fromLatin1(widget->metaObject()->className()),
                                widget->objectName());
        }
    }
    return unnamed;
}

}  // namespace zerandi::test
