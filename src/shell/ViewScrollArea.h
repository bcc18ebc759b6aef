#pragma once

#include <QScrollArea>

namespace zerandi {

// Holds a view in its child window: the window asks for the view's own size, and when
// the user makes the window smaller the view scrolls instead of being cut off.
class ViewScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit ViewScrollArea(QWidget* view, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};

}  // namespace zerandi
