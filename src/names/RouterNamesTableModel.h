#pragma once

#include <QAbstractTableModel>

#include "names/RouterNames.h"

namespace zerandi {

// Every input and then every output of a router as rows of kind, number and name; the name is
// edited in place. Names of ports beyond the counts are kept as they were.
class RouterNamesTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { KindColumn, NumberColumn, NameColumn, ColumnCount };
    // The whole row as one text, "Output 7 VTR 2", for finding a row by what it shows.
    static constexpr int kRowTextRole = Qt::UserRole;

    RouterNamesTableModel(RouterNames names, int inputs, int outputs, QObject* parent = nullptr);

    const RouterNames& Names() const { return names_; }
    void SetNames(RouterNames names);

    // The port a row shows.
    NameKind KindOfRow(int row) const;
    int NumberOfRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant DisplayText(int row, int column) const;

    RouterNames names_;
    int inputs_;
    int outputs_;
};

}  // namespace zerandi
