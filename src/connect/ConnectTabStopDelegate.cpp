#include "connect/ConnectTabStopDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>
#include <algorithm>

namespace zerandi {

namespace {

constexpr qreal kQuartersPerCharacter = 4.0;
const QString kAverageSample =
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
// Four digits (a source of a 2048-input router) must fit the narrowest column.
const QString kWidestNumber = QStringLiteral("0000");
constexpr qreal kNarrowestColumnUnits = 10.0;
constexpr char16_t kFigureSpace = 0x2007;

// A quarter of the average character width, widened where the font's digits would not fit
// the narrowest column.
qreal DialogUnitWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal average =
        metrics.horizontalAdvance(kAverageSample) / kAverageSample.size() / kQuartersPerCharacter;
    return std::max(average, metrics.horizontalAdvance(kWidestNumber) / kNarrowestColumnUnits);
}

}  // namespace

ConnectTabStopDelegate::ConnectTabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stopsInDialogUnits)) {}

void ConnectTabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    // Padding as wide as a digit keeps right-aligned numbers aligned in any font.
    const QString text = QString(background.text).replace(u' ', QChar(kFigureSpace));
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

void ConnectTabStopDelegate::DrawTabbedText(QPainter& painter, const QRectF& rect,
                                            const QString& text,
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
