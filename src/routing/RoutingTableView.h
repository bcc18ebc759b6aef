#pragma once

#include <QTableView>

namespace zerandi {

class RoutingHeaderView;

// The routing grid's table: fixed small cells (a grid of millions draws only what shows),
// inputs labelled upwards across the top, outputs down the side with their sources. A click
// or the arrows, Home, End and the page keys only choose a cell, so that focusing or
// scrolling never changes what is on air; a double-click on a cell, or Enter on the current
// one, asks for a take there. The headers mark the current row and column.
class RoutingTableView : public QTableView {
    Q_OBJECT

public:
    static constexpr int kCellWidthPx = 22;
    static constexpr int kCellHeightPx = 20;

    explicit RoutingTableView(QWidget* parent = nullptr);

    // After the labels or the rows and columns changed: the headers fit their labels again.
    void FitHeaders();
    const RoutingHeaderView& InputHeader() const { return *inputHeader_; }
    const RoutingHeaderView& OutputHeader() const { return *outputHeader_; }

signals:
    void TakeRequested(const QModelIndex& index);
    void CurrentCellChanged(const QModelIndex& current);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    RoutingHeaderView* inputHeader_;
    RoutingHeaderView* outputHeader_;
};

}  // namespace zerandi
