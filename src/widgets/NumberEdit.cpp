#include "widgets/NumberEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace zerandi {

namespace {

class DigitsValidator : public QValidator {
public:
    DigitsValidator(int maxDigits, std::optional<int> maxValue, QObject* parent)
        : QValidator(parent), maxDigits_(maxDigits), maxValue_(maxValue) {}

    State validate(QString& input, int& /*pos*/) const override {
        if (input.size() > maxDigits_) {
            return Invalid;
        }
        for (const QChar c : input) {
            if (c < u'0' || c > u'9') {
                return Invalid;
            }
        }
        if (input.isEmpty()) {
            return Intermediate;
        }
        return maxValue_ && input.toInt() > *maxValue_ ? Invalid : Acceptable;
    }

private:
    int maxDigits_;
    std::optional<int> maxValue_;
};

}  // namespace

NumberEdit::NumberEdit(int maxDigits, std::optional<int> maxValue, QWidget* parent)
    : QLineEdit(parent) {
    setMaxLength(maxDigits);
    setValidator(new DigitsValidator(maxDigits, maxValue, this));
}

std::optional<int> NumberEdit::Number() const {
    bool ok = false;
    const int value = text().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

void NumberEdit::SetNumber(int value) {
    setText(QString::number(value));
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    if (ShowsWord()) {
        const bool deletes = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                             event->matches(QKeySequence::Cut);
        if (deletes) {
            event->accept();
            return;
        }
        if (!event->text().isEmpty() || event->matches(QKeySequence::Paste)) {
            selectAll();
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace zerandi
