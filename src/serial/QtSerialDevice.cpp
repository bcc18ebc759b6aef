#include "serial/QtSerialDevice.h"

#include "serial/PortHolder.h"

#include <poll.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

namespace zerandi {

namespace {

// Read and write errors on an open port mean the device is gone: a pseudo-terminal whose
// other end closed reads end-of-file, a pulled USB adapter fails with EIO.
bool IsPortFailure(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

std::optional<QSerialPort::DataBits> QtDataBits(int dataBits) {
    switch (dataBits) {
        case 5:
            return QSerialPort::Data5;
        case 6:
            return QSerialPort::Data6;
        case 7:
            return QSerialPort::Data7;
        case 8:
            return QSerialPort::Data8;
        default:
            return std::nullopt;
    }
}

QSerialPort::Parity QtParity(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return QSerialPort::OddParity;
        case Parity::Even:
            return QSerialPort::EvenParity;
        case Parity::Mark:
            return QSerialPort::MarkParity;
        case Parity::Space:
            return QSerialPort::SpaceParity;
        case Parity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits QtStopBits(StopBits stopBits) {
    switch (stopBits) {
        case StopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case StopBits::Two:
            return QSerialPort::TwoStop;
        case StopBits::One:
            break;
    }
    return QSerialPort::OneStop;
}

// Qt refuses a port whose lock file another program holds as a permission error.
QString OpenErrorText(const QSerialPort& port, const QString& systemPath) {
    switch (port.error()) {
        case QSerialPort::PermissionError:
            if (const auto holder = PortHolder::Find(systemPath)) {
                return PortHolder::InUseText(holder);
            }
            return QStringLiteral(
                "permission denied — the user must be a member of the dialout group, or "
                "another program is using the port");
        case QSerialPort::DeviceNotFoundError:
            return QStringLiteral("no such device");
        case QSerialPort::OpenError:
            return QStringLiteral("the port is already open");
        default:
            return port.errorString();
    }
}

int ClampToInt(int64_t milliseconds) {
    return static_cast<int>(std::clamp<int64_t>(milliseconds, 0, std::numeric_limits<int>::max()));
}

}  // namespace

QtSerialDevice::QtSerialDevice() {
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
}

QtSerialDevice::~QtSerialDevice() {
    close();
}

bool QtSerialDevice::open(const QString& systemPath, const LineSettings& settings) {
    close();
    hungUp_ = false;
    lastError_.clear();
    readTimeoutMs_ = 0;
    lowLatencyText_.clear();
    baud_ = settings.baud;
    if (claim_.Take(systemPath) == PortClaim::Outcome::InUse) {
        lastError_ = PortHolder::InUseText(PortHolder::Find(systemPath));
        return false;
    }
    if (!OpenClaimed(systemPath, settings)) {
        claim_.Release();
        return false;
    }
    // Pseudo-terminals and some adapters have no modem lines: where there are none, the
    // requests fail and that is no reason to refuse the port.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clearError();
    lowLatencyText_ = lowLatency_.Apply(static_cast<int>(port_.handle()),
                                        LowLatencyMode::LatencyTimerFile(systemPath));
    open_ = true;
    return true;
}

bool QtSerialDevice::OpenClaimed(const QString& systemPath, const LineSettings& settings) {
    port_.setPortName(systemPath);
    if (!port_.open(QIODevice::ReadWrite)) {
        claim_.Release();  // this program's own claim must not be taken for the holder's
        lastError_ = OpenErrorText(port_, systemPath);
        return false;
    }
    if (!ApplyLineSettings(settings)) {
        lastError_ = QStringLiteral("the port does not accept the line settings (%1)")
                         .arg(port_.errorString());
        port_.close();
        return false;
    }
    return true;
}

bool QtSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    const auto dataBits = QtDataBits(settings.dataBits);
    return dataBits && settings.baud <= uint32_t{std::numeric_limits<qint32>::max()} &&
           port_.setBaudRate(static_cast<qint32>(settings.baud)) && port_.setDataBits(*dataBits) &&
           port_.setParity(QtParity(settings.parity)) &&
           port_.setStopBits(QtStopBits(settings.stopBits)) &&
           port_.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialDevice::close() {
    ++generation_;
    if (port_.isOpen()) {
        lowLatency_.Restore();
        port_.close();
    } else {
        lowLatency_.Forget();  // released after a hang-up: the device is gone
    }
    claim_.Release();
    open_ = false;
}

bool QtSerialDevice::isOpen() const {
    return open_;
}

bool QtSerialDevice::setReadTimeout(uint32_t milliseconds) {
    if (!open_) {
        return false;
    }
    readTimeoutMs_ = milliseconds;
    return true;
}

std::optional<size_t> QtSerialDevice::read(std::span<uint8_t> into) {
    if (!open_ || hungUp_) {
        return std::nullopt;
    }
    if (into.empty()) {
        return 0;
    }
    if (port_.bytesAvailable() == 0 && !WaitForData()) {
        return hungUp_ ? std::nullopt : std::optional<size_t>(0);
    }
    const qint64 count =
        port_.read(reinterpret_cast<char*>(into.data()), static_cast<qint64>(into.size()));
    if (count < 0) {
        MarkHungUp();
        return std::nullopt;
    }
    return static_cast<size_t>(count);
}

// Waits up to the read time-out for bytes to arrive; false on time-out or hang-up.
// A time-out of 0 still collects what the system has already received.
bool QtSerialDevice::WaitForData() {
    if (readTimeoutMs_ == 0 && !InputWaiting()) {
        // Nothing received (the drain before every transaction, as a rule): the port's own
        // wait would record a time-out, signal it and translate its text, then the same again
        // for clearing it, all to say what one poll has said already.
        return false;
    }
    const QDeadlineTimer deadline(readTimeoutMs_);
    do {
        if (port_.waitForReadyRead(ClampToInt(deadline.remainingTime()))) {
            return true;
        }
        if (IsPortFailure(port_.error())) {
            MarkHungUp();
            return false;
        }
        port_.clearError();
    } while (!deadline.hasExpired());
    return false;
}

// Writes straight to the descriptor (Qt's write buffer stays empty): the port's buffered
// write polls before every write and signals on the way, which each transaction paid for.
// A line that does not take the bytes within their line time plus some slack is given up,
// and what the driver still holds is discarded rather than sent later.
bool QtSerialDevice::write(std::span<const uint8_t> bytes) {
    if (!open_ || hungUp_) {
        return false;
    }
    const QDeadlineTimer deadline(WriteBoundMs(bytes.size()));
    while (!bytes.empty()) {
        const ssize_t count = ::write(static_cast<int>(port_.handle()), bytes.data(), bytes.size());
        if (count > 0) {
            bytes = bytes.subspan(static_cast<size_t>(count));
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
            MarkHungUp();  // as with reads: a failed write means the device is gone
            return false;
        } else if (!AwaitWritable(deadline)) {
            if (!hungUp_) {
                port_.clear(QSerialPort::Output);
            }
            return false;
        }
    }
    return true;
}

// Waits until the descriptor takes more bytes; false at the deadline or on a hang-up.
bool QtSerialDevice::AwaitWritable(const QDeadlineTimer& deadline) {
    pollfd out{static_cast<int>(port_.handle()), POLLOUT, 0};
    int ready = 0;
    do {
        ready = poll(&out, 1, ClampToInt(deadline.remainingTime()));
    } while (ready < 0 && errno == EINTR);
    if (ready > 0 && (out.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        MarkHungUp();
        return false;
    }
    return ready > 0;
}

// True unless one poll says at once that the descriptor has nothing to read and no hang-up.
bool QtSerialDevice::InputWaiting() const {
    pollfd in{static_cast<int>(port_.handle()), POLLIN, 0};
    return poll(&in, 1, 0) != 0;
}

int QtSerialDevice::WriteBoundMs(size_t byteCount) const {
    const uint64_t lineTimeMs =
        uint64_t{byteCount} * kLineBitsPerByte * 1000 / std::max<uint32_t>(baud_, 1);
    return ClampToInt(static_cast<int64_t>(lineTimeMs) + kWriteSlackMs);
}

bool QtSerialDevice::hungUp() const {
    return hungUp_;
}

QString QtSerialDevice::lastErrorText() const {
    return lastError_;
}

QString QtSerialDevice::lowLatencyText() const {
    return lowLatencyText_;
}

void QtSerialDevice::OnError(QSerialPort::SerialPortError error) {
    if (open_ && IsPortFailure(error)) {
        MarkHungUp();
    }
}

void QtSerialDevice::MarkHungUp() {
    if (hungUp_) {
        return;
    }
    hungUp_ = true;
    ReleaseLater();
}

// Closing the port from inside its own error signal is not safe; the release runs as soon
// as control returns to the event loop, or when the owner closes the device first.
void QtSerialDevice::ReleaseLater() {
    QMetaObject::invokeMethod(
        &port_,
        [this, generation = generation_] {
            if (generation == generation_ && port_.isOpen()) {
                port_.close();
            }
        },
        Qt::QueuedConnection);
}

}  // namespace zerandi
