#include "shell/TabStopList.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <algorithm>

namespace zerandi {

namespace {

constexpr int kDialogUnitsPerCharacter = 4;
constexpr int kTextMarginPx = 3;
constexpr int kDefaultTabDialogUnits = 32;

// Past the last stop, tabs go on every default tab width.
int StopPixels(const QFontMetrics& metrics, const std::vector<int>& stops, size_t index) {
    if (index < stops.size()) {
        return DialogUnitsToPixels(metrics, stops[index]);
    }
    const int last = stops.empty() ? 0 : stops.back();
    const auto beyond = static_cast<int>(index + 1 - stops.size());
    return DialogUnitsToPixels(metrics, last + beyond * kDefaultTabDialogUnits);
}

}  // namespace

int DialogUnitsToPixels(const QFontMetrics& metrics, int dialogUnits) {
    return dialogUnits * std::max(1, metrics.averageCharWidth()) / kDialogUnitsPerCharacter;
}

TabStopDelegate::TabStopDelegate(std::vector<int> dialogUnitStops, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(dialogUnitStops)) {}

std::vector<int> TabStopDelegate::PieceOffsets(const QFontMetrics& metrics,
                                               const QStringList& pieces) const {
    std::vector<int> offsets;
    int x = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            // A tab goes to the first stop right of the text so far.
            size_t stop = 0;
            while (StopPixels(metrics, stops_, stop) <= x) {
                ++stop;
            }
            x = StopPixels(metrics, stops_, stop);
        }
        offsets.push_back(x);
        x += metrics.horizontalAdvance(pieces.at(i));
    }
    return offsets;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem look = option;
    initStyleOption(&look, index);
    const QString text = look.text;
    look.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &look, painter, widget);

    const QStringList pieces = text.split(u'\t');
    const std::vector<int> offsets = PieceOffsets(look.fontMetrics, pieces);
    painter->save();
    painter->setFont(look.font);
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(look.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect row = option.rect.adjusted(kTextMarginPx, 0, 0, 0);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QRect cell = row.adjusted(offsets[static_cast<size_t>(i)], 0, 0, 0);
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          pieces.at(i));
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QStringList pieces = index.data().toString().split(u'\t');
    const std::vector<int> offsets = PieceOffsets(option.fontMetrics, pieces);
    const int width =
        offsets.back() + option.fontMetrics.horizontalAdvance(pieces.back()) + 2 * kTextMarginPx;
    size.setWidth(width);
    return size;
}

TabStopHeader::TabStopHeader(const QStringList& titles, std::vector<int> dialogUnitStops,
                             QWidget* parent)
    : QWidget(parent), titles_(titles), stops_(std::move(dialogUnitStops)) {}

QSize TabStopHeader::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (qsizetype i = 0; i < titles_.size(); ++i) {
        width = std::max(width, StopPixels(metrics, stops_, static_cast<size_t>(i)) +
                                    metrics.horizontalAdvance(titles_.at(i)));
    }
    return {width + 2 * kTextMarginPx, metrics.height()};
}

void TabStopHeader::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // The list's frame and text margin come before its first column.
    const int left = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + kTextMarginPx;
    for (qsizetype i = 0; i < titles_.size(); ++i) {
        const int x = left + StopPixels(metrics, stops_, static_cast<size_t>(i));
        painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         titles_.at(i));
    }
}

void FitTabStopListWidth(QListWidget& list, int lastStopDialogUnits, const QString& widestLast) {
    const QFontMetrics metrics = list.fontMetrics();
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list.setMinimumWidth(DialogUnitsToPixels(metrics, lastStopDialogUnits) +
                         metrics.horizontalAdvance(widestLast) + 3 * kTextMarginPx + frame +
                         scrollBar);
}

TabStopDelegate* SetTabStops(QListWidget& list, std::vector<int> dialogUnitStops) {
    auto* delegate = new TabStopDelegate(std::move(dialogUnitStops), &list);
    list.setItemDelegate(delegate);
    return delegate;
}

}  // namespace zerandi
