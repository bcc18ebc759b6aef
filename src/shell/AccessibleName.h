#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace zerandi {

// The label's text as a screen reader should say it: mnemonics and a closing colon gone.
QString SpokenLabelText(const QString& labelText);

// Makes `label` the visible name of `control`: its buddy (so the mnemonic moves the focus
// there) and the accessible name assistive technology reads out.
void LabelControl(QLabel* label, QWidget* control);

// Names a control that has no label of its own (a grid cell: row and column).
void NameControl(QWidget* control, const QString& name);

}  // namespace zerandi
