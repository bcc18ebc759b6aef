#include "serial/SerialLink.h"

#include <algorithm>
#include <array>

namespace zerandi {

namespace {

constexpr unsigned kMaxFrameField = 255;
constexpr int kMinLengthAdjust = -128;
constexpr int kMaxLengthAdjust = 128;

// The length byte must lie inside the header, or a frame read would look past it.
bool FrameLayoutValid(unsigned headerLength, unsigned lengthOffset, int lengthAdjust) {
    return headerLength <= kMaxFrameField && lengthOffset <= kMaxFrameField &&
           lengthOffset < headerLength && lengthAdjust >= kMinLengthAdjust &&
           lengthAdjust <= kMaxLengthAdjust;
}

}  // namespace

SerialLink::SerialLink(std::unique_ptr<SerialDevice> device, Clock& clock)
    : device_(std::move(device)), clock_(clock) {}

SerialLink::SerialLink(std::unique_ptr<SerialDevice> device, Clock& clock,
                       CommLog::TimeSource logTime)
    : device_(std::move(device)), clock_(clock), log_(std::move(logTime)) {}

SerialLink::~SerialLink() {
    Close();
    CloseLog();
}

bool SerialLink::Open(const PortChoice& port, uint32_t baud) {
    return OpenFresh(port, baud, 0, 8, StopBits::One, Parity::None);
}

bool SerialLink::Reopen(const PortChoice& port, uint32_t baud, int dataBits, StopBits stopBits,
                        Parity parity, uint32_t readTimeoutMs) {
    return OpenFresh(port, baud, readTimeoutMs, dataBits, stopBits, parity);
}

bool SerialLink::OpenFresh(const PortChoice& port, uint32_t baud, uint32_t readTotalMs,
                           int dataBits, StopBits stopBits, Parity parity) {
    try {
        return OpenPort(port, baud, readTotalMs, 0, 0, 0, dataBits, stopBits, parity,
                        kRouterHeaderLength, kRouterLengthOffset, kRouterLengthAdjust);
    } catch (...) {
        return false;
    }
}

// The device reads with one total time-out and writes without one, so the per-byte read
// time-out and the write time-outs (all 0 in this program) have nothing to set.
bool SerialLink::OpenPort(const PortChoice& port, uint32_t baud, uint32_t readTotalMs,
                          uint32_t /*readPerByteMs*/, uint32_t /*writeTotalMs*/,
                          uint32_t /*writePerByteMs*/, int dataBits, StopBits stopBits,
                          Parity parity, unsigned headerLength, unsigned lengthOffset,
                          int lengthAdjust) {
    std::lock_guard guard(lock_);
    Close();  // a failed open always leaves the link closed
    savedReadTotalMs_ = readTotalMs;
    port_ = PortChoice();
    headerLength_ = 0;
    lengthOffset_ = 0;
    lengthAdjust_ = 0;
    lastOpenError_.clear();
    if (!FrameLayoutValid(headerLength, lengthOffset, lengthAdjust) || port.IsNone()) {
        return false;
    }
    if (!device_->open(port.SystemLocation(), LineSettings{baud, dataBits, stopBits, parity})) {
        lastOpenError_ = device_->lastErrorText();
        return false;
    }
    if (!device_->setReadTimeout(readTotalMs)) {
        lastOpenError_ = device_->lastErrorText();
        device_->close();
        return false;
    }
    readTotalMs_ = readTotalMs;
    baud_ = baud;
    port_ = port;
    headerLength_ = headerLength;
    lengthOffset_ = lengthOffset;
    lengthAdjust_ = lengthAdjust;
    log_.LogPortOpened(port_.LogName());
    if (const QString lowLatency = device_->lowLatencyText(); !lowLatency.isEmpty()) {
        log_.LogLowLatency(lowLatency);
    }
    return true;
}

void SerialLink::Close() {
    std::lock_guard guard(lock_);
    if (!device_->isOpen()) {
        return;
    }
    device_->close();
    log_.LogPortClosed(port_.LogName());
}

bool SerialLink::IsOpen() const {
    std::lock_guard guard(lock_);
    return device_->isOpen();
}

QString SerialLink::LastOpenErrorText() const {
    return lastOpenError_;
}

void SerialLink::SetStartByteCheck(bool on, uint8_t startByte) {
    startByteCheck_ = on;
    startByte_ = startByte;
}

// A vanished device is the end of the port: the link closes, so that the next transfer
// fails at once instead of waiting on a dead line.
void SerialLink::CloseIfHungUp() {
    if (device_->isOpen() && device_->hungUp()) {
        Close();
    }
}

bool SerialLink::WriteBytes(std::span<const uint8_t> bytes) {
    std::lock_guard guard(lock_);
    if (bytes.data() == nullptr) {
        return false;
    }
    const bool written = device_->write(bytes);
    CloseIfHungUp();
    return written;
}

bool SerialLink::ReadBytes(std::span<uint8_t> buffer, size_t& received) {
    std::lock_guard guard(lock_);
    received = 0;
    const auto count = device_->read(buffer);
    if (!count) {
        CloseIfHungUp();
        return false;
    }
    received = std::min(*count, buffer.size());
    return true;
}

bool SerialLink::Send(std::span<const uint8_t> bytes) {
    const bool sent = WriteBytes(bytes);
    LogMessage(sent ? CommLog::Direction::Sent : CommLog::Direction::FailedToSend, bytes);
    return sent;
}

bool SerialLink::ReceiveBytes(std::span<uint8_t> buffer, size_t& received, bool log) {
    const bool read = ReadBytes(buffer, received);
    if (read && log && received > 0) {
        LogMessage(CommLog::Direction::Received, buffer.first(received));
    }
    return read;
}

bool SerialLink::ReceiveBytesTimed(std::span<uint8_t> buffer, size_t& received, uint32_t timeoutMs,
                                   bool log) {
    std::lock_guard guard(lock_);
    received = 0;
    if (!OverrideReadTimeout(timeoutMs)) {
        return false;
    }
    const bool read = ReceiveBytes(buffer, received, log);
    RestoreReadTimeout();
    return read;
}

bool SerialLink::OverrideReadTimeout(uint32_t timeoutMs) {
    if (timeoutMs == readTotalMs_) {
        return true;
    }
    savedReadTotalMs_ = readTotalMs_;
    if (!device_->setReadTimeout(timeoutMs)) {
        return false;
    }
    readTotalMs_ = timeoutMs;
    return true;
}

void SerialLink::RestoreReadTimeout() {
    if (savedReadTotalMs_ != readTotalMs_) {
        device_->setReadTimeout(savedReadTotalMs_);
        readTotalMs_ = savedReadTotalMs_;
    }
}

size_t SerialLink::FlushDrainLimitBytes(uint32_t baud) {
    const size_t lineBytes = size_t{baud} / kLineBitsPerByte * kFlushMaxDrainLineTimeMs / 1000;
    return std::max(lineBytes, kFlushMinDrainBytes);
}

bool SerialLink::Flush(uint32_t timeoutMs) {
    std::lock_guard guard(lock_);
    if (!OverrideReadTimeout(timeoutMs)) {
        return false;
    }
    std::array<uint8_t, kFlushChunkBytes> scratch{};
    const size_t limit = FlushDrainLimitBytes(baud_);
    size_t drained = 0;
    size_t count = 0;
    while (drained < limit && ReadBytes(scratch, count) && count > 0) {
        drained += count;
    }
    RestoreReadTimeout();
    return true;
}

bool SerialLink::ReceiveMessageOk(std::span<uint8_t> buffer, uint32_t timeoutMs) {
    size_t received = 0;
    return ReceiveFramedOk(buffer, received, timeoutMs);
}

LinkStatus SerialLink::ReceiveMessage(std::span<uint8_t> buffer, uint32_t timeoutMs) {
    size_t received = 0;
    return ReceiveFramedTimed(buffer, received, timeoutMs);
}

bool SerialLink::ReceiveFramedOk(std::span<uint8_t> buffer, size_t& received, uint32_t timeoutMs) {
    return ReceiveFramedTimed(buffer, received, timeoutMs) == LinkStatus::Received;
}

bool SerialLink::ReceiveFramedOkNow(std::span<uint8_t> buffer, size_t& received) {
    return ReceiveFramed(buffer, received) == LinkStatus::Received;
}

LinkStatus SerialLink::ReceiveFramedTimed(std::span<uint8_t> buffer, size_t& received,
                                          uint32_t timeoutMs) {
    std::lock_guard guard(lock_);
    received = 0;
    if (!OverrideReadTimeout(timeoutMs)) {
        return LinkStatus::TimeoutNotSet;
    }
    const LinkStatus status = ReceiveFramed(buffer, received);
    RestoreReadTimeout();
    return status;
}

LinkStatus SerialLink::ReceiveFramed(std::span<uint8_t> buffer, size_t& received) {
    received = 0;
    if (headerLength_ > buffer.size()) {
        return LinkStatus::BufferTooSmall;
    }
    std::lock_guard guard(lock_);
    try {
        return ReadFrame(buffer, received);
    } catch (...) {
        received = 0;
        return LinkStatus::ReadException;
    }
}

// A frame is refused before its body is read when it would not fit; its body then stays
// unread until the next Flush. A body that stops short is never passed on as a frame: the
// missing bytes are zeroed and `received` counts (and the log shows) only what arrived.
LinkStatus SerialLink::ReadFrame(std::span<uint8_t> buffer, size_t& received) {
    const auto header = buffer.first(headerLength_);
    if (const LinkStatus status = ReadHeader(header); status != LinkStatus::Received) {
        return status;
    }
    const size_t bodyLength = static_cast<uint8_t>(header[lengthOffset_] + lengthAdjust_);
    if (header.size() + bodyLength > buffer.size()) {
        return LinkStatus::BufferTooSmall;
    }
    const auto body = buffer.subspan(header.size(), bodyLength);
    size_t got = 0;
    if (!FillFromLink(body, got)) {
        return LinkStatus::ReadFailed;
    }
    received = header.size() + got;
    // The log shows what arrived, also of a frame that stopped short.
    LogMessage(CommLog::Direction::Received, buffer.first(received));
    if (got < body.size()) {
        std::ranges::fill(body.subspan(got), uint8_t{0});
        return LinkStatus::TruncatedBody;
    }
    return LinkStatus::Received;
}

LinkStatus SerialLink::ReadHeader(std::span<uint8_t> header) {
    size_t got = 0;
    if (!ReadBytes(header, got)) {
        return LinkStatus::ReadFailed;
    }
    if (got == 0) {
        return LinkStatus::Timeout;
    }
    if (startByteCheck_ && header[0] != startByte_) {
        return LinkStatus::WrongStartByte;
    }
    if (!FillFromLink(header, got)) {
        return LinkStatus::ReadFailed;
    }
    return got < header.size() ? LinkStatus::Timeout : LinkStatus::Received;
}

// Reads into `into` after the `got` bytes already there, until it is full or a read brings
// nothing; false when a read call failed.
bool SerialLink::FillFromLink(std::span<uint8_t> into, size_t& got) {
    while (got < into.size()) {
        size_t count = 0;
        if (!ReadBytes(into.subspan(got), count)) {
            return false;
        }
        if (count == 0) {
            break;
        }
        got += count;
    }
    return true;
}

bool SerialLink::IsLogging() const {
    return log_.IsOpen();
}

void SerialLink::LogTimestamp() {
    log_.LogTimestamp();
}

bool SerialLink::OpenLog(const QString& path) {
    return log_.Open(path);
}

void SerialLink::CloseLog() {
    log_.Close();
}

void SerialLink::LogMessage(CommLog::Direction direction, std::span<const uint8_t> bytes) {
    log_.LogFrame(direction, bytes);
    if (frameObserver_) {
        frameObserver_(direction, bytes);
    }
}

}  // namespace zerandi
