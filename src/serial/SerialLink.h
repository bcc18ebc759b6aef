#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
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

    SerialLink(std::unique_ptr<SerialDevice> device, Clock& clock);
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
    virtual bool Send(std::span<const uint8_t> bytes);
    virtual bool ReceiveBytesTimed(std::span<uint8_t> buffer, size_t& received, uint32_t timeoutMs,
                                   bool log);
    virtual bool ReceiveBytes(std::span<uint8_t> buffer, size_t& received, bool log);
    virtual bool Flush(uint32_t timeoutMs);
    virtual bool Reopen(const PortChoice& port, uint32_t baud, int dataBits, StopBits stopBits,
                        Parity parity, uint32_t readTimeoutMs);
    virtual bool WriteBytes(std::span<const uint8_t> bytes);
    virtual void LogMessage(CommLog::Direction direction, std::span<const uint8_t> bytes);
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

protected:
    void SetStartByteCheck(bool on, uint8_t startByte);
    Clock& LinkClock() { return clock_; }

private:
    // ... state of the link: see SerialLink.cpp
    std::unique_ptr<SerialDevice> device_;
    Clock& clock_;
    CommLog log_;
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
};

}  // namespace zerandi
