#pragma once

#include <QStringList>

class QWidget;

namespace zerandi::test {

// Walks `root` and its children through Qt's accessibility interface and returns a
// description of every enabled input control (field, drop-down, check box, radio button,
// list, spin box) that assistive technology would find without a name. Empty when every
// control is named.
QStringList UnnamedInputControls(QWidget* root);

}  // namespace zerandi::test
