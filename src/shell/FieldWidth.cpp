#include "shell/FieldWidth.h"

#include <QFontMetrics>
#include <QWidget>

namespace zerandi {

namespace {

constexpr int kFramePaddingPx = 10;

}  // namespace

int FieldWidthFor(const QWidget& field, const QString& sample) {
    return field.fontMetrics().horizontalAdvance(sample) + kFramePaddingPx;
}

int FieldWidthForDigits(const QWidget& field, int digits) {
    return FieldWidthFor(field, QString(digits, QLatin1Char('0')));
}

}  // namespace zerandi
