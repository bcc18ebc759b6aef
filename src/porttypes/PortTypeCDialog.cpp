#include "porttypes/PortTypeCDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "services/InternalError.h"
#include "shell/AccessibleName.h"
#include "shell/TabStopList.h"
#include "widgets/NumberEdit.h"

namespace zerandi {

namespace {

const TabStops kPortListTabStops({4, 28});
constexpr int kVisiblePortRows = 16;
constexpr PortType kLongestPortTypeName = 5;  // "207M Controlling"
constexpr int kReverseNo = 0;
constexpr int kReverseYes = 1;

}  // namespace

PortTypeCDialog::PortTypeCDialog(UiServices& ui, QWidget* parent) : QWidget(parent), ui_(ui) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildPortList());
    auto* right = new QVBoxLayout;
    right->addWidget(BuildTypeGroup());
    right->addWidget(BuildSettings());
    right->addStretch();
    right->addWidget(BuildButtons());
    layout->addLayout(right);
    RebuildList();
}

QWidget* PortTypeCDialog::BuildPortList() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Ports:"), column);
    list_ = new QListWidget(column);
    list_->setObjectName(QStringLiteral("portList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetTabStops(*list_, kPortListTabStops);
    list_->setMinimumHeight(list_->fontMetrics().height() * kVisiblePortRows);
    FitTabStopListWidth(*list_, kPortListTabStops, PortTypeListName(kLongestPortTypeName));
    LabelControl(label, list_);
    layout->addWidget(label);
    auto* heading = new TabStopHeading(kPortListTabStops, column);
    heading->SetText(QStringLiteral("\tPort\tType"));
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { UpdateRadioButtons(); });
    return column;
}

QWidget* PortTypeCDialog::BuildTypeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Port Type"), this);
    auto* layout = new QVBoxLayout(group);
    typeButtons_ = new QButtonGroup(this);
    for (int code = 0; code < kPortTypeCount; ++code) {
        auto* radio = new QRadioButton(QString::fromLatin1(kPortTypeButtonTexts.at(code)), group);
        radio->setObjectName(QStringLiteral("portType%1").arg(code));
        typeButtons_->addButton(radio, code);
        radios_.at(static_cast<size_t>(code)) = radio;
        layout->addWidget(radio);
    }
    connect(typeButtons_, &QButtonGroup::idClicked, this, &PortTypeCDialog::ChangeSelectedPortType);
    return group;
}

QWidget* PortTypeCDialog::BuildSettings() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    reverseLabel_ = new QLabel(QStringLiteral("Reverse Input/Output:"), box);
    reverseLabel_->setObjectName(QStringLiteral("reverseLabel"));
    reverse_ = new QComboBox(box);
    reverse_->setObjectName(QStringLiteral("reverse"));
    reverse_->addItems({QStringLiteral("No"), QStringLiteral("Yes")});
    LabelControl(reverseLabel_, reverse_);
    auto* delayLabel = new QLabel(QStringLiteral("Take Delay (fields):"), box);
    takeDelay_ = new NumberEdit(kTakeDelayDigits, std::nullopt, box);
    takeDelay_->setObjectName(QStringLiteral("takeDelay"));
    LabelControl(delayLabel, takeDelay_);
    grid->addWidget(reverseLabel_, 0, 0);
    grid->addWidget(reverse_, 0, 1);
    grid->addWidget(delayLabel, 1, 0);
    grid->addWidget(takeDelay_, 1, 1);
    return box;
}

QWidget* PortTypeCDialog::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    read_ = new QPushButton(QStringLiteral("Read"), row);
    read_->setObjectName(QStringLiteral("read"));
    read_->setDefault(true);
    write_ = new QPushButton(QStringLiteral("Write"), row);
    write_->setObjectName(QStringLiteral("write"));
    for (QPushButton* button : {read_, write_}) {
        button->setAutoDefault(true);
    }
    connect(read_, &QPushButton::clicked, this, &PortTypeCDialog::ReadRequested);
    connect(write_, &QPushButton::clicked, this, &PortTypeCDialog::WriteRequested);
    layout->addStretch();
    layout->addWidget(read_);
    layout->addWidget(write_);
    return row;
}

void PortTypeCDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        read_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PortTypeCDialog::SetPortTypes(std::vector<PortType> types) {
    types_ = std::move(types);
    RebuildList();
}

void PortTypeCDialog::SetExtendedCard(bool extended) {
    extendedCard_ = extended;
    reverseLabel_->setVisible(!extended);
    reverse_->setVisible(!extended);
    reverse_->setEnabled(!extended);
    if (extended) {
        SetReverse(false);
    }
    EnableRadioButtons();
}

bool PortTypeCDialog::ReverseSelected() const {
    return reverse_->currentIndex() == kReverseYes;
}

// An extended card has no reverse setting, whatever the router reports.
void PortTypeCDialog::SetReverse(bool reverse) {
    reverse_->setCurrentIndex(reverse && !extendedCard_ ? kReverseYes : kReverseNo);
}

int PortTypeCDialog::TakeDelay() const {
    return takeDelay_->Number().value_or(0);
}

void PortTypeCDialog::SetTakeDelay(int fields) {
    takeDelay_->SetNumber(fields);
}

std::optional<size_t> PortTypeCDialog::SelectedPort() const {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= types_.size()) {
        return std::nullopt;
    }
    return static_cast<size_t>(row);
}

void PortTypeCDialog::RebuildList() {
    const int remembered = std::max(list_->currentRow(), 0);
    const QSignalBlocker quiet(list_);
    list_->clear();
    EnableRadioButtons();
    if (types_.empty()) {
        UpdateRadioButtons();
        return;
    }
    for (size_t k = 0; k < types_.size(); ++k) {
        list_->addItem(PortRowText(k, types_[k]));
    }
    list_->setCurrentRow(remembered < list_->count() ? remembered : 0);
    UpdateRadioButtons();
}

void PortTypeCDialog::EnableRadioButtons() {
    for (int code = 0; code < kPortTypeCount; ++code) {
        const bool offered = code < kFirstExtendedPortType || extendedCard_;
        radios_.at(static_cast<size_t>(code))->setEnabled(!types_.empty() && offered);
    }
}

void PortTypeCDialog::UpdateRadioButtons() {
    typeButtons_->setExclusive(false);
    for (QRadioButton* radio : radios_) {
        radio->setChecked(false);
    }
    typeButtons_->setExclusive(true);
    if (types_.empty()) {
        return;
    }
    const std::optional<size_t> port = SelectedPort();
    if (!port) {
        ReportInternalError(ui_,
                            QStringLiteral("PortTypeCDialog::UpdateRadioButtons - selection out of "
                                           "range"));
        return;
    }
    radios_.at(static_cast<size_t>(PortTypeButtonCode(types_[*port])))->setChecked(true);
}

void PortTypeCDialog::ChangeSelectedPortType(int code) {
    const std::optional<size_t> port = SelectedPort();
    if (!port) {
        ReportInternalError(
            ui_,
            QStringLiteral("PortTypeCDialog::ChangeSelectedPortType - selection out of range"));
        return;
    }
    types_[*port] = static_cast<PortType>(code);
    const auto row = static_cast<int>(*port);
    list_->item(row)->setText(PortRowText(*port, types_[*port]));
    list_->setCurrentRow(row);
}

}  // namespace zerandi
