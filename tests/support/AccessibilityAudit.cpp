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

bool IsInputControl(const QWidget* widget) {
    if (qobject_cast<const QPushButton*>(widget) != nullptr) {
        return false;  // a push button is named by its own text
    }
    if (qobject_cast<const QLineEdit*>(widget) != nullptr &&
        qobject_cast<const QComboBox*>(widget->parentWidget()) != nullptr) {
        return false;  // the edit inside a drop-down speaks through the drop-down
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
