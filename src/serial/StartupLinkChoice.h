#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "serial/PortChoice.h"

namespace zerandi {

// The serial port and baud rate the program starts with, from its command line.
//
// The arguments are searched, case-sensitively, for the switches "COM2", "COM3",
// "COM4" (the first found wins; none gives COM1) and "b19200", "b38400", "b57600",
// "b115200" (the first found wins; none gives 9600). The options --port (COMn, a device path,
// tcp://HOST:PORT or rfc2217://HOST:PORT) and
// --baud N (also --port=... and --baud=...) take precedence over those switches.
class StartupLinkChoice {
public:
    static constexpr uint32_t kDefaultBaud = 9600;
    static constexpr int kDefaultComNumber = 1;

    // The arguments as main() receives them, the program name first (it is not searched).
    static StartupLinkChoice FromArguments(const QStringList& arguments);
    // Only the --port and --baud values, for a program that has no short switches; an
    // option not given keeps its default.
    static StartupLinkChoice FromOptions(const std::optional<QString>& port,
                                         const std::optional<QString>& baud);

    const PortChoice& Port() const { return port_; }
    uint32_t BaudRate() const { return baud_; }
    // A malformed --port or --baud value, in words for the user; empty when all was well.
    // The choice then keeps what the rest of the command line gave.
    const QString& ErrorText() const { return error_; }
    bool HasError() const { return !error_.isEmpty(); }

private:
    void ApplyPortOption(const QString& value);
    void ApplyBaudOption(const QString& value);
    void AddError(const QString& text);

    PortChoice port_ = PortChoice::Com(kDefaultComNumber);
    uint32_t baud_ = kDefaultBaud;
    QString error_;
};

}  // namespace zerandi
