#pragma once

#include <QHeaderView>

namespace zerandi {

// A header of the routing grid: the inputs across the top, their labels written upwards so
// that a named input fits above a narrow column, or the outputs down the side. The section
// of the current cell's row or column is drawn pressed, its label in bold.
class RoutingHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit RoutingHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Whether the section holds the current cell.
    bool Highlighted(int logicalIndex) const;
    // Fits the longest label (up to a limit); called after the labels change.
    void RemeasureLabels();
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int labelWidth_ = 0;
};

}  // namespace zerandi
