#include "shell/ViewScrollArea.h"

namespace zerandi {

ViewScrollArea::ViewScrollArea(QWidget* view, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(view);
}

QSize ViewScrollArea::sizeHint() const {
    const int frame = 2 * frameWidth();
    return widget() == nullptr ? QScrollArea::sizeHint()
                               : widget()->sizeHint() + QSize(frame, frame);
}

}  // namespace zerandi
