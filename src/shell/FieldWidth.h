#pragma once

#include <QString>

class QWidget;

namespace zerandi {

// The width a field needs to show `sample` in its own font, with room for its frame.
int FieldWidthFor(const QWidget& field, const QString& sample);

// The width of a field that holds at most `digits` digits.
int FieldWidthForDigits(const QWidget& field, int digits);

}  // namespace zerandi
