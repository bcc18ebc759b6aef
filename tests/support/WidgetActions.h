#pragma once

#include <QString>

class QLineEdit;
class QRadioButton;

namespace zerandi::test {

// Clicks on the button's indicator: the button may be wider than its text.
void ClickRadioIndicator(QRadioButton& radio);
// Selects all the field holds, deletes it and types `text`, as a person retyping a field.
void RetypeText(QLineEdit& edit, const QString& text);

}  // namespace zerandi::test
