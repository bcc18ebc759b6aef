#include "serial/PortChoice.h"

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

bool PortChoice::IsNone() const {
    return !IsCom() && !IsDevice();
}

bool PortChoice::IsCom() const {
    return comNumber_ != 0;
}

bool PortChoice::IsDevice() const {
    return !devicePath_.isEmpty();
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
    return devicePath_;
}

QString PortChoice::LogName() const {
    if (IsCom()) {
        return QStringLiteral("COMM%1").arg(comNumber_);
    }
    return devicePath_;
}

}  // namespace zerandi
