#include "serial/PortChoice.h"

#include <QRegularExpression>

namespace zerandi {

PortChoice PortChoice::Com(int number) {
    PortChoice choice;
    if (number >= 1 && number <= kMaxComNumber) {
        choice.comNumber_ = number;
    }
    return choice;
}

PortChoice PortChoice::Device(const QString& path) {
    PortChoice choice;
    choice.devicePath_ = path;
    return choice;
}

PortChoice PortChoice::Network(const NetworkAddress& address) {
    PortChoice choice;
    choice.network_ = address;
    return choice;
}

std::optional<PortChoice> PortChoice::FromName(const QString& name) {
    if (name.startsWith(QLatin1Char('/'))) {
        return Device(name);
    }
    if (const auto address = NetworkAddress::Parse(name)) {
        return Network(*address);
    }
    static const QRegularExpression kComName(QStringLiteral("^COM([0-9]{1,2})$"));
    const auto match = kComName.match(name);
    const PortChoice com = match.hasMatch() ? Com(match.captured(1).toInt()) : PortChoice();
    return com.IsNone() ? std::nullopt : std::optional<PortChoice>(com);
}

bool PortChoice::IsNone() const {
    return !IsCom() && !IsDevice() && !IsNetwork();
}

bool PortChoice::IsCom() const {
    return comNumber_ != 0;
}

bool PortChoice::IsDevice() const {
    return !devicePath_.isEmpty();
}

bool PortChoice::IsNetwork() const {
    return network_.has_value();
}

int PortChoice::ComNumber() const {
    return comNumber_;
}

QString PortChoice::DevicePath() const {
    return devicePath_;
}

QString PortChoice::SystemLocation() const {
    if (IsCom()) {
        // COM1 is the first on-board port, /dev/ttyS0.
        return QStringLiteral("/dev/ttyS%1").arg(comNumber_ - 1);
    }
    return IsNetwork() ? network_->ToString() : devicePath_;
}

QString PortChoice::LogName() const {
    if (IsCom()) {
        return QStringLiteral("COMM%1").arg(comNumber_);
    }
    return SystemLocation();
}

}  // namespace zerandi
