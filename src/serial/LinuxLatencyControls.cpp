#include "serial/LinuxLatencyControls.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <QFile>

namespace zerandi {

std::optional<bool> LinuxLatencyControls::LowLatencyFlag(int descriptor) {
    serial_struct serial{};
    // Pseudo-terminals and devices without a serial driver answer ENOTTY or EINVAL.
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0) {
        return std::nullopt;
    }
    return (serial.flags & ASYNC_LOW_LATENCY) != 0;
}

bool LinuxLatencyControls::SetLowLatencyFlag(int descriptor, bool on) {
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0) {
        return false;
    }
    serial.flags = on ? (serial.flags | ASYNC_LOW_LATENCY) : (serial.flags & ~ASYNC_LOW_LATENCY);
    return ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0;
}

std::optional<int> LinuxLatencyControls::LatencyTimerMs(const QString& timerFile) {
    QFile file(timerFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    bool ok = false;
    const int milliseconds = file.readAll().trimmed().toInt(&ok);
    return ok ? std::optional<int>(milliseconds) : std::nullopt;
}

bool LinuxLatencyControls::SetLatencyTimerMs(const QString& timerFile, int milliseconds) {
    // A sysfs attribute takes the whole value in one write; it is not a file to save safely.
    QFile file(timerFile);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray value = QByteArray::number(milliseconds);
    return file.write(value) == value.size() && file.flush();
}

}  // namespace zerandi
