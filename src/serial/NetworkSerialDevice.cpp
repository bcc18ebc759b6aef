#include "serial/NetworkSerialDevice.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <cstring>
#include <limits>

namespace zerandi {

namespace {

int RemainingMs(const QDeadlineTimer& deadline) {
    return static_cast<int>(
        std::clamp<qint64>(deadline.remainingTime(), 0, std::numeric_limits<int>::max()));
}

std::span<const uint8_t> BytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

}  // namespace

NetworkSerialDevice::~NetworkSerialDevice() {
    close();
}

bool NetworkSerialDevice::open(const QString& systemPath, const LineSettings& settings) {
    close();
    hungUp_ = false;
    lastError_.clear();
    readTimeoutMs_ = 0;
    pending_.clear();
    telnet_.Reset();
    address_ = NetworkAddress::Parse(systemPath);
    if (!address_) {
        lastError_ =
            QStringLiteral("\"%1\" is not tcp://HOST:PORT or rfc2217://HOST:PORT").arg(systemPath);
        return false;
    }
    if (!Connect(*address_)) {
        return false;
    }
    if (address_->LineMode() == NetworkAddress::Mode::Rfc2217 &&
        !SendRaw(Rfc2217Codec::Opening(settings))) {
        lastError_ = QStringLiteral("%1:%2 closed the connection")
                         .arg(address_->Host())
                         .arg(address_->Port());
        socket_.abort();
        return false;
    }
    open_ = true;
    return true;
}

bool NetworkSerialDevice::Connect(const NetworkAddress& address) {
    socket_.connectToHost(address.Host(), address.Port());
    if (!socket_.waitForConnected(kConnectTimeoutMs)) {
        const QString reason = socket_.error() == QAbstractSocket::SocketTimeoutError
                                   ? QStringLiteral("no answer")
                                   : socket_.errorString();
        lastError_ = QStringLiteral("cannot connect to %1:%2 (%3)")
                         .arg(address.Host())
                         .arg(address.Port())
                         .arg(reason);
        socket_.abort();
        return false;
    }
    // Frames are small and each waits for its reply: no holding bytes back to fill packets.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return true;
}

void NetworkSerialDevice::close() {
    if (socket_.state() != QAbstractSocket::UnconnectedState) {
        socket_.abort();
    }
    open_ = false;
}

bool NetworkSerialDevice::isOpen() const {
    return open_;
}

bool NetworkSerialDevice::setReadTimeout(uint32_t milliseconds) {
    if (!open_) {
        return false;
    }
    readTimeoutMs_ = milliseconds;
    return true;
}

std::optional<size_t> NetworkSerialDevice::read(std::span<uint8_t> into) {
    if (!open_ || hungUp_) {
        return std::nullopt;
    }
    if (into.empty()) {
        return 0;
    }
    if (pending_.isEmpty() && !FillPending()) {
        return hungUp_ ? std::nullopt : std::optional<size_t>(0);
    }
    const size_t count = std::min(into.size(), static_cast<size_t>(pending_.size()));
    std::memcpy(into.data(), pending_.constData(), count);
    pending_.remove(0, static_cast<qsizetype>(count));
    return count;
}

// Waits up to the read time-out for data bytes; Telnet commands alone do not end the wait.
// A time-out of 0 still takes what the socket has already received.
bool NetworkSerialDevice::FillPending() {
    const QDeadlineTimer deadline(readTimeoutMs_);
    TakeReceived();
    while (pending_.isEmpty() && !hungUp_) {
        if (!socket_.waitForReadyRead(RemainingMs(deadline))) {
            if (!Connected()) {
                MarkHungUp();
            }
            return false;
        }
        TakeReceived();
        if (deadline.hasExpired()) {
            break;
        }
    }
    return !pending_.isEmpty();
}

void NetworkSerialDevice::TakeReceived() {
    const QByteArray received = socket_.readAll();
    if (address_->LineMode() == NetworkAddress::Mode::Raw) {
        pending_.append(received);
        return;
    }
    pending_.append(telnet_.Decode(BytesOf(received)));
    const QByteArray answers = telnet_.TakeAnswers();
    if (!answers.isEmpty() && !SendRaw(answers)) {
        MarkHungUp();
    }
}

bool NetworkSerialDevice::write(std::span<const uint8_t> bytes) {
    if (!open_ || hungUp_) {
        return false;
    }
    const bool telnet = address_->LineMode() == NetworkAddress::Mode::Rfc2217;
    const QByteArray wire = telnet ? Rfc2217Codec::EscapeData(bytes)
                                   : QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<qsizetype>(bytes.size()));
    if (SendRaw(wire)) {
        return true;
    }
    if (!Connected()) {
        MarkHungUp();
    }
    return false;
}

// Hands the bytes to the network within the write time-out.
bool NetworkSerialDevice::SendRaw(const QByteArray& bytes) {
    if (socket_.write(bytes) != bytes.size()) {
        return false;
    }
    const QDeadlineTimer deadline(kWriteTimeoutMs);
    while (socket_.bytesToWrite() > 0) {
        if (!socket_.waitForBytesWritten(RemainingMs(deadline)) || deadline.hasExpired()) {
            return socket_.bytesToWrite() == 0;
        }
    }
    return true;
}

bool NetworkSerialDevice::Connected() const {
    return socket_.state() == QAbstractSocket::ConnectedState;
}

bool NetworkSerialDevice::hungUp() const {
    return hungUp_;
}

QString NetworkSerialDevice::lastErrorText() const {
    return lastError_;
}

// The socket is released at once: a closed connection has nothing more to give, and the
// device still counts as open until close().
void NetworkSerialDevice::MarkHungUp() {
    hungUp_ = true;
    socket_.abort();
}

}  // namespace zerandi
