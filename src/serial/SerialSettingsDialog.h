#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "serial/PortChoice.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;

namespace zerandi {

class SerialLink;
class UiServices;

// "Serial Communications Settings": chooses, for the running program only, the port
// and baud rate of the link and whether the communication log is written.
class SerialSettingsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr std::array<uint32_t, 5> kBaudRates = {9600, 19200, 38400, 57600, 115200};
    static constexpr uint32_t kReopenReadTimeoutMs = 500;
    static constexpr int kDataBits = 8;
    // How many network forms the list remembers, the last used first.
    static constexpr int kRememberedNetworkPorts = 5;

    SerialSettingsDialog(SerialLink& link, UiServices& ui, QWidget* parent = nullptr);

    // Entry 0 is "none", then COM1 to COM16, the devices the system reports and the network
    // forms used last. A network form not listed yet is typed into the list.
    QComboBox& PortList() const { return *portList_; }
    QComboBox& BaudList() const { return *baudList_; }
    QCheckBox& LogBox() const { return *logBox_; }
    QDialogButtonBox& Buttons() const { return *buttons_; }

    // The baud rate that a baud list index stands for; anything unknown is 9600.
    static uint32_t BaudForIndex(int index);

    void accept() override;

private:
    void BuildControls();
    void FillPortList();
    void AddPortEntry(const PortChoice& choice, const QString& text, const QString& toolTip = {});
    int EntryFor(const PortChoice& choice);
    void RefreshFromLink();
    void OnLogBoxClicked(bool checked);
    std::optional<PortChoice> ChosenPort() const;
    bool ApplyPort();
    static QStringList RememberedNetworkPorts();
    static void RememberNetworkPort(const PortChoice& choice);
    bool ApplyLog();
    QString PortFailureText(const PortChoice& choice) const;

    SerialLink& link_;
    UiServices& ui_;
    std::vector<PortChoice> portChoices_;  // what each port list entry stands for
    QString logPath_;
    QComboBox* portList_ = nullptr;
    QComboBox* baudList_ = nullptr;
    QCheckBox* logBox_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace zerandi
