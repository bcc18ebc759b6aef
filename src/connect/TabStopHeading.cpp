#include "connect/TabStopHeading.h"

#include <QPainter>

#include "connect/ConnectTabStopDelegate.h"

namespace zerandi {

namespace {

constexpr int kTextMarginPx = 4;

}  // namespace

TabStopHeading::TabStopHeading(std::vector<int> stopsInDialogUnits, QWidget* parent)
    : QFrame(parent), stops_(std::move(stopsInDialogUnits)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAccessibleDescription(QStringLiteral("read-only"));
}

void TabStopHeading::SetText(const QString& text) {
    text_ = text;
    QString spoken = text;
    setAccessibleName(spoken.replace(u'\t', u' ').simplified());
    update();
}

QSize TabStopHeading::sizeHint() const {
    return {QFrame::sizeHint().width(),
            fontMetrics().height() + 2 * (kTextMarginPx + frameWidth())};
}

void TabStopHeading::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    const QRect inside = contentsRect().adjusted(kTextMarginPx, 0, -kTextMarginPx, 0);
    ConnectTabStopDelegate::DrawTabbedText(painter, inside, text_, stops_);
}

}  // namespace zerandi
