#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

#include "serial/Clock.h"
#include "serial/CommLog.h"
#include "serial/LinkStatus.h"
#include "serial/PortChoice.h"
#include "serial/SerialDevice.h"

namespace zerandi {

// One serial port moving raw bytes and whole length-prefixed frames, with the
// optional communication log. RouterProtocol derives from it.
class SerialLink {
public:
    static constexpr unsigned kRouterHeaderLength = 6;
    static constexpr unsigned kRouterLengthOffset = 5;
    static constexpr int kRouterLengthAdjust = 1;
    // Flush reads in chunks of this size and gives up on a line that never falls quiet
    // after one second of line time at the current baud rate, but never below the minimum.
    static constexpr size_t kFlushChunkBytes = 512;
    static constexpr uint32_t kFlushMaxDrainLineTimeMs = 1000;
    static constexpr size_t kFlushMinDrainBytes = 4096;
    static constexpr uint32_t kLineBitsPerByte = 10;  // start bit, 8 data bits, stop bit

    SerialLink(std::unique_ptr<SerialDevice> device, Clock& clock);
    // The time source stamps the log's lines (tests fix it; the default is the local time).
    SerialLink(std::unique_ptr<SerialDevice> device, Clock& clock, CommLog::TimeSource logTime);
    virtual ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    virtual bool Open(const PortChoice& port, uint32_t baud);
    virtual void Close();
    virtual bool IsOpen() const;
    virtual bool ReceiveMessageOk(std::span<uint8_t> buffer, uint32_t timeoutMs);
    virtual LinkStatus ReceiveMessage(std::span<uint8_t> buffer, uint32_t timeoutMs);
    virtual bool IsLogging() const;
    virtual void LogTimestamp();
    virtual bool OpenLog(const QString& path);
    virtual void CloseLog();
    // Why the communication log lost lines (a full disk), or nothing.
    std::optional<QString> LogWriteFailure() const { return log_.WriteFailure(); }
    virtual bool Send(std::span<const uint8_t> bytes);
    virtual bool ReceiveBytesTimed(std::span<uint8_t> buffer, size_t& received, uint32_t timeoutMs,
                                   bool log);
    virtual bool ReceiveBytes(std::span<uint8_t> buffer, size_t& received, bool log);
    virtual bool Flush(uint32_t timeoutMs);
    virtual bool Reopen(const PortChoice& port, uint32_t baud, int dataBits, StopBits stopBits,
                        Parity parity, uint32_t readTimeoutMs);
    virtual bool WriteBytes(std::span<const uint8_t> bytes);
    virtual void LogMessage(CommLog::Direction direction, std::span<const uint8_t> bytes);
    // Also told every frame the log records, whether or not a log is open.
    using FrameObserver = std::function<void(CommLog::Direction, std::span<const uint8_t>)>;
    void SetFrameObserver(FrameObserver observer) { frameObserver_ = std::move(observer); }
    virtual bool OpenPort(const PortChoice& port, uint32_t baud, uint32_t readTotalMs,
                          uint32_t readPerByteMs, uint32_t writeTotalMs, uint32_t writePerByteMs,
                          int dataBits, StopBits stopBits, Parity parity, unsigned headerLength,
                          unsigned lengthOffset, int lengthAdjust);
    virtual bool ReadBytes(std::span<uint8_t> buffer, size_t& received);
    virtual bool ReceiveFramedOk(std::span<uint8_t> buffer, size_t& received, uint32_t timeoutMs);
    virtual bool ReceiveFramedOkNow(std::span<uint8_t> buffer, size_t& received);
    virtual LinkStatus ReceiveFramedTimed(std::span<uint8_t> buffer, size_t& received,
                                          uint32_t timeoutMs);
    virtual LinkStatus ReceiveFramed(std::span<uint8_t> buffer, size_t& received);

    uint32_t BaudRate() const { return baud_; }
    int PortNumber() const { return port_.ComNumber(); }  // 0 for a device path
    const PortChoice& Port() const { return port_; }
    uint32_t ReadTimeoutMs() const { return readTotalMs_; }
    // Why the last open failed, for the user (for example missing permissions).
    QString LastOpenErrorText() const;
    // The most bytes one Flush drains at this baud rate.
    static size_t FlushDrainLimitBytes(uint32_t baud);

protected:
    void SetStartByteCheck(bool on, uint8_t startByte);
    Clock& LinkClock() { return clock_; }

private:
    bool OpenFresh(const PortChoice& port, uint32_t baud, uint32_t readTotalMs, int dataBits,
                   StopBits stopBits, Parity parity);
    bool OverrideReadTimeout(uint32_t timeoutMs);
    void RestoreReadTimeout();
    LinkStatus ReadFrame(std::span<uint8_t> buffer, size_t& received);
    LinkStatus ReadHeader(std::span<uint8_t> header);
    bool FillFromLink(std::span<uint8_t> into, size_t& got);
    void CloseIfHungUp();

    std::unique_ptr<SerialDevice> device_;
    Clock& clock_;
    CommLog log_;
    FrameObserver frameObserver_;
    mutable std::recursive_mutex lock_;
    PortChoice port_;
    uint32_t baud_ = 0;
    unsigned headerLength_ = 0;
    unsigned lengthOffset_ = 0;
    int lengthAdjust_ = 0;
    bool startByteCheck_ = false;
    uint8_t startByte_ = 0;
    uint32_t savedReadTotalMs_ = 0;
    uint32_t readTotalMs_ = 0;
    QString lastOpenError_;
};

}  // namespace zerandi
