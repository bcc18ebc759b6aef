#pragma once

#include <QMdiSubWindow>
#include <QString>

class QAction;

namespace zerandi {

// The child window of every view. It keeps the caption it is given (a view may
// change it, e.g. to add the router model) and the user cannot close it: the views
// live as long as the program.
class CustomMdiChildWnd : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CustomMdiChildWnd(const QString& caption, QWidget* parent = nullptr);

    // The "&Close" item of the window's system menu (kept disabled).
    QAction* SystemMenuCloseAction() const;

    // Puts the view into the window, in a scroll area for when the window is smaller.
    void SetView(QWidget* view);
    QWidget* View() const;

    // Resizes the window to fit its view's preferred size.
    void FitToView();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace zerandi
