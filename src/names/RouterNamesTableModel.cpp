#include "names/RouterNamesTableModel.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zerandi {

namespace {

const std::array<QString, RouterNamesTableModel::ColumnCount> kColumnTitles{
    QStringLiteral("Kind"), QStringLiteral("Number"), QStringLiteral("Name")};

}  // namespace

RouterNamesTableModel::RouterNamesTableModel(RouterNames names, int inputs, int outputs,
                                             QObject* parent)
    : QAbstractTableModel(parent),
      names_(std::move(names)),
      inputs_(std::max(inputs, 0)),
      outputs_(std::max(outputs, 0)) {}

void RouterNamesTableModel::SetNames(RouterNames names) {
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

NameKind RouterNamesTableModel::KindOfRow(int row) const {
    return row < inputs_ ? NameKind::Input : NameKind::Output;
}

int RouterNamesTableModel::NumberOfRow(int row) const {
    return row < inputs_ ? row + 1 : row - inputs_ + 1;
}

int RouterNamesTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : inputs_ + outputs_;
}

int RouterNamesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RouterNamesTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return DisplayText(index.row(), index.column());
    }
    if (role == kRowTextRole) {
        const NameKind kind = KindOfRow(index.row());
        return QStringLiteral("%1 %2").arg(NameKindText(kind),
                                           names_.Label(kind, NumberOfRow(index.row())));
    }
    if (role == Qt::TextAlignmentRole && index.column() == NumberColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant RouterNamesTableModel::DisplayText(int row, int column) const {
    const NameKind kind = KindOfRow(row);
    const int number = NumberOfRow(row);
    switch (column) {
        case KindColumn:
            return NameKindText(kind);
        case NumberColumn:
            return number;
        default:
            return names_.Name(kind, number);
    }
}

bool RouterNamesTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != NameColumn ||
        !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    names_.SetName(KindOfRow(index.row()), NumberOfRow(index.row()), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags RouterNamesTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == NameColumn ? flags | Qt::ItemIsEditable : flags;
}

QVariant RouterNamesTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return kColumnTitles.at(static_cast<size_t>(section));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace zerandi
