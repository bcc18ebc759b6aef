#include "status/StatusIndicator.h"

#include "shell/AccessibleName.h"

namespace zerandi {

StatusIndicator::StatusIndicator(const QString& text, const QString& accessibleName,
                                 QWidget* parent)
    : QCheckBox(text, parent) {
    MakeReadOnly(*this);
    NameControl(this, accessibleName);
}

void StatusIndicator::MakeReadOnly(QWidget& control) {
    control.setAttribute(Qt::WA_TransparentForMouseEvents);
    control.setFocusPolicy(Qt::NoFocus);
    control.setAccessibleDescription(kReadOnlyDescription);
}

}  // namespace zerandi
