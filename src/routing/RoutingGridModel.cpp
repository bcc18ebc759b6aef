#include "routing/RoutingGridModel.h"

#include <QBrush>
#include <QColor>

#include "names/RouterNames.h"
#include "routing/RoutingGrid.h"
#include "routing/RoutingTexts.h"

namespace zerandi {

namespace {

const QString kRoutedMark = QStringLiteral("\u25CF");  // a filled circle
const QColor kRoutedBackground(0x2E, 0x7D, 0x32);
const QColor kRoutedForeground(Qt::white);

int At(const std::vector<int>& numbers, int index) {
    return index >= 0 && index < static_cast<int>(numbers.size())
               ? numbers[static_cast<size_t>(index)]
               : -1;
}

}  // namespace

RoutingGridModel::RoutingGridModel(const RoutingGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int RoutingGridModel::OutputOfRow(int row) const {
    return At(grid_.Outputs(), row);
}

int RoutingGridModel::InputOfColumn(int column) const {
    return At(grid_.Inputs(), column);
}

int RoutingGridModel::OutputAt(const QModelIndex& index) const {
    return index.isValid() ? OutputOfRow(index.row()) : -1;
}

int RoutingGridModel::InputAt(const QModelIndex& index) const {
    return index.isValid() ? InputOfColumn(index.column()) : -1;
}

void RoutingGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

void RoutingGridModel::OutputChanged(int output) {
    const int row = grid_.RowOf(output);
    if (row >= 0 && columnCount() > 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void RoutingGridModel::SourcesChanged() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

int RoutingGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Outputs().size());
}

int RoutingGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Inputs().size());
}

QVariant RoutingGridModel::data(const QModelIndex& index, int role) const {
    const int output = OutputAt(index);
    const int input = InputAt(index);
    if (output < 0 || input < 0) {
        return {};
    }
    return CellData(output, input, role);
}

QVariant RoutingGridModel::CellData(int output, int input, int role) const {
    const bool routed = grid_.Routed(output, input);
    switch (role) {
        case Qt::DisplayRole:
            return routed ? kRoutedMark : QString();
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            return CellAccessibleText(grid_.Names(), output, input, routed);
        case Qt::BackgroundRole:
            return routed ? QVariant(QBrush(kRoutedBackground)) : QVariant();
        case Qt::ForegroundRole:
            return routed ? QVariant(QBrush(kRoutedForeground)) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignCenter);
        default:
            return {};
    }
}

QString RoutingGridModel::HeaderText(int section, Qt::Orientation orientation) const {
    if (orientation == Qt::Vertical) {
        const int output = OutputOfRow(section);
        return output < 0 ? QString() : grid_.Names().Label(NameKind::Output, output);
    }
    const int input = InputOfColumn(section);
    return input < 0 ? QString() : InputHeaderText(grid_.Names(), input);
}

// "Output 7 VTR 2, from input 12 CAM 3", "Input 12", "Tri-state".
QString RoutingGridModel::HeaderAccessibleText(int section, Qt::Orientation orientation) const {
    if (orientation == Qt::Vertical) {
        const int output = OutputOfRow(section);
        return output < 0
                   ? QString()
                   : OutputHeaderAccessibleText(grid_.Names(), output, grid_.SourceOf(output));
    }
    if (InputOfColumn(section) == RoutingGrid::kTriState) {
        return TriStateColumnTitle();
    }
    return QStringLiteral("%1 %2").arg(NameKindText(NameKind::Input),
                                       HeaderText(section, orientation));
}

// Counted when asked, so that a read costs nothing for tips never shown.
QString RoutingGridModel::HeaderToolTip(int section, Qt::Orientation orientation) const {
    if (orientation == Qt::Vertical) {
        return HeaderAccessibleText(section, orientation);
    }
    const int input = InputOfColumn(section);
    return input < 0 ? QString()
                     : InputHeaderToolTip(grid_.Names(), input, grid_.OutputsFedBy(input));
}

QVariant RoutingGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return HeaderText(section, orientation);
        case Qt::ToolTipRole:
            return HeaderToolTip(section, orientation);
        case Qt::AccessibleTextRole:
            return HeaderAccessibleText(section, orientation);
        case kSourceRole: {
            const int output = orientation == Qt::Vertical ? OutputOfRow(section) : -1;
            return output < 0 ? QVariant()
                              : QVariant(OutputSourceText(grid_.Names(), grid_.SourceOf(output)));
        }
        default:
            return QAbstractTableModel::headerData(section, orientation, role);
    }
}

Qt::ItemFlags RoutingGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace zerandi
