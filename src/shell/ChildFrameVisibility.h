#pragma once

class QMdiSubWindow;
class QWidget;

namespace zerandi {

// The child window that holds `view`, or nullptr while the view stands alone.
QMdiSubWindow* ChildFrameOf(const QWidget& view);

// Shows or hides the child window of a view that appears only for some routers. Showing
// keeps the window minimized if it was (its icon joins the end of the row) and does not
// take the activation from another; hiding an icon closes the gap it leaves in the row.
void ShowChildFrame(const QWidget& view, bool shown);

}  // namespace zerandi
