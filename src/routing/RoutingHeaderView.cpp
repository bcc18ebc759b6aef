#include "routing/RoutingHeaderView.h"

#include "routing/RoutingGridModel.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace zerandi {

namespace {

constexpr int kLabelMarginPx = 6;
constexpr int kMaxLabelChars = 24;  // a longer label is cut, not the grid pushed aside

}  // namespace

RoutingHeaderView::RoutingHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
}

bool RoutingHeaderView::Highlighted(int logicalIndex) const {
    const QItemSelectionModel* selection = selectionModel();
    if (selection == nullptr || !selection->currentIndex().isValid()) {
        return false;
    }
    const QModelIndex current = selection->currentIndex();
    return (orientation() == Qt::Horizontal ? current.column() : current.row()) == logicalIndex;
}

void RoutingHeaderView::RemeasureLabels() {
    labelWidth_ = 0;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int widest = metrics.horizontalAdvance(QString(kMaxLabelChars, QLatin1Char('W')));
    for (int section = 0; model() != nullptr && section < count() && labelWidth_ < widest;
         ++section) {
        const QString label = model()->headerData(section, orientation()).toString();
        labelWidth_ = std::max(labelWidth_, metrics.horizontalAdvance(label));
    }
    labelWidth_ = std::min(labelWidth_, widest);
    updateGeometry();
}

void RoutingHeaderView::SetSourceWidth(int px) {
    sourceWidth_ = px;
    updateGeometry();
}

QSize RoutingHeaderView::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    const int source = sourceWidth_ > 0 ? sourceWidth_ + 2 * kLabelMarginPx : 0;
    const int across = labelWidth_ + 2 * kLabelMarginPx + source;
    if (orientation() == Qt::Horizontal) {
        hint.setHeight(std::max(hint.height(), across));
    } else {
        hint.setWidth(across);
    }
    return hint;
}

void RoutingHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid() || model() == nullptr) {
        return;
    }
    const bool highlighted = Highlighted(logicalIndex);
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    if (highlighted) {
        option.state |= QStyle::State_On | QStyle::State_Sunken;
    }
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    QFont labelFont = font();
    labelFont.setBold(highlighted);
    painter->setFont(labelFont);
    painter->setPen(palette().color(QPalette::ButtonText));
    QRect label = rect.adjusted(kLabelMarginPx, 0, -kLabelMarginPx, 0);
    if (orientation() == Qt::Horizontal) {
        painter->translate(rect.left(), rect.bottom());
        painter->rotate(-90);
        label = QRect(kLabelMarginPx, 0, rect.height() - 2 * kLabelMarginPx, rect.width());
    } else if (sourceWidth_ > 0) {
        label.setWidth(labelWidth_);
        PaintSource(painter, rect.adjusted(labelWidth_ + 2 * kLabelMarginPx, 0, 0, 0),
                    logicalIndex);
    }
    const QString text = model()->headerData(logicalIndex, orientation()).toString();
    painter->drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(labelFont).elidedText(text, Qt::ElideRight, label.width()));
    painter->restore();
}

// The source in its own column of the header, after a rule, in the normal weight.
void RoutingHeaderView::PaintSource(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    const QRect text = rect.adjusted(kLabelMarginPx, 0, -kLabelMarginPx, 0);
    const QString source =
        model()->headerData(logicalIndex, orientation(), RoutingGridModel::kSourceRole).toString();
    // Cut at the edge rather than elided: the column fits the widest input label, and a
    // second text layout per row would slow every scroll.
    painter->setClipRect(text);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, source);
    painter->restore();
}

}  // namespace zerandi
