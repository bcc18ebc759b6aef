#include "routing/RoutingTableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <tuple>

#include "routing/RoutingHeaderView.h"
#include "shell/AccessibleName.h"

namespace zerandi {

RoutingTableView::RoutingTableView(QWidget* parent)
    : QTableView(parent),
      inputHeader_(new RoutingHeaderView(Qt::Horizontal, this)),
      outputHeader_(new RoutingHeaderView(Qt::Vertical, this)) {
    setHorizontalHeader(inputHeader_);
    setVerticalHeader(outputHeader_);
    for (auto [header, cellPx, name] :
         {std::tuple{inputHeader_, kCellWidthPx, QStringLiteral("Inputs")},
          std::tuple{outputHeader_, kCellHeightPx, QStringLiteral("Outputs")}}) {
        header->setDefaultSectionSize(cellPx);
        header->setMinimumSectionSize(cellPx);
        NameControl(header, name);
    }
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    connect(this, &QTableView::doubleClicked, this, &RoutingTableView::TakeRequested);
}

// The outputs' sources are input labels: their column is as wide as the widest of them.
void RoutingTableView::FitHeaders() {
    inputHeader_->RemeasureLabels();
    outputHeader_->RemeasureLabels();
    outputHeader_->SetSourceWidth(
        inputHeader_->LabelWidth() +
        outputHeader_->fontMetrics().horizontalAdvance(QStringLiteral("\u2190 ")));
}

void RoutingTableView::keyPressEvent(QKeyEvent* event) {
    const bool takeKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (takeKey && plain && currentIndex().isValid()) {
        emit TakeRequested(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

// The column header draws the current column from the selection model: both headers are
// repainted whenever the current cell moves.
void RoutingTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    inputHeader_->viewport()->update();
    outputHeader_->viewport()->update();
    emit CurrentCellChanged(current);
}

}  // namespace zerandi
