#include "status/StatusPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/AccessibleName.h"
#include "status/StatusIndicator.h"

namespace zerandi {

namespace {

const QString kSupplyPresentText = QStringLiteral("Power Supply Present");
const QString kTemperatureText = QStringLiteral("Power Supply Temp. OK");
const QString kVerticalRefText = QStringLiteral("Vertical Ref.");
const QString kAesRefText = QStringLiteral("AES Ref.");
constexpr int kListRows = 8;

// Grid rows of the supply and reference check boxes; column 0 holds the row labels.
enum GridRow { kHeaderRow, kPresentRow, kTemperatureRow, kVerticalRow, kAesRow };

QListWidget* NewDisplayList(const QString& name, const QString& objectName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * kListRows);
    NameControl(list, name);
    list->setAccessibleDescription(StatusIndicator::kReadOnlyDescription);
    return list;
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildSupplyAndReferenceGrid());
    auto* references = new QHBoxLayout;
    for (const ReferenceControl control :
         {ReferenceControl::Clock, ReferenceControl::Video, ReferenceControl::TwelveMHzClock}) {
        references->addWidget(Reference(control));
    }
    references->addStretch();
    layout->addLayout(references);
    auxData_ = new QLabel(QStringLiteral("Aux Data:"), this);
    auxData_->setObjectName(QStringLiteral("auxData"));
    timestamp_ = new QLabel(QStringLiteral("Last Timestamp:"), this);
    timestamp_->setObjectName(QStringLiteral("timestamp"));
    layout->addWidget(auxData_);
    layout->addWidget(timestamp_);
    layout->addWidget(BuildCardGroups());
    layout->addWidget(BuildLists());
}

StatusIndicator* StatusPanel::NewIndicator(const QString& text, const QString& name,
                                           const QString& objectName) {
    auto* indicator = new StatusIndicator(text, name, this);
    indicator->setObjectName(objectName);
    return indicator;
}

QWidget* StatusPanel::BuildSupplyAndReferenceGrid() {
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(kSupplyPresentText, grid), kPresentRow, 0);
    temperatureLabel_ = new QLabel(kTemperatureText, grid);
    temperatureLabel_->setObjectName(QStringLiteral("temperatureLabel"));
    layout->addWidget(temperatureLabel_, kTemperatureRow, 0);
    for (size_t i = 0; i < kColumns; ++i) {
        const int column = static_cast<int>(i) + 1;
        const QString number = QString::number(column);
        columnHeaders_.at(i) = new QLabel(number, grid);
        columnHeaders_.at(i)->setAlignment(Qt::AlignCenter);
        layout->addWidget(columnHeaders_.at(i), kHeaderRow, column);
        supplyPresent_.at(i) = NewIndicator({}, kSupplyPresentText + u' ' + number,
                                            QStringLiteral("supplyPresent") + number);
        temperatureOk_.at(i) = NewIndicator({}, kTemperatureText + u' ' + number,
                                            QStringLiteral("temperatureOk") + number);
        layout->addWidget(supplyPresent_.at(i), kPresentRow, column, Qt::AlignCenter);
        layout->addWidget(temperatureOk_.at(i), kTemperatureRow, column, Qt::AlignCenter);
    }
    verticalRefLabel_ = new QLabel(kVerticalRefText, grid);
    verticalRefLabel_->setObjectName(QStringLiteral("verticalRefLabel"));
    aesRefLabel_ = new QLabel(kAesRefText, grid);
    aesRefLabel_->setObjectName(QStringLiteral("aesRefLabel"));
    layout->addWidget(verticalRefLabel_, kVerticalRow, 0);
    layout->addWidget(aesRefLabel_, kAesRow, 0);
    const struct {
        ReferenceControl control;
        QString text;
        QString name;
        QString objectName;
    } kReferences[] = {
        {ReferenceControl::VerticalRef1, {}, kVerticalRefText + " 1", "verticalRef1"},
        {ReferenceControl::VerticalRef2, {}, kVerticalRefText + " 2", "verticalRef2"},
        {ReferenceControl::AesRef1, {}, kAesRefText + " 1", "aesRef1"},
        {ReferenceControl::AesRef2, {}, kAesRefText + " 2", "aesRef2"},
        {ReferenceControl::Clock, "Clock Gen. Present", "Clock Gen. Present", "clock"},
        {ReferenceControl::Video, "Video Detect OK", "Video Detect OK", "video"},
        {ReferenceControl::TwelveMHzClock, "12 MHz Clock Ok", "12 MHz Clock Ok", "twelveMHzClock"},
    };
    for (const auto& reference : kReferences) {
        references_.at(static_cast<size_t>(reference.control)) =
            NewIndicator(reference.text, reference.name, reference.objectName);
    }
    layout->addWidget(Reference(ReferenceControl::VerticalRef1), kVerticalRow, 1, Qt::AlignCenter);
    layout->addWidget(Reference(ReferenceControl::VerticalRef2), kVerticalRow, 2, Qt::AlignCenter);
    layout->addWidget(Reference(ReferenceControl::AesRef1), kAesRow, 1, Qt::AlignCenter);
    layout->addWidget(Reference(ReferenceControl::AesRef2), kAesRow, 2, Qt::AlignCenter);
    layout->setColumnStretch(static_cast<int>(kColumns) + 1, 1);
    return grid;
}

QWidget* StatusPanel::BuildCardGroups() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* card = new QGroupBox(QStringLiteral("Control Card Status"), row);
    auto* cardLayout = new QGridLayout(card);
    inPrimarySlot_ = NewIndicator("In Primary slot", "In Primary slot", "inPrimarySlot");
    thisCardHealthy_ = NewIndicator("Healthy", "Control Card Healthy", "thisCardHealthy");
    auto* stateLabel = new QLabel(QStringLiteral("State:"), card);
    cardState_ = new QComboBox(card);
    cardState_->setObjectName(QStringLiteral("cardState"));
    cardState_->addItems(StatusPanelReading::CardStateNames());
    LabelControl(stateLabel, cardState_);
    StatusIndicator::MakeReadOnly(*cardState_);
    cardLayout->addWidget(inPrimarySlot_, 0, 0, 1, 2);
    cardLayout->addWidget(thisCardHealthy_, 1, 0, 1, 2);
    cardLayout->addWidget(stateLabel, 2, 0);
    cardLayout->addWidget(cardState_, 2, 1);

    auto* other = new QGroupBox(QStringLiteral("Other Card Status"), row);
    auto* otherLayout = new QVBoxLayout(other);
    otherCardHealthy_ = NewIndicator("Healthy", "Other Card Healthy", "otherCardHealthy");
    otherCardActive_ = NewIndicator("Active", "Other Card Active", "otherCardActive");
    otherLayout->addWidget(otherCardHealthy_);
    otherLayout->addWidget(otherCardActive_);
    otherLayout->addStretch();

    auto* resets = new QGroupBox(QStringLiteral("CPU Has Reset"), row);
    auto* resetLayout = new QGridLayout(resets);
    cpuHasReset_ = {NewIndicator({}, "DIAG", "diagReset"),
                    NewIndicator("MTRX", "MTRX", "mtrxReset"),
                    NewIndicator("COMM", "COMM", "commReset")};
    diagLabel_ = new QLabel(QStringLiteral("DIAG"), resets);
    diagLabel_->setObjectName(QStringLiteral("diagLabel"));
    resetLayout->addWidget(cpuHasReset_[0], 0, 0);
    resetLayout->addWidget(diagLabel_, 0, 1);
    resetLayout->addWidget(cpuHasReset_[1], 1, 0, 1, 2);
    resetLayout->addWidget(cpuHasReset_[2], 2, 0, 1, 2);

    layout->addWidget(card);
    layout->addWidget(other);
    layout->addWidget(resets);
    layout->addStretch();
    return row;
}

QWidget* StatusPanel::BuildLists() {
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* alarmsLabel = new QLabel(QStringLiteral("Alarms"), row);
    alarms_ = NewDisplayList(QStringLiteral("Alarms"), QStringLiteral("alarms"), row);
    fansLabel_ = new QLabel(QStringLiteral("Fans"), row);
    fansLabel_->setObjectName(QStringLiteral("fansLabel"));
    fans_ = NewDisplayList(QStringLiteral("Fans"), QStringLiteral("fans"), row);
    layout->addWidget(alarmsLabel, 0, 0);
    layout->addWidget(alarms_, 1, 0);
    layout->addWidget(fansLabel_, 0, 1);
    layout->addWidget(fans_, 1, 1);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 1);
    return row;
}

void StatusPanel::ApplyLayout(const StatusPanelLayout& layout) {
    for (size_t i = 0; i < kColumns; ++i) {
        supplyPresent_.at(i)->setVisible(layout.supplyPresentColumns.at(i));
        temperatureOk_.at(i)->setVisible(layout.temperatureColumns.at(i));
        columnHeaders_.at(i)->setVisible(layout.supplyPresentColumns.at(i) ||
                                         layout.temperatureColumns.at(i));
    }
    temperatureLabel_->setVisible(layout.temperatureRow);
    verticalRefLabel_->setVisible(layout.verticalRef);
    Reference(ReferenceControl::VerticalRef1)->setVisible(layout.verticalRef);
    Reference(ReferenceControl::VerticalRef2)->setVisible(layout.verticalRef);
    aesRefLabel_->setVisible(layout.aesRefLabel);
    Reference(ReferenceControl::AesRef1)->setVisible(layout.aesRef1);
    Reference(ReferenceControl::AesRef2)->setVisible(layout.aesRef2);
    Reference(ReferenceControl::TwelveMHzClock)->setVisible(layout.twelveMHzClock);
    StatusIndicator* clock = Reference(ReferenceControl::Clock);
    clock->setVisible(layout.clock);
    clock->setText(layout.clockLabel);
    NameControl(clock, layout.clockLabel);
    StatusIndicator* video = Reference(ReferenceControl::Video);
    video->setVisible(layout.video);
    video->setText(layout.videoLabel);
    NameControl(video, layout.videoLabel);
    diagLabel_->setVisible(layout.cpuResetNames);
    cpuHasReset_[1]->setVisible(layout.cpuResetNames);
    cpuHasReset_[2]->setVisible(layout.cpuResetNames);
    NameControl(cpuHasReset_[0],
                layout.cpuResetNames ? QStringLiteral("DIAG") : QStringLiteral("CPU Has Reset"));
}

void StatusPanel::ShowReading(const StatusPanelReading& reading) {
    for (size_t i = 0; i < kColumns; ++i) {
        supplyPresent_.at(i)->setChecked(reading.powerSupplyPresent.at(i));
        if (reading.hasTemperatures) {
            temperatureOk_.at(i)->setChecked(reading.powerSupplyTempOk.at(i));
        } else {
            temperatureOk_.at(i)->hide();  // back when the router model is applied again
        }
    }
    alarms_->clear();
    alarms_->addItems(reading.alarmLines);
    ShowReferences(reading);
    for (size_t i = 0; i < cpuHasReset_.size(); ++i) {
        cpuHasReset_.at(i)->setChecked(reading.cpuHasReset.at(i));
    }
    inPrimarySlot_->setChecked(reading.inPrimarySlot);
    thisCardHealthy_->setChecked(reading.thisCardHealthy);
    cardState_->setCurrentIndex(reading.cardState);
    otherCardHealthy_->setChecked(reading.otherCardHealthy);
    otherCardActive_->setChecked(reading.otherCardActive);
    auxData_->setText(reading.auxDataLine);
    timestamp_->setText(reading.timestampLine);
}

void StatusPanel::ShowReferences(const StatusPanelReading& reading) {
    for (size_t i = 0; i < kReferenceControlCount; ++i) {
        if (const std::optional<bool> checked = reading.references.at(i)) {
            references_.at(i)->setChecked(*checked);
        }
    }
}

void StatusPanel::ShowFans(const std::optional<QStringList>& fanLines) {
    const bool shown = fanLines.has_value();
    fansLabel_->setVisible(shown);
    fans_->setVisible(shown);
    if (shown) {
        fans_->clear();
        fans_->addItems(*fanLines);
    }
}

}  // namespace zerandi
