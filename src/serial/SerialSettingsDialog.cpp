#include "serial/SerialSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "serial/SerialLink.h"
#include "services/FileTexts.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

const QString kPortFailureText = QStringLiteral("Could not COM port.");
const QString kUnknownPortText =
    QStringLiteral("Choose a port from the list, or type tcp://HOST:PORT or rfc2217://HOST:PORT.");
const QString kNetworkPortsKey = QStringLiteral("serial/networkPorts");
// Room for a typed network form such as "rfc2217://192.168.100.200:4001".
constexpr int kPortNameChars = 30;

// What the system says about a serial device, for the entry's tooltip.
QString DescribeDevice(const QSerialPortInfo& info) {
    QStringList parts;
    for (const QString& part : {info.description(), info.manufacturer()}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    if (!info.serialNumber().isEmpty()) {
        parts << QStringLiteral("serial number %1").arg(info.serialNumber());
    }
    return parts.join(QStringLiteral(", "));
}

bool IsComLocation(const QString& systemLocation) {
    for (int number = 1; number <= PortChoice::kMaxComNumber; ++number) {
        if (PortChoice::Com(number).SystemLocation() == systemLocation) {
            return true;
        }
    }
    return false;
}

}  // namespace

SerialSettingsDialog::SerialSettingsDialog(SerialLink& link, UiServices& ui, QWidget* parent)
    : QDialog(parent), link_(link), ui_(ui) {
    setWindowTitle(QStringLiteral("Serial Communications Settings"));
    BuildControls();
    FillPortList();
    RefreshFromLink();
}

uint32_t SerialSettingsDialog::BaudForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kBaudRates.size())) {
        return kBaudRates[0];
    }
    return kBaudRates[static_cast<size_t>(index)];
}

void SerialSettingsDialog::BuildControls() {
    portList_ = new QComboBox(this);
    portList_->setEditable(true);
    portList_->setInsertPolicy(QComboBox::NoInsert);
    portList_->setMinimumContentsLength(kPortNameChars);
    portList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    baudList_ = new QComboBox(this);
    for (uint32_t baud : kBaudRates) {
        baudList_->addItem(QString::number(baud));
    }
    logBox_ = new QCheckBox(QStringLiteral("Log Comm Messages"), this);
    connect(logBox_, &QCheckBox::clicked, this, &SerialSettingsDialog::OnLogBoxClicked);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &SerialSettingsDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SerialSettingsDialog::reject);

    auto* form = new QFormLayout;
    auto* portLabel = new QLabel(QStringLiteral("Comm. port:"), this);
    auto* baudLabel = new QLabel(QStringLiteral("Baud rate:"), this);
    LabelControl(portLabel, portList_);
    LabelControl(baudLabel, baudList_);
    form->addRow(portLabel, portList_);
    form->addRow(baudLabel, baudList_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(logBox_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SerialSettingsDialog::FillPortList() {
    AddPortEntry(PortChoice(), QStringLiteral("none"));
    for (int number = 1; number <= PortChoice::kMaxComNumber; ++number) {
        AddPortEntry(PortChoice::Com(number), QStringLiteral("COM%1").arg(number));
    }
    auto devices = QSerialPortInfo::availablePorts();
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.systemLocation() < b.systemLocation(); });
    for (const QSerialPortInfo& info : devices) {
        // The COM entries already stand for the system's own serial ports.
        if (!IsComLocation(info.systemLocation())) {
            AddPortEntry(PortChoice::Device(info.systemLocation()), info.systemLocation(),
                         DescribeDevice(info));
        }
    }
    for (const QString& name : RememberedNetworkPorts()) {
        if (const auto choice = PortChoice::FromName(name); choice && choice->IsNetwork()) {
            AddPortEntry(*choice, name);
        }
    }
}

QStringList SerialSettingsDialog::RememberedNetworkPorts() {
    return QSettings().value(kNetworkPortsKey).toStringList();
}

void SerialSettingsDialog::RememberNetworkPort(const PortChoice& choice) {
    QStringList names = RememberedNetworkPorts();
    names.removeAll(choice.SystemLocation());
    names.prepend(choice.SystemLocation());
    QSettings().setValue(kNetworkPortsKey, names.mid(0, kRememberedNetworkPorts));
}

void SerialSettingsDialog::AddPortEntry(const PortChoice& choice, const QString& text,
                                        const QString& toolTip) {
    portChoices_.push_back(choice);
    portList_->addItem(text);
    if (!toolTip.isEmpty()) {
        portList_->setItemData(portList_->count() - 1, toolTip, Qt::ToolTipRole);
    }
}

int SerialSettingsDialog::EntryFor(const PortChoice& choice) {
    const auto found = std::find(portChoices_.begin(), portChoices_.end(), choice);
    if (found != portChoices_.end()) {
        return static_cast<int>(found - portChoices_.begin());
    }
    // A device the system does not list as a serial port (a pseudo-terminal), or a network
    // form used before this program remembered it.
    AddPortEntry(choice, choice.SystemLocation());
    return portList_->count() - 1;
}

void SerialSettingsDialog::RefreshFromLink() {
    portList_->setCurrentIndex(link_.IsOpen() ? EntryFor(link_.Port()) : 0);
    logBox_->setChecked(link_.IsLogging());
    const int baudEntry = baudList_->findText(QString::number(link_.BaudRate()));
    // With no matching rate the list shows 9600, which is what OK would use.
    baudList_->setCurrentIndex(std::max(baudEntry, 0));
}

void SerialSettingsDialog::OnLogBoxClicked(bool checked) {
    if (!checked || link_.IsLogging()) {
        return;
    }
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("new.log");
    prompt.defaultExtension = QStringLiteral("log");
    prompt.confirmOverwrite = true;
    const auto path = ui_.promptSaveFile(prompt);
    if (!path) {
        logBox_->setChecked(false);
        return;
    }
    logPath_ = *path;
}

void SerialSettingsDialog::accept() {
    if (ApplyPort() && ApplyLog()) {
        QDialog::accept();
    }
}

// The entry chosen, or the port typed over it.
std::optional<PortChoice> SerialSettingsDialog::ChosenPort() const {
    const int entry = portList_->currentIndex();
    if (entry >= 0 && portList_->itemText(entry) == portList_->currentText()) {
        return portChoices_[static_cast<size_t>(entry)];
    }
    return PortChoice::FromName(portList_->currentText().trimmed());
}

bool SerialSettingsDialog::ApplyPort() {
    const auto chosen = ChosenPort();
    if (!chosen) {
        ui_.showMessage(kUnknownPortText, MessageIcon::Warning);
        return false;
    }
    const PortChoice& choice = *chosen;
    if (choice.IsNone()) {
        link_.Close();
        return true;
    }
    if (link_.Reopen(choice, BaudForIndex(baudList_->currentIndex()), kDataBits, StopBits::One,
                     Parity::None, kReopenReadTimeoutMs)) {
        if (choice.IsNetwork()) {
            RememberNetworkPort(choice);
        }
        return true;
    }
    ui_.showMessage(PortFailureText(choice), MessageIcon::Warning);
    RefreshFromLink();
    return false;
}

QString SerialSettingsDialog::PortFailureText(const PortChoice& choice) const {
    const QString reason = link_.LastOpenErrorText();
    // For a device that is there but refused us (permissions), or a device server that did
    // not answer, say why.
    if (reason.isEmpty() || (!choice.IsNetwork() && !QFileInfo::exists(choice.SystemLocation()))) {
        return kPortFailureText;
    }
    return kPortFailureText + QStringLiteral("\n\n") + reason;
}

bool SerialSettingsDialog::ApplyLog() {
    if (!logBox_->isChecked()) {
        link_.CloseLog();
        return true;
    }
    if (link_.IsLogging() || link_.OpenLog(logPath_)) {
        return true;
    }
    ui_.showMessage(kCouldNotOpenFileText, MessageIcon::Warning);
    logBox_->setChecked(false);
    return false;
}

}  // namespace zerandi
