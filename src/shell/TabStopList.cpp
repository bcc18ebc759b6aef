#include "shell/TabStopList.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zerandi {

namespace {

constexpr int kDialogUnitsPerCharacter = 4;
constexpr int kTextMarginPx = 3;
constexpr int kFieldPaddingPx = 4;
constexpr int kDefaultTabDialogUnits = 32;
const QString kWidestNumber = QStringLiteral("0000");
constexpr double kNarrowestNumberColumnUnits = 10.0;
constexpr char16_t kFigureSpace = 0x2007;

QString SpokenText(const QString& text) {
    QString spoken = text;
    return spoken.replace(u'\t', u' ').simplified();
}

}  // namespace

int DialogUnitsToPixels(const QFontMetrics& metrics, int dialogUnits) {
    return dialogUnits * std::max(1, metrics.averageCharWidth()) / kDialogUnitsPerCharacter;
}

TabStops::TabStops(std::vector<int> stops, TabStopUnit unit)
    : stops_(std::move(stops)), unit_(unit) {}

int TabStops::UnitsToPixels(const QFontMetrics& metrics, int units) const {
    if (unit_ == TabStopUnit::DialogUnit) {
        return DialogUnitsToPixels(metrics, units);
    }
    const double dialogUnit =
        static_cast<double>(std::max(1, metrics.averageCharWidth())) / kDialogUnitsPerCharacter;
    const double numberUnit =
        metrics.horizontalAdvance(kWidestNumber) / kNarrowestNumberColumnUnits;
    return static_cast<int>(std::lround(units * std::max(dialogUnit, numberUnit)));
}

int TabStops::StopPixels(const QFontMetrics& metrics, size_t index) const {
    if (index < stops_.size()) {
        return UnitsToPixels(metrics, stops_[index]);
    }
    const int last = stops_.empty() ? 0 : stops_.back();
    const auto beyond = static_cast<int>(index + 1 - stops_.size());
    return UnitsToPixels(metrics, last + beyond * kDefaultTabDialogUnits);
}

int TabStops::LastStopPixels(const QFontMetrics& metrics) const {
    return stops_.empty() ? 0 : StopPixels(metrics, stops_.size() - 1);
}

std::vector<int> TabStops::PieceOffsets(const QFontMetrics& metrics,
                                        const QStringList& pieces) const {
    std::vector<int> offsets;
    int x = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            // A tab goes to the first stop right of the text so far.
            size_t stop = 0;
            while (StopPixels(metrics, stop) <= x) {
                ++stop;
            }
            x = StopPixels(metrics, stop);
        }
        offsets.push_back(x);
        x += metrics.horizontalAdvance(pieces.at(i));
    }
    return offsets;
}

QString WithDigitWidePadding(const QString& text) {
    QString padded = text;
    for (qsizetype i = 0; i < padded.size(); ++i) {
        if (padded.at(i) != u' ') {
            continue;
        }
        const bool startsPiece = i == 0 || padded.at(i - 1) == u'\t';
        const bool inRun = (i + 1 < padded.size() && padded.at(i + 1) == u' ') ||
                           (i > 0 && padded.at(i - 1) == QChar(kFigureSpace));
        if (startsPiece || inRun) {
            padded[i] = QChar(kFigureSpace);
        }
    }
    return padded;
}

void DrawTabbedText(QPainter& painter, const QRect& rect, const QString& text,
                    const TabStops& stops) {
    const QStringList pieces = WithDigitWidePadding(text).split(u'\t');
    const std::vector<int> offsets = stops.PieceOffsets(painter.fontMetrics(), pieces);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QRect cell = rect.adjusted(offsets[static_cast<size_t>(i)], 0, 0, 0);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, pieces.at(i));
    }
}

TabStopDelegate::TabStopDelegate(TabStops stops, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stops)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem look = option;
    initStyleOption(&look, index);
    const QString text = look.text;
    look.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &look, painter, widget);

    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &look, widget);
    painter->save();
    painter->setFont(look.font);
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(look.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    DrawTabbedText(*painter, textRect, text, stops_);
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QStringList pieces = WithDigitWidePadding(index.data().toString()).split(u'\t');
    const std::vector<int> offsets = stops_.PieceOffsets(option.fontMetrics, pieces);
    const int width =
        offsets.back() + option.fontMetrics.horizontalAdvance(pieces.back()) + 2 * kTextMarginPx;
    size.setWidth(width);
    return size;
}

TabStopHeading::TabStopHeading(TabStops stops, QWidget* parent)
    : QFrame(parent), stops_(std::move(stops)) {
    setAccessibleDescription(QStringLiteral("read-only"));
}

void TabStopHeading::SetText(const QString& text) {
    text_ = text;
    setAccessibleName(SpokenText(text));
    updateGeometry();
    update();
}

void TabStopHeading::ShowAsField() {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    paddingPx_ = kFieldPaddingPx;
    updateGeometry();
}

// The titles sit over the list's columns: past the list's frame and its text margin.
int TabStopHeading::TextLeft() const {
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + kTextMarginPx;
}

QSize TabStopHeading::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QStringList pieces = WithDigitWidePadding(text_).split(u'\t');
    const std::vector<int> offsets = stops_.PieceOffsets(metrics, pieces);
    const int width = TextLeft() + offsets.back() + metrics.horizontalAdvance(pieces.back()) +
                      kTextMarginPx + frameWidth();
    return {width, metrics.height() + 2 * (paddingPx_ + frameWidth())};
}

void TabStopHeading::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(font());
    const QRect inside = contentsRect();
    DrawTabbedText(painter, QRect(TextLeft(), inside.top(), width() - TextLeft(), inside.height()),
                   text_, stops_);
}

void FitTabStopListWidth(QListWidget& list, const TabStops& stops, const QString& widestLast) {
    const QFontMetrics metrics = list.fontMetrics();
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list.setMinimumWidth(stops.LastStopPixels(metrics) + metrics.horizontalAdvance(widestLast) +
                         3 * kTextMarginPx + frame + scrollBar);
}

TabStopDelegate* SetTabStops(QListWidget& list, TabStops stops) {
    auto* delegate = new TabStopDelegate(std::move(stops), &list);
    list.setItemDelegate(delegate);
    return delegate;
}

}  // namespace zerandi
