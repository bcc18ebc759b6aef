#pragma once

#include <QString>

namespace zerandi {

// Which serial port the link uses: none, a COM number 1 to 16 (COM n is
// /dev/ttyS(n-1)), or a device path such as /dev/ttyUSB0 or a pseudo-terminal.
class PortChoice {
public:
    static constexpr int kMaxComNumber = 16;

    PortChoice() = default;  // no port
    static PortChoice Com(int number);
    static PortChoice Device(const QString& path);

    bool IsNone() const;
    bool IsCom() const;
    bool IsDevice() const;
    int ComNumber() const;           // 1..16, or 0 when not a COM port
    QString DevicePath() const;      // the path given to Device(), empty otherwise
    QString SystemLocation() const;  // what the operating system opens
    QString LogName() const;         // "COMM3" for COM3, the path for a device

    bool operator==(const PortChoice&) const = default;

private:
    int comNumber_ = 0;
    QString devicePath_;
};

}  // namespace zerandi
