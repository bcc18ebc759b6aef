#pragma once

#include <QCheckBox>
#include <QLatin1String>
#include <QString>

namespace zerandi {

// A check box that shows a state read from the router: the user cannot change it, and
// assistive technology hears that it is read-only.
class StatusIndicator : public QCheckBox {
    Q_OBJECT

public:
    static constexpr QLatin1String kReadOnlyDescription{"Read-only"};

    StatusIndicator(const QString& text, const QString& accessibleName, QWidget* parent = nullptr);

    // Makes any display control ignore the mouse and the keyboard and say it is read-only.
    static void MakeReadOnly(QWidget& control);

protected:
    // Nowhere on the box is a place to click it.
    bool hitButton(const QPoint& /*position*/) const override { return false; }
};

}  // namespace zerandi
