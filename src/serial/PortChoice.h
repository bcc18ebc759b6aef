#pragma once

#include <QString>
#include <optional>

#include "serial/NetworkAddress.h"

namespace zerandi {

// Which serial port the link uses: none, a COM number 1 to 16 (COM n is
// /dev/ttyS(n-1)), a device path such as /dev/ttyUSB0 or a pseudo-terminal, or a line
// behind a device server on the network.
class PortChoice {
public:
    static constexpr int kMaxComNumber = 16;

    PortChoice() = default;  // no port
    static PortChoice Com(int number);
    static PortChoice Device(const QString& path);
    static PortChoice Network(const NetworkAddress& address);
    // A port as the user names it: COMn, a device path or a network form; nothing otherwise.
    static std::optional<PortChoice> FromName(const QString& name);

    bool IsNone() const;
    bool IsCom() const;
    bool IsDevice() const;
    bool IsNetwork() const;
    int ComNumber() const;           // 1..16, or 0 when not a COM port
    QString DevicePath() const;      // the path given to Device(), empty otherwise
    QString SystemLocation() const;  // what the device opens: a path or the network form
    QString LogName() const;         // "COMM3" for COM3, the path or network form otherwise

    bool operator==(const PortChoice&) const = default;

private:
    int comNumber_ = 0;
    QString devicePath_;
    std::optional<NetworkAddress> network_;
};

}  // namespace zerandi
