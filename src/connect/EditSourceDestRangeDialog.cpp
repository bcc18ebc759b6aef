#include "connect/EditSourceDestRangeDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "config/RouterModelTables.h"
#include "connect/ConnectTexts.h"
#include "protocol/RouterLevel.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

// Wide enough for any 16-bit number, and for nothing that would overflow the reading.
constexpr int kFieldDigits = 5;

QString WithRange(const QString& label, uint32_t limit) {
    return label + QStringLiteral(" (1-%1)").arg(limit);
}

uint32_t FieldValue(const NumberEdit& field) {
    return static_cast<uint32_t>(field.Number().value_or(0));
}

bool InRange(uint32_t value, uint32_t low, uint32_t high) {
    return value >= low && value <= high;
}

NumberEdit* NewField(const QString& name, uint32_t preset, QWidget* parent) {
    auto* field = new NumberEdit(kFieldDigits, std::nullopt, parent);
    field->setObjectName(name);
    field->SetNumber(static_cast<int>(preset));
    return field;
}

}  // namespace

EditSourceDestRangeDialog::EditSourceDestRangeDialog(UiServices& ui, const RangeDialogSetup& setup,
                                                     const RangeDialogValues& presets,
                                                     QWidget* parent)
    : QDialog(parent), ui_(ui), setup_(setup), values_(presets) {
    setWindowTitle(setup.title);
    BuildForm();
    ApplyKind();
}

std::optional<RangeDialogValues> EditSourceDestRangeDialog::Ask(UiServices& ui,
                                                                const RangeDialogSetup& setup,
                                                                const RangeDialogValues& presets,
                                                                QWidget* parent) {
    EditSourceDestRangeDialog dialog(ui, setup, presets, parent);
    if (!ui.runDialog(dialog)) {
        return std::nullopt;
    }
    return dialog.Values();
}

void EditSourceDestRangeDialog::BuildForm() {
    first_ = NewField(QStringLiteral("firstValue"), values_.first, this);
    output_ = NewField(QStringLiteral("outputValue"), values_.output, this);
    lastOutput_ = NewField(QStringLiteral("lastOutputValue"), values_.lastOutput, this);
    firstLabel_ = new QLabel(WithRange(setup_.firstLabel, setup_.inputLimit), this);
    outputLabel_ = new QLabel(WithRange(setup_.outputLabel, setup_.outputLimit), this);
    toLabel_ = new QLabel(QStringLiteral("to"), this);
    triState_ = new QCheckBox(QStringLiteral("Tri-State"), this);
    triState_->setObjectName(QStringLiteral("triState"));
    confirm_ = new QPushButton(setup_.confirmText, this);
    confirm_->setObjectName(QStringLiteral("confirm"));
    confirm_->setDefault(true);
    cancel_ = new QPushButton(setup_.cancelText, this);
    cancel_->setObjectName(QStringLiteral("cancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(firstLabel_, 0, 0);
    grid->addWidget(first_, 0, 1);
    grid->addWidget(triState_, 0, 2);
    grid->addWidget(outputLabel_, 1, 0);
    grid->addWidget(output_, 1, 1);
    grid->addWidget(toLabel_, 1, 2);
    grid->addWidget(lastOutput_, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    LabelControl(firstLabel_, first_);
    LabelControl(outputLabel_, output_);
    toLabel_->setBuddy(lastOutput_);
    NameControl(lastOutput_, QStringLiteral("Last Output"));
    setTabOrder(first_, triState_);
    setTabOrder(triState_, output_);
    setTabOrder(output_, lastOutput_);
    setTabOrder(lastOutput_, confirm_);
    setTabOrder(confirm_, cancel_);
    connect(confirm_, &QPushButton::clicked, this, &EditSourceDestRangeDialog::Confirm);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(triState_, &QCheckBox::toggled, first_, &QWidget::setDisabled);
}

void EditSourceDestRangeDialog::ApplyKind() {
    const bool range = setup_.kind == RangeDialogKind::OutputRange;
    toLabel_->setVisible(range);
    lastOutput_->setVisible(range);
    // A take on a model that can disconnect an output may name the tri-state source.
    const bool triStateTake =
        setup_.kind == RangeDialogKind::SingleTake && SupportsTriState(setup_.productId);
    triState_->setVisible(triStateTake);
    triState_->setChecked(triStateTake &&
                          IsTriStateSource(static_cast<int32_t>(values_.first), setup_.productId));
    if (range) {
        outputLabel_->setText(WithRange(QStringLiteral("Output Range"), setup_.outputLimit));
        LabelControl(outputLabel_, output_);
    }
    if (setup_.kind == RangeDialogKind::MonitorPair) {
        firstLabel_->setText(setup_.firstLabel);
        LabelControl(firstLabel_, first_);
        first_->setMaxLength(kMonitorOutputDigits);
    }
}

bool EditSourceDestRangeDialog::CheckFirst(uint32_t first) const {
    return setup_.kind == RangeDialogKind::MonitorPair || triState_->isChecked() ||
           InRange(first, 1, setup_.inputLimit);
}

void EditSourceDestRangeDialog::Confirm() {
    const uint32_t first = FieldValue(*first_);
    const uint32_t output = FieldValue(*output_);
    const uint32_t lastOutput = FieldValue(*lastOutput_);
    QString refusal;
    if (!CheckFirst(first)) {
        refusal = kInvalidInputText;
    } else if (!InRange(output, 1, setup_.outputLimit)) {
        refusal = kInvalidOutputText;
    } else if (setup_.kind == RangeDialogKind::OutputRange &&
               !InRange(lastOutput, output, setup_.outputLimit)) {
        refusal = kInvalidEndOutputText;
    }
    if (!refusal.isEmpty()) {
        ui_.showMessage(refusal, MessageIcon::Warning);
        return;
    }
    const bool keepsTriState =
        triState_->isChecked() &&
        IsTriStateSource(static_cast<int32_t>(values_.first), setup_.productId);
    values_.first = triState_->isChecked()
                        ? (keepsTriState ? values_.first : static_cast<uint32_t>(TriStateSource))
                        : first;
    values_.output = output;
    if (setup_.kind == RangeDialogKind::OutputRange) {
        values_.lastOutput = lastOutput;
    }
    accept();
}

}  // namespace zerandi
