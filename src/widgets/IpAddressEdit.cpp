#include "widgets/IpAddressEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

#include "shell/AccessibleName.h"
#include "shell/FieldWidth.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

constexpr int kPartDigits = 3;
constexpr int kPartMax = 255;

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    // A digit to spare: the centred number never touches the frame.
    const int partWidth = FieldWidthForDigits(*this, kPartDigits + 1);
    for (size_t i = 0; i < parts_.size(); ++i) {
        if (i > 0) {
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        }
        parts_[i] = new NumberEdit(kPartDigits, kPartMax, this);
        parts_[i]->setFixedWidth(partWidth);
        parts_[i]->setAlignment(Qt::AlignCenter);
        parts_[i]->installEventFilter(this);
        layout->addWidget(parts_[i]);
    }
    layout->addStretch();
    setFocusProxy(parts_.front());
}

void IpAddressEdit::LabelWith(QLabel* label) {
    LabelControl(label, this);
    for (size_t i = 0; i < parts_.size(); ++i) {
        NameControl(
            parts_[i],
            QStringLiteral("%1 part %2 of %3").arg(accessibleName()).arg(i + 1).arg(kPartCount));
    }
}

IpAddressEdit::Address IpAddressEdit::Value() const {
    Address address{};
    for (size_t i = 0; i < parts_.size(); ++i) {
        address[i] = static_cast<uint8_t>(parts_[i]->Number().value_or(0));
    }
    return address;
}

void IpAddressEdit::SetValue(const Address& address) {
    for (size_t i = 0; i < parts_.size(); ++i) {
        parts_[i]->SetNumber(address[i]);
    }
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->text() != ".") {
        return QWidget::eventFilter(watched, event);
    }
    for (size_t i = 0; i + 1 < parts_.size(); ++i) {
        if (watched == parts_[i]) {
            parts_[i + 1]->setFocus();
            parts_[i + 1]->selectAll();
        }
    }
    return true;
}

}  // namespace zerandi
