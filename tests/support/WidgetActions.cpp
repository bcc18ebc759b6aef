#include "support/WidgetActions.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace zerandi::test {

void ClickRadioIndicator(QRadioButton& radio) {
    const int middle = radio.height() / 2;
    QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(middle, middle));
}

void RetypeText(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, text);
}

}  // namespace zerandi::test
