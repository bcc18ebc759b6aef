#include "shell/AccessibleName.h"

#include <QLabel>
#include <QWidget>

namespace zerandi {

QString SpokenLabelText(const QString& labelText) {
    QString text = labelText;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

void LabelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    NameControl(control, SpokenLabelText(label->text()));
}

void NameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
}

}  // namespace zerandi
