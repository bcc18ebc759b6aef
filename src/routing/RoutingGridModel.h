#pragma once

#include <QAbstractTableModel>

namespace zerandi {

class RoutingGrid;

// The routing grid as a table: the outputs in view down, the inputs in view across, each
// cell lit where the last read found that input feeding that output. It draws from the
// grid's state and holds no cell of its own, so that the largest router costs no more than
// its smallest.
class RoutingGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // An output header's source beside its label: "← 12 CAM 3", empty when not read.
    static constexpr int kSourceRole = Qt::UserRole + 1;

    explicit RoutingGridModel(const RoutingGrid& grid, QObject* parent = nullptr);

    // The output of a row and the input of a column, or of a cell; -1 outside the grid.
    int OutputOfRow(int row) const;
    int InputOfColumn(int column) const;
    int OutputAt(const QModelIndex& index) const;
    int InputAt(const QModelIndex& index) const;

    // After the grid's rows or columns (or everything) changed.
    void Reload();
    // After one output's source changed, or all of them, the rows and columns unchanged.
    void OutputChanged(int output);
    void SourcesChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant CellData(int output, int input, int role) const;
    QString HeaderText(int section, Qt::Orientation orientation) const;
    QString HeaderAccessibleText(int section, Qt::Orientation orientation) const;
    QString HeaderToolTip(int section, Qt::Orientation orientation) const;

    const RoutingGrid& grid_;
};

}  // namespace zerandi
