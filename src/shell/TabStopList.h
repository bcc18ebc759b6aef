#pragma once

#include <QStringList>
#include <QStyledItemDelegate>
#include <QWidget>
#include <vector>

class QListWidget;

namespace zerandi {

// Dialog units, the measure of list tab stops: a quarter of the font's average character.
int DialogUnitsToPixels(const QFontMetrics& metrics, int dialogUnits);

// Draws list rows whose text holds "\t" with each tab jumping to the next stop, so that
// the rows line up in columns; the item text itself stays as it is.
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TabStopDelegate(std::vector<int> dialogUnitStops, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where each tab-separated piece of `text` starts, in pixels from the row's left.
    std::vector<int> PieceOffsets(const QFontMetrics& metrics, const QStringList& pieces) const;

private:
    std::vector<int> stops_;
};

// Column titles over a tab-stop list: title i sits at stop i.
class TabStopHeader : public QWidget {
    Q_OBJECT

public:
    TabStopHeader(const QStringList& titles, std::vector<int> dialogUnitStops, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList titles_;
    std::vector<int> stops_;
};

// Makes the list wide enough for its columns up to the last stop plus `widestLast` after it,
// with room for the vertical scroll bar.
void FitTabStopListWidth(QListWidget& list, int lastStopDialogUnits, const QString& widestLast);

// Gives the list a tab-stop delegate and returns it.
TabStopDelegate* SetTabStops(QListWidget& list, std::vector<int> dialogUnitStops);

}  // namespace zerandi
