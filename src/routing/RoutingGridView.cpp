#include "routing/RoutingGridView.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTime>
#include <QVBoxLayout>
#include <array>

#include "config/RouterConfigDoc.h"
#include "connect/ConnectSettingsMenu.h"
#include "connect/OutputRangeRead.h"
#include "connect/TakeRules.h"
#include "names/EditNamesDialog.h"
#include "names/RouterNamesStore.h"
#include "routing/RoutingGridModel.h"
#include "routing/RoutingTableView.h"
#include "routing/RoutingTake.h"
#include "routing/RoutingTexts.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/ViewMenuSet.h"

namespace zerandi {

namespace {

constexpr int kMillisecondsPerSecond = 1000;
const QSize kPreferredSize(780, 560);
const QString kNotReadText = QStringLiteral("Not read yet");

QCheckBox* NewCheckBox(const QString& text, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* NewButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

RoutingGridView::RoutingGridView(RouterConfigDoc& doc, const ConnectSettingsMenu& takeFlags,
                                 QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      ui_(doc.Ui()),
      commPort_(doc.CommPort()),
      takeFlags_(takeFlags),
      gate_(doc.Ui()) {
    model_ = new RoutingGridModel(grid_, this);
    table_ = new RoutingTableView(this);
    table_->setObjectName(QStringLiteral("routingGrid"));
    table_->setModel(model_);
    NameControl(table_, QStringLiteral("Routing grid"));
    BuildUndoAction();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildControls());
    layout->addWidget(table_, 1);
    layout->addWidget(BuildTakeRow());
    SetReadingTabOrder();
    ConnectHeaders();
    connect(table_, &RoutingTableView::TakeRequested, this, &RoutingGridView::TakeAt);
    connect(table_, &RoutingTableView::CurrentCellChanged, this, &RoutingGridView::ShowPendingTake);
    refreshTimer_.setTimerType(Qt::CoarseTimer);
    connect(&refreshTimer_, &QTimer::timeout, this, &RoutingGridView::RefreshTick);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &RoutingGridView::OnDocumentUpdate);
}

RoutingGridView::~RoutingGridView() = default;

QSize RoutingGridView::sizeHint() const {
    return kPreferredSize;
}

QWidget* RoutingGridView::BuildControls() {
    auto* controls = new QWidget(this);
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), controls);
    filter_ = new QLineEdit(controls);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(QStringLiteral("7, 1-16, VTR"));
    filter_->setToolTip(QStringLiteral("Numbers, ranges or parts of names, separated by commas"));
    LabelControl(filterLabel, filter_);
    routedOnly_ = NewCheckBox(QStringLiteral("Show routed inputs only"),
                              QStringLiteral("routedOnly"), controls);
    confirmTakes_ =
        NewCheckBox(QStringLiteral("Confirm takes"), QStringLiteral("confirmTakes"), controls);
    confirmTakes_->setChecked(QSettings().value(QLatin1String(kConfirmTakesKey), false).toBool());
    editNames_ = NewButton(QStringLiteral("Edit Names..."), QStringLiteral("editNames"), controls);
    read_ = NewButton(QStringLiteral("Read"), QStringLiteral("read"), controls);
    refresh_ = NewCheckBox(QStringLiteral("Refresh every"), QStringLiteral("refresh"), controls);
    refreshSeconds_ = new QSpinBox(controls);
    refreshSeconds_->setObjectName(QStringLiteral("refreshSeconds"));
    refreshSeconds_->setRange(kMinRefreshSeconds, kMaxRefreshSeconds);
    refreshSeconds_->setValue(kDefaultRefreshSeconds);
    refreshSeconds_->setSuffix(QStringLiteral(" s"));
    NameControl(refreshSeconds_, QStringLiteral("Refresh interval in seconds"));
    lastRead_ = new QLabel(kNotReadText, controls);
    lastRead_->setObjectName(QStringLiteral("lastRead"));

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(routedOnly_);
    filterRow->addWidget(confirmTakes_);
    filterRow->addWidget(editNames_);
    auto* readRow = new QHBoxLayout;
    readRow->addWidget(read_);
    readRow->addWidget(refresh_);
    readRow->addWidget(refreshSeconds_);
    readRow->addWidget(lastRead_, 1);
    auto* layout = new QVBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filterRow);
    layout->addLayout(readRow);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        grid_.SetFilter(text);
        Redraw(true);
    });
    connect(routedOnly_, &QCheckBox::toggled, this, [this](bool on) {
        grid_.SetRoutedOnly(on);
        Redraw(true);
    });
    connect(confirmTakes_, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(QLatin1String(kConfirmTakesKey), on); });
    connect(editNames_, &QPushButton::clicked, this, &RoutingGridView::EditNames);
    connect(read_, &QPushButton::clicked, this, &RoutingGridView::Read);
    connect(refresh_, &QCheckBox::toggled, this, &RoutingGridView::SetRefresh);
    connect(refreshSeconds_, &QSpinBox::valueChanged, this,
            [this] { SetRefresh(refresh_->isChecked()); });
    return controls;
}

// The take to be made, and the buttons that make it and take it back, below the grid.
QWidget* RoutingGridView::BuildTakeRow() {
    auto* row = new QWidget(this);
    pendingTake_ = new QLabel(NoPendingTakeText(), row);
    pendingTake_->setObjectName(QStringLiteral("pendingTake"));
    pendingTake_->setTextFormat(Qt::PlainText);
    pendingTake_->setAccessibleDescription(QStringLiteral("Pending take"));
    take_ = NewButton(QStringLiteral("Take"), QStringLiteral("take"), row);
    NameControl(take_, QStringLiteral("Take"));
    take_->setEnabled(false);
    undoButton_ = NewButton(QStringLiteral("Undo Take"), QStringLiteral("undoTakeButton"), row);
    NameControl(undoButton_, QStringLiteral("Undo Take"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pendingTake_, 1);
    layout->addWidget(take_);
    layout->addWidget(undoButton_);
    connect(take_, &QPushButton::clicked, this, [this] { TakeAt(table_->currentIndex()); });
    connect(undoButton_, &QPushButton::clicked, undoTake_, &QAction::trigger);
    SetUndo(std::nullopt);
    return row;
}

// Ctrl+Z reaches it while the focus is anywhere in this window, from the Edit menu or not,
// and never from another child window.
void RoutingGridView::BuildUndoAction() {
    undoTake_ = new QAction(QStringLiteral("&Undo Take"), this);
    undoTake_->setObjectName(QStringLiteral("undoTake"));
    undoTake_->setShortcut(QKeySequence::Undo);
    undoTake_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undoTake_);
    connect(undoTake_, &QAction::triggered, this, &RoutingGridView::UndoTake);
}

void RoutingGridView::AddMenuItems(ViewMenuSet& menus) {
    menus.Edit().addAction(undoTake_);
}

// The keyboard follows the form as it reads: the filter row, the read row, the grid, then
// the take row.
void RoutingGridView::SetReadingTabOrder() {
    const std::array<QWidget*, 10> order{filter_, routedOnly_, confirmTakes_,   editNames_,
                                         read_,   refresh_,    refreshSeconds_, table_,
                                         take_,   undoButton_};
    for (size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void RoutingGridView::ConnectHeaders() {
    connect(table_->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int column) {
                const int input = model_->InputOfColumn(column);
                if (input > 0) {
                    EditName(NameKind::Input, input);
                }
            });
    connect(table_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
        const int output = model_->OutputOfRow(row);
        if (output > 0) {
            EditName(NameKind::Output, output);
        }
    });
}

// ---- Document updates -----------------------------------------------------------------------

void RoutingGridView::OnDocumentUpdate() {
    const RoutingGrid::Shape shape = RoutingGrid::ShapeOf(doc_.ProductId());
    const bool shown = doc_.ProductKnown() && shape.outputs > 0;
    ShowChildFrame(*this, shown);
    if (!shown) {
        refresh_->setChecked(false);
        return;
    }
    grid_.Reset(shape);
    SetUndo(std::nullopt);
    lastRead_->setText(kNotReadText);
    LoadNames();
    Redraw(true);
}

void RoutingGridView::LoadNames() {
    const int32_t card = doc_.controlCard.partNumber;
    if (doc_.ProductId() == namesProduct_ && card == namesCard_) {
        return;
    }
    namesProduct_ = doc_.ProductId();
    namesCard_ = card;
    grid_.SetNames(RouterNamesStore::Load(ui_, namesProduct_, namesCard_));
}

// ---- Names ----------------------------------------------------------------------------------

void RoutingGridView::EditNames() {
    const RoutingGrid::Shape& shape = grid_.RouterShape();
    EditNamesDialog dialog(ui_, grid_.Names(), shape.inputs, shape.outputs, this);
    if (ui_.runDialog(dialog)) {
        ApplyNames(dialog.Names());
    }
}

void RoutingGridView::EditName(NameKind kind, int number) {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("editName"));
    dialog.setWindowTitle(QStringLiteral("Edit Name"));
    dialog.setLabelText(
        QStringLiteral("Name of %1 %2:").arg(NameKindText(kind).toLower()).arg(number));
    dialog.setTextValue(grid_.Names().Name(kind, number));
    if (!ui_.runDialog(dialog)) {
        return;
    }
    RouterNames names = grid_.Names();
    names.SetName(kind, number, dialog.textValue());
    ApplyNames(names);
}

void RoutingGridView::ApplyNames(const RouterNames& names) {
    if (names == grid_.Names()) {
        return;
    }
    // Names that could not be kept are not shown as if they were.
    if (!RouterNamesStore::Save(ui_, names, namesProduct_, namesCard_)) {
        return;
    }
    grid_.SetNames(names);
    Redraw(true);
}

// ---- Reads and takes ------------------------------------------------------------------------

bool RoutingGridView::Read() {
    const int outputs = grid_.RouterShape().outputs;
    if (outputs < 1) {
        return false;
    }
    const std::optional<std::vector<int32_t>> words =
        OutputRangeRead(commPort_, ui_).Run(1, outputs);
    if (!words) {
        return false;
    }
    ShowRead(1, *words);
    return true;
}

void RoutingGridView::ShowRead(int first, const std::vector<int32_t>& words) {
    Redraw(grid_.ShowRead(first, words));
    lastRead_->setText(QStringLiteral("Read at %1").arg(QTime::currentTime().toString()));
}

void RoutingGridView::TakeAt(const QModelIndex& index) {
    const int output = model_->OutputAt(index);
    const int input = model_->InputAt(index);
    if (output > 0 && input >= 0) {
        Take(output, input);
    }
}

void RoutingGridView::Take(int output, int input) {
    if (!Confirmed(output, input)) {
        return;
    }
    const std::optional<int> before = SourceBeforeTake(output);
    if (before && MakeTake(output, input)) {
        SetUndo(UndoStep{output, *before});
    }
}

// Undo is a take like any other: asked when "Confirm takes" is ticked, and kept for another
// try when it fails.
void RoutingGridView::UndoTake() {
    if (!undo_) {
        return;
    }
    const auto [output, input] = *undo_;
    if (Confirmed(output, input) && MakeTake(output, input)) {
        SetUndo(std::nullopt);
    }
}

bool RoutingGridView::Confirmed(int output, int input) {
    return !confirmTakes_->isChecked() ||
           ui_.showMessage(TakeQuestion(grid_.Names(), output, input), MessageIcon::Question,
                           MessageButtons::YesNo) == MessageAnswer::Yes;
}

std::optional<int> RoutingGridView::SourceBeforeTake(int output) {
    if (const std::optional<int> known = grid_.SourceOf(output)) {
        return known;
    }
    const std::optional<int32_t> word = RoutingTake(commPort_, ui_).ReadOutput(output);
    if (!word) {
        return std::nullopt;
    }
    ShowTakeOutcome(output, true, word);
    return grid_.SourceOf(output);
}

bool RoutingGridView::MakeTake(int output, int input) {
    const RoutingGrid::Shape& shape = grid_.RouterShape();
    const uint16_t source = SingleTakeSource(
        input, {input == RoutingGrid::kTriState, shape.dataRouter, doc_.IsExtendedControlCard(),
                takeFlags_.DistributedControlTake(), takeFlags_.ForwardTake()});
    const RoutingTake::Outcome outcome = RoutingTake(commPort_, ui_).Run(source, output);
    ShowTakeOutcome(output, outcome.taken, outcome.word);
    return outcome.taken;
}

void RoutingGridView::SetUndo(std::optional<UndoStep> step) {
    undo_ = step;
    const QString tip = UndoTakeToolTip(grid_.Names(), undo_);
    undoTake_->setEnabled(undo_.has_value());
    undoTake_->setToolTip(tip);
    undoButton_->setEnabled(undo_.has_value());
    undoButton_->setToolTip(tip);
}

void RoutingGridView::ShowPendingTake() {
    const QModelIndex current = table_->currentIndex();
    const int output = model_->OutputAt(current);
    const int input = model_->InputAt(current);
    const bool chosen = output > 0 && input >= 0;
    pendingTake_->setText(chosen ? PendingTakeText(grid_.Names(), output, input)
                                 : NoPendingTakeText());
    take_->setEnabled(chosen);
}

// A take not made leaves the cell as the last read found it; a take made whose read-back
// failed leaves the output unknown rather than guessed.
void RoutingGridView::ShowTakeOutcome(int output, bool taken, std::optional<int32_t> word) {
    if (!taken) {
        return;
    }
    if (grid_.ShowOutput(output, word)) {
        Redraw(true);
    } else {
        model_->OutputChanged(output);
        table_->verticalHeader()->viewport()->update();
    }
}

void RoutingGridView::Redraw(bool layoutChanged) {
    if (!layoutChanged) {
        model_->SourcesChanged();
        table_->verticalHeader()->viewport()->update();
        return;
    }
    const QModelIndex current = table_->currentIndex();
    const int output = model_->OutputAt(current);
    const int input = model_->InputAt(current);
    model_->Reload();
    table_->FitHeaders();
    const int row = grid_.RowOf(output);
    const int column = grid_.ColumnOf(input);
    if (current.isValid() && row >= 0 && column >= 0) {
        table_->setCurrentIndex(model_->index(row, column));
    }
    ShowPendingTake();
}

// ---- Refresh in the background --------------------------------------------------------------

void RoutingGridView::SetRefresh(bool on) {
    if (!on) {
        refreshTimer_.stop();
        return;
    }
    if (!gate_.StartTimer(refreshTimer_, refreshSeconds_->value() * kMillisecondsPerSecond)) {
        refresh_->setChecked(false);
    }
}

// A tick reads only while the grid shows and nothing else talks to the router; the interval
// counts from the end of the read, so that a slow line is not kept busy.
void RoutingGridView::RefreshTick() {
    gate_.Run([this] {
        if (!isVisible()) {
            return;
        }
        commPort_.LogTimestamp();
        if (!Read()) {
            refresh_->setChecked(false);
            return;
        }
        refreshTimer_.start();
    });
}

}  // namespace zerandi
