#include "connect/RouterConnectFormView.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/ConnectSettingsMenu.h"
#include "connect/ConnectTexts.h"
#include "connect/ConnectionReport.h"
#include "connect/ConnectionRows.h"
#include "connect/EditSourceDestRangeDialog.h"
#include "connect/OutputRangeRead.h"
#include "connect/SalvoPanel.h"
#include "connect/SingleTake.h"
#include "connect/TakeRules.h"
#include "services/BusyScope.h"
#include "services/InternalError.h"
#include "services/TextFileSave.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/TabStopList.h"
#include "shell/ViewMenuSet.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

const TabStops kConnectionTabStops({20, 30, 45, 60}, TabStopUnit::NumberColumn);
constexpr int kTimestampDigits = 5;
constexpr int kMaxTimestamp = 0xFFFF;
constexpr int kMaxFieldValue = 0xFFFF;
constexpr int kCountDigitsMax = 5;
constexpr int kListMinimumWidthChars = 40;
const QString kExecuteRangeTitle = QStringLiteral("Execute Range Take");
const QString kExecuteDiagonalTitle = QStringLiteral("Execute Diagonal Take");
const QString kRangeWritten = QStringLiteral("Range of takes successfully written.");

int DigitsOf(int count) {
    return static_cast<int>(QString::number(count).size());
}

QPushButton* NewButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

RouterConnectFormView::RouterConnectFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      ui_(doc.Ui()),
      commPort_(doc.CommPort()),
      productId_(RouterConfigDoc::kUnknownProduct) {
    settings_ = new ConnectSettingsMenu(
        [this] {
            return ConnectSettingsMenu::Router{dataRouter_, doc_.IsExtendedControlCard()};
        },
        this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildConnectionsGroup(), 3);
    salvo_ = new SalvoPanel(ui_,
                            {[this] {
                                 return SalvoPanel::Router{productId_, inputCount_, outputCount_};
                             },
                             [this](const TakeList& takes) { return RunTakeList(takes); },
                             [this] { AutoReadIfTicked(); }},
                            this);
    layout->addWidget(salvo_, 1);
    SetReadingTabOrder();

    writeReport_ = new QAction(QStringLiteral("&Write Report (.TXT file)..."), this);
    writeReport_->setObjectName(QStringLiteral("writeReport"));
    connect(writeReport_, &QAction::triggered, this, &RouterConnectFormView::WriteReport);
    printReport_ = new QAction(QStringLiteral("&Print Report (.TXT format)"), this);
    printReport_->setObjectName(QStringLiteral("printReport"));
    connect(printReport_, &QAction::triggered, this, &RouterConnectFormView::PrintReport);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &RouterConnectFormView::OnDocumentUpdate);
}

RouterConnectFormView::~RouterConnectFormView() = default;

NumberEdit* RouterConnectFormView::NewNumberField(const QString& name, int digits, int maxValue) {
    auto* field = new NumberEdit(digits, maxValue, this);
    field->setObjectName(name);
    return field;
}

QWidget* RouterConnectFormView::BuildTakeButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    rangeTake_ = NewButton(QStringLiteral("Range Take..."), QStringLiteral("rangeTake"), row);
    diagonal_ = NewButton(QStringLiteral("Diagonal ..."), QStringLiteral("diagonalTake"), row);
    reverseDiagonal_ =
        NewButton(QStringLiteral("Rev. Diagonal ..."), QStringLiteral("reverseDiagonalTake"), row);
    for (QPushButton* button : {rangeTake_, diagonal_, reverseDiagonal_}) {
        layout->addWidget(button);
    }
    layout->addStretch();
    connect(rangeTake_, &QPushButton::clicked, this, &RouterConnectFormView::RangeTake);
    connect(diagonal_, &QPushButton::clicked, this, &RouterConnectFormView::DiagonalTake);
    connect(reverseDiagonal_, &QPushButton::clicked, this,
            &RouterConnectFormView::ReverseDiagonalTake);
    return row;
}

QGroupBox* RouterConnectFormView::BuildSingleTakeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Single Take "), this);
    input_ = NewNumberField(QStringLiteral("input"), kCountDigitsMax, kMaxFieldValue);
    output_ = NewNumberField(QStringLiteral("output"), kCountDigitsMax, kMaxFieldValue);
    timestamp_ = NewNumberField(QStringLiteral("timestamp"), kTimestampDigits, kMaxTimestamp);
    for (NumberEdit* field : {input_, output_}) {
        field->setMaxLength(kFieldDigitsBeforeUpdate);
    }
    triState_ = new QCheckBox(QStringLiteral("Tri-State"), group);
    triState_->setObjectName(QStringLiteral("triState"));
    triState_->setEnabled(false);
    executeTake_ = NewButton(QStringLiteral("Execute"), QStringLiteral("executeTake"), group);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (auto [text, field] :
         {std::pair{QStringLiteral("Input"), input_}, std::pair{QStringLiteral("Output"), output_},
          std::pair{QStringLiteral("Timestamp"), timestamp_}}) {
        auto* label = new QLabel(text, group);
        LabelControl(label, field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    grid->addWidget(triState_, row++, 1);
    grid->addWidget(executeTake_, row, 0, 1, 2, Qt::AlignHCenter);
    connect(triState_, &QCheckBox::toggled, input_, &QWidget::setDisabled);
    connect(executeTake_, &QPushButton::clicked, this, &RouterConnectFormView::ExecuteSingleTake);
    return group;
}

QGroupBox* RouterConnectFormView::BuildOutputRangeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Output Range "), this);
    start_ = NewNumberField(QStringLiteral("rangeStart"), kCountDigitsMax, kMaxFieldValue);
    end_ = NewNumberField(QStringLiteral("rangeEnd"), kCountDigitsMax, kMaxFieldValue);
    read_ = NewButton(QStringLiteral("Read"), QStringLiteral("readRange"), group);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (auto [text, field] :
         {std::pair{QStringLiteral("Start"), start_}, std::pair{QStringLiteral("End"), end_}}) {
        auto* label = new QLabel(text, group);
        LabelControl(label, field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    grid->addWidget(read_, row, 0, 1, 2, Qt::AlignHCenter);
    connect(read_, &QPushButton::clicked, this, &RouterConnectFormView::ReadRange);
    return group;
}

QGroupBox* RouterConnectFormView::BuildConnectionsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Physical Connections"), this);
    heading_ = new TabStopHeading(kConnectionTabStops, group);
    heading_->setObjectName(QStringLiteral("connectionsHeading"));
    heading_->ShowAsField();
    heading_->SetText(ConnectionHeading(false));
    connections_ = new QListWidget(group);
    connections_->setObjectName(QStringLiteral("connections"));
    connections_->setUniformItemSizes(true);
    connections_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetTabStops(*connections_, kConnectionTabStops);
    connections_->setMinimumWidth(fontMetrics().averageCharWidth() * kListMinimumWidthChars);
    NameControl(connections_, QStringLiteral("Physical Connections"));
    readAll_ =
        NewButton(QStringLiteral("Read All Outputs"), QStringLiteral("readAllOutputs"), group);
    connect(readAll_, &QPushButton::clicked, this, &RouterConnectFormView::ReadAllOutputs);

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(BuildTakeButtons());
    listColumn->addWidget(heading_);
    listColumn->addWidget(connections_, 1);
    auto* controlColumn = new QVBoxLayout;
    controlColumn->addWidget(BuildSingleTakeGroup());
    controlColumn->addWidget(BuildOutputRangeGroup());
    controlColumn->addWidget(readAll_);
    controlColumn->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addLayout(listColumn, 1);
    layout->addLayout(controlColumn);
    return group;
}

// The keyboard follows the form as it reads: the take buttons, the list, the single take,
// the output range, then the salvo.
void RouterConnectFormView::SetReadingTabOrder() {
    const std::array<QWidget*, 13> order{
        rangeTake_, diagonal_,    reverseDiagonal_, connections_, input_, output_, timestamp_,
        triState_,  executeTake_, start_,           end_,         read_,  readAll_};
    for (size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

// ---- Document updates -----------------------------------------------------------------------

void RouterConnectFormView::OnDocumentUpdate() {
    connections_->clear();
    if (!doc_.ProductKnown()) {
        ShowChildFrame(*this, false);
        return;
    }
    productId_ = doc_.ProductId();
    inputCount_ = ModelInputCount(productId_);
    outputCount_ = ModelOutputCount(productId_);
    dataRouter_ = IsDataRouter(productId_);
    ShowChildFrame(*this, true);
    rangeTake_->setEnabled(!dataRouter_);
    reverseDiagonal_->setEnabled(!dataRouter_);
    triState_->setChecked(false);
    input_->setEnabled(true);
    triState_->setEnabled(SupportsTriState(productId_));
    ApplyFieldLimits();
    heading_->SetText(ConnectionHeading(dataRouter_));
    settings_->ApplyRouter({dataRouter_, doc_.IsExtendedControlCard()});
}

void RouterConnectFormView::ApplyFieldLimits() {
    input_->setMaxLength(DigitsOf(inputCount_));
    for (NumberEdit* field : {output_, start_, end_}) {
        field->setMaxLength(DigitsOf(outputCount_));
    }
    start_->SetNumber(1);
    end_->SetNumber(outputCount_);
}

// ---- Takes ----------------------------------------------------------------------------------

void RouterConnectFormView::ExecuteSingleTake() {
    const bool triState = triState_->isChecked();
    const int input = input_->Number().value_or(0);
    const int output = output_->Number().value_or(0);
    // A tri-state take names no input: the disabled field is not asked for one.
    if (!triState && input == 0) {
        ui_.showMessage(kInvalidInputText, MessageIcon::Warning);
        return;
    }
    if (output == 0) {
        ui_.showMessage(kInvalidOutputText, MessageIcon::Warning);
        return;
    }
    const uint16_t source =
        SingleTakeSource(input, {triState, dataRouter_, doc_.IsExtendedControlCard(),
                                 settings_->DistributedControlTake(), settings_->ForwardTake()});
    SingleTake(commPort_, ui_).Run(source, static_cast<uint16_t>(output), timestamp_->Number());
    AutoReadIfTicked();
    StepFields(input, output);
}

void RouterConnectFormView::StepFields(int input, int output) {
    if (!triState_->isChecked()) {
        const int next = SteppedNumber(input, inputCount_, settings_->IncrementInput(),
                                       settings_->DecrementInput());
        if (next != input) {
            input_->SetNumber(next);
        }
    }
    const int next = SteppedNumber(output, outputCount_, settings_->IncrementOutput(),
                                   settings_->DecrementOutput());
    if (next != output) {
        output_->SetNumber(next);
    }
}

RangeDialogSetup RouterConnectFormView::RangeSetup(const QString& title) const {
    RangeDialogSetup setup;
    setup.kind = RangeDialogKind::OutputRange;
    setup.title = title;
    setup.confirmText = QStringLiteral("Execute");
    setup.cancelText = QStringLiteral("Cancel");
    setup.productId = productId_;
    setup.inputLimit = static_cast<uint32_t>(inputCount_);
    setup.outputLimit = static_cast<uint32_t>(outputCount_);
    return setup;
}

void RouterConnectFormView::RunRangeDialog(
    const QString& title, uint32_t presetInput,
    const std::function<void(int input, int first, int last)>& onConfirm) {
    const RangeDialogValues presets{presetInput, 1, static_cast<uint32_t>(outputCount_)};
    const auto values = EditSourceDestRangeDialog::Ask(ui_, RangeSetup(title), presets, this);
    if (values) {
        onConfirm(static_cast<int>(values->first), static_cast<int>(values->output),
                  static_cast<int>(values->lastOutput));
    }
    AutoReadIfTicked();
}

void RouterConnectFormView::RangeTake() {
    RunRangeDialog(kExecuteRangeTitle, 1, [this](int input, int first, int last) {
        if (RunTakeList(RangeTakeList(input, first, last))) {
            ui_.showMessage(kRangeWritten, MessageIcon::Information);
        }
    });
}

void RouterConnectFormView::DiagonalTake() {
    RunRangeDialog(kExecuteDiagonalTitle, 1, [this](int input, int first, int last) {
        if (RunTakeList(DiagonalTakeList(input, first, last))) {
            ui_.showMessage(kRangeWritten, MessageIcon::Information);
        }
    });
}

void RouterConnectFormView::ReverseDiagonalTake() {
    const auto presetInput = static_cast<uint32_t>(outputCount_);
    RunRangeDialog(kExecuteDiagonalTitle, presetInput, [this](int input, int first, int last) {
        const std::optional<TakeList> takes = ReverseDiagonalTakeList(input, first, last);
        if (!takes) {
            ui_.showMessage(ReverseDiagonalRefusal(input, first, last), MessageIcon::Information);
            return;
        }
        if (RunTakeList(*takes)) {
            ui_.showMessage(QStringLiteral("Range of takes downloaded correctly."),
                            MessageIcon::Information);
        }
    });
}

bool RouterConnectFormView::RunTakeList(const TakeList& takes) {
    bool taken = false;
    {
        BusyScope busy(ui_);
        taken = commPort_.ExecuteTakeList(takes, dataRouter_);
    }
    connections_->clear();
    return taken;
}

void RouterConnectFormView::AutoReadIfTicked() {
    if (settings_->AutoReadAfterTake()) {
        ui_.sleep(kAutoReadDelayMs);
        ReadRange();
    }
}

// ---- Reads ----------------------------------------------------------------------------------

void RouterConnectFormView::ReadRange() {
    const int first = start_->Number().value_or(0);
    const int last = end_->Number().value_or(0);
    if (first == 0) {
        ui_.showMessage(QStringLiteral("Invalid Start Output"), MessageIcon::Warning);
        return;
    }
    if (last == 0 || last < first) {
        ui_.showMessage(kInvalidEndOutputText, MessageIcon::Warning);
        return;
    }
    ReadOutputRange(first, last);
}

void RouterConnectFormView::ReadAllOutputs() {
    if (!doc_.ProductKnown()) {
        ui_.showMessage(QStringLiteral("Invalid router configuration.\nPlease upload the router "
                                       "configuration before attempting this operation."),
                        MessageIcon::Warning);
        return;
    }
    if (outputCount_ == 0) {
        ui_.showMessage(QStringLiteral("This router model has no outputs to read."),
                        MessageIcon::Information);
        return;
    }
    ReadOutputRange(1, outputCount_);
}

void RouterConnectFormView::ReadOutputRange(int first, int last) {
    if (first < 1 || last < first) {
        return;
    }
    connections_->clear();
    const std::optional<std::vector<int32_t>> words =
        OutputRangeRead(commPort_, ui_).Run(first, last);
    if (!words) {
        return;
    }
    ShowConnections(first, *words);
    if (settings_->SendReadsToSalvo()) {
        salvo_->ReplaceWithReads(ReadBackTakeList(first, *words));
    }
}

void RouterConnectFormView::ShowConnections(int first, const std::vector<int32_t>& words) {
    connections_->setUpdatesEnabled(false);
    connections_->addItems(zerandi::ConnectionRows(first, words, dataRouter_));
    connections_->setUpdatesEnabled(true);
}

QStringList RouterConnectFormView::ConnectionRows() const {
    QStringList rows;
    rows.reserve(connections_->count());
    for (int i = 0; i < connections_->count(); ++i) {
        rows << connections_->item(i)->text();
    }
    return rows;
}

// ---- Report ---------------------------------------------------------------------------------

void RouterConnectFormView::WriteReport() {
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("new_conn.txt");
    prompt.defaultExtension = QStringLiteral("txt");
    const std::optional<QString> path = ui_.promptSaveFile(prompt);
    if (path) {
        WriteToTxtFile(*path);
    }
}

void RouterConnectFormView::PrintReport() {
    zerandi::PrintReport(ui_, QStringLiteral("tmpcon00.txt"),
                         [this](const QString& path) { return WriteToTxtFile(path); });
}

bool RouterConnectFormView::WriteToTxtFile(const QString& path) {
    if (path.isEmpty()) {
        ReportInternalError(ui_,
                            QStringLiteral("RouterConnectFormView::WriteToTxtFile - no file name"));
        return false;
    }
    const QString text = ConnectionReportText(
        {doc_.ProductKnown(), doc_.ProductId(), dataRouter_, ConnectionRows()});
    return SaveFileBytes(ui_, path, WithCrLf(text));
}

// ---- Menus and toolbar ----------------------------------------------------------------------

void RouterConnectFormView::AddMenuItems(ViewMenuSet& menus) {
    QMenu& file = menus.File();
    salvo_->AddFileMenuItems(file);
    file.addSeparator();
    file.addActions({writeReport_, printReport_});
    salvo_->AddEditMenuItems(menus.Edit());
    settings_->Populate(menus.AddMenu(QStringLiteral("&Settings")));
}

bool RouterConnectFormView::HandlesCommand(StandardCommand command) const {
    return command == StandardCommand::Open || command == StandardCommand::Save ||
           command == StandardCommand::Print;
}

void RouterConnectFormView::RunCommand(StandardCommand command) {
    switch (command) {
        case StandardCommand::Open:
            salvo_->Open();
            break;
        case StandardCommand::Save:
            salvo_->Save();
            break;
        case StandardCommand::Print:
            PrintReport();
            break;
        default:
            break;
    }
}

}  // namespace zerandi
