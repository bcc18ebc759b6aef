#pragma once

#include <QTableView>

namespace zerandi {

class RoutingHeaderView;

// The routing grid's table: fixed small cells (a grid of millions draws only what shows),
// inputs labelled upwards across the top, outputs down the side. A click on a cell, or
// Space or Enter on the current one, asks for a take there; the arrows, Home, End and the
// page keys move as in any table, and the headers mark the current row and column.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    RoutingHeaderView* inputHeader_;
    RoutingHeaderView* outputHeader_;
};

}  // namespace zerandi
