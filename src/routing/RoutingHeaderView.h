#pragma once

#include <QHeaderView>

namespace zerandi {

// A header of the routing grid: the inputs across the top, their labels written upwards so
// that a named input fits above a narrow column, or the outputs down the side, each with the
// source that feeds it beside its label. The section of the current cell's row or column is
// drawn pressed, its label in bold.
class RoutingHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit RoutingHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Whether the section holds the current cell.
    bool Highlighted(int logicalIndex) const;
    // Fits the longest label (up to a limit); called after the labels change.
    void RemeasureLabels();
    int LabelWidth() const { return labelWidth_; }
    // The room for the sources beside the outputs' labels; 0 for none.
    void SetSourceWidth(int px);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void PaintSource(QPainter* painter, const QRect& rect, int logicalIndex) const;

    int labelWidth_ = 0;
    int sourceWidth_ = 0;
};

}  // namespace zerandi
