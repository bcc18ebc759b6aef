#pragma once

class QMdiSubWindow;
class QWidget;

namespace zerandi {

// The child window that holds a view, or nullptr while the view sits in none.
QMdiSubWindow* ViewWindow(const QWidget& view);

// Shows or hides the view's child window. Showing it does not take the activation away
// from the window the user is working in.
void SetViewWindowShown(const QWidget& view, bool shown);

}  // namespace zerandi
