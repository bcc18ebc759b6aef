#include "connect/TabStopDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

namespace zerandi {

namespace {

constexpr qreal kQuartersPerCharacter = 4.0;
const QString kAverageSample =
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

qreal DialogUnitWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(kAverageSample) / kAverageSample.size() /
           kQuartersPerCharacter;
}

}  // namespace

TabStopDelegate::TabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stopsInDialogUnits)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString text = background.text;
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &background, widget);
    painter->save();
    painter->setFont(background.font);
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    DrawTabbedText(*painter, textRect, text, stops_);
    painter->restore();
}

void TabStopDelegate::DrawTabbedText(QPainter& painter, const QRectF& rect, const QString& text,
                                     const std::vector<int>& stopsInDialogUnits) {
    const qreal unit = DialogUnitWidth(painter.font());
    QList<QTextOption::Tab> tabs;
    for (const int stop : stopsInDialogUnits) {
        tabs.append(QTextOption::Tab(stop * unit, QTextOption::LeftTab));
    }
    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    textOption.setTabs(tabs);
    painter.drawText(rect, text, textOption);
}

}  // namespace zerandi
