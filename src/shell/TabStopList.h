#pragma once

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>
#include <cstddef>
#include <vector>

class QFontMetrics;
class QListWidget;
class QPainter;

namespace zerandi {

// Dialog units, the measure of list tab stops: a quarter of the font's average character.
int DialogUnitsToPixels(const QFontMetrics& metrics, int dialogUnits);

// How a list's tab stops are measured.
enum class TabStopUnit {
    DialogUnit,
    // A dialog unit widened where needed so that four digits (a source of a 2048-input
    // router) fit a ten-unit column: lists of router numbers line up in any font.
    NumberColumn,
};

// Where the tabs of a list's rows stop; past the last stop, tabs go on every default width.
class TabStops {
public:
    TabStops(std::vector<int> stops, TabStopUnit unit = TabStopUnit::DialogUnit);

    // Stop `index` in pixels from the row's left.
    int StopPixels(const QFontMetrics& metrics, size_t index) const;
    int LastStopPixels(const QFontMetrics& metrics) const;

    // Where each tab-separated piece starts, in pixels from the row's left.
    std::vector<int> PieceOffsets(const QFontMetrics& metrics, const QStringList& pieces) const;

private:
    int UnitsToPixels(const QFontMetrics& metrics, int units) const;

    std::vector<int> stops_;
    TabStopUnit unit_;
};

// Spaces that pad (those that start a piece, and runs of two or more) drawn as wide as a
// digit, so that right-aligned numbers and spaced titles line up in any font; single
// spaces between words stay as they are.
QString WithDigitWidePadding(const QString& text);

// Draws `text` from `rect`'s left with each tab jumping to the next stop, in the painter's
// font, vertically centred.
void DrawTabbedText(QPainter& painter, const QRect& rect, const QString& text,
                    const TabStops& stops);

// Draws list rows whose text holds "\t" with each tab jumping to the next stop, so that
// the rows line up in columns; the item text itself stays as it is.
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TabStopDelegate(TabStops stops, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TabStops stops_;
};

// Column titles over a tab-stop list, at the list's stops: a text such as "\tPort\tType".
class TabStopHeading : public QFrame {
    Q_OBJECT

public:
    TabStopHeading(TabStops stops, QWidget* parent);

    void SetText(const QString& text);
    QString Text() const { return text_; }

    // Draws the heading as a sunken read-only field instead of bare titles.
    void ShowAsField();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int TextLeft() const;

    TabStops stops_;
    QString text_;
    int paddingPx_ = 0;
};

// Makes the list wide enough for its columns up to the last stop plus `widestLast` after it,
// with room for the vertical scroll bar.
void FitTabStopListWidth(QListWidget& list, const TabStops& stops, const QString& widestLast);

// Gives the list a tab-stop delegate and returns it.
TabStopDelegate* SetTabStops(QListWidget& list, TabStops stops);

}  // namespace zerandi
