#include "serial/StartupLinkChoice.h"

#include <array>
#include <optional>
#include <utility>

namespace zerandi {

namespace {

const QString kPortOption = QStringLiteral("--port");
const QString kBaudOption = QStringLiteral("--baud");

constexpr std::array<std::pair<const char*, int>, 3> kComSwitches = {{
    {"COM2", 2},
    {"COM3", 3},
    {"COM4", 4},
}};

constexpr std::array<std::pair<const char*, uint32_t>, 4> kBaudSwitches = {{
    {"b19200", 19200},
    {"b38400", 38400},
    {"b57600", 57600},
    {"b115200", 115200},
}};

constexpr std::array<uint32_t, 5> kOptionBauds = {9600, 19200, 38400, 57600, 115200};

// The value of the first switch found in the command line, in the table's order.
template <typename Value, size_t N>
std::optional<Value> FirstSwitch(const QString& commandLine,
                                 const std::array<std::pair<const char*, Value>, N>& table) {
    for (const auto& [text, value] : table) {
        if (commandLine.contains(QLatin1String(text), Qt::CaseSensitive)) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> ParseBaud(const QString& value) {
    bool ok = false;
    const uint32_t baud = value.toUInt(&ok);
    for (const uint32_t allowed : kOptionBauds) {
        if (ok && baud == allowed) {
            return baud;
        }
    }
    return std::nullopt;
}

// The value of `option` when arguments[i] is "--option VALUE" (then i steps past the value)
// or "--option=VALUE"; nothing when arguments[i] is another argument.
std::optional<QString> OptionValue(const QStringList& arguments, qsizetype& i,
                                   const QString& option) {
    const QString& argument = arguments.at(i);
    if (argument.startsWith(option + QLatin1Char('='))) {
        return argument.mid(option.size() + 1);
    }
    if (argument != option) {
        return std::nullopt;
    }
    // A missing value reads as an empty one and is reported as malformed.
    return i + 1 < arguments.size() ? arguments.at(++i) : QString();
}

}  // namespace

StartupLinkChoice StartupLinkChoice::FromArguments(const QStringList& arguments) {
    StartupLinkChoice choice;
    // The program's own path is no switch: a folder named "COM2" must not choose the port.
    const QStringList switches = arguments.mid(1);
    const QString commandLine = switches.join(QLatin1Char(' '));
    if (const auto com = FirstSwitch(commandLine, kComSwitches)) {
        choice.port_ = PortChoice::Com(*com);
    }
    if (const auto baud = FirstSwitch(commandLine, kBaudSwitches)) {
        choice.baud_ = *baud;
    }
    for (qsizetype i = 0; i < switches.size(); ++i) {
        if (const auto port = OptionValue(switches, i, kPortOption)) {
            choice.ApplyPortOption(*port);
        } else if (const auto baud = OptionValue(switches, i, kBaudOption)) {
            choice.ApplyBaudOption(*baud);
        }
    }
    return choice;
}

StartupLinkChoice StartupLinkChoice::FromOptions(const std::optional<QString>& port,
                                                 const std::optional<QString>& baud) {
    StartupLinkChoice choice;
    if (port) {
        choice.ApplyPortOption(*port);
    }
    if (baud) {
        choice.ApplyBaudOption(*baud);
    }
    return choice;
}

void StartupLinkChoice::ApplyPortOption(const QString& value) {
    if (const auto port = PortChoice::FromName(value)) {
        port_ = *port;
        return;
    }
    AddError(QStringLiteral("Invalid --port value \"%1\": give COM1 to COM16, a device path "
                            "such as /dev/ttyUSB0, tcp://HOST:PORT or rfc2217://HOST:PORT.")
                 .arg(value));
}

void StartupLinkChoice::ApplyBaudOption(const QString& value) {
    if (const auto baud = ParseBaud(value)) {
        baud_ = *baud;
        return;
    }
    AddError(QStringLiteral("Invalid --baud value \"%1\": give 9600, 19200, 38400, 57600 or "
                            "115200.")
                 .arg(value));
}

void StartupLinkChoice::AddError(const QString& text) {
    if (!error_.isEmpty()) {
        error_ += QLatin1Char('\n');
    }
    error_ += text;
}

}  // namespace zerandi
