#pragma once

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QString>
#include <cstdint>

#include "serial/LowLatencyMode.h"
#include "serial/PortClaim.h"
#include "serial/SerialDevice.h"

namespace zerandi {

// SerialDevice over Qt's QSerialPort, used without an event loop during transfers:
// reads and writes wait on the port directly. A path starting with "/" (a USB adapter,
// a pseudo-terminal) is opened as it is.
//
// A port that another program holds is refused, and the holder named where the system tells.
// Where the driver has a low-latency mode it is set while the port is open.
//
// A port whose device went away is released at once, even while the event loop runs
// between transfers: Qt's read notifier would otherwise fire without end on the dead
// descriptor. The device still counts as open until close(), and reads and writes fail.
class QtSerialDevice : public SerialDevice {
public:
    // Writes are bounded by the line time of the bytes plus this much.
    static constexpr int kWriteSlackMs = 1000;
    static constexpr int kLineBitsPerByte = 10;  // start bit, 8 data bits, stop bit

    QtSerialDevice();
    ~QtSerialDevice() override;
    QtSerialDevice(const QtSerialDevice&) = delete;
    QtSerialDevice& operator=(const QtSerialDevice&) = delete;

    bool open(const QString& systemPath, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    bool setReadTimeout(uint32_t milliseconds) override;
    std::optional<size_t> read(std::span<uint8_t> into) override;
    bool write(std::span<const uint8_t> bytes) override;
    bool hungUp() const override;
    QString lastErrorText() const override;
    QString lowLatencyText() const override;

private:
    bool OpenClaimed(const QString& systemPath, const LineSettings& settings);
    bool ApplyLineSettings(const LineSettings& settings);
    bool WaitForData();
    bool AwaitWritable(const QDeadlineTimer& deadline);
    bool InputWaiting() const;
    int WriteBoundMs(size_t byteCount) const;
    void OnError(QSerialPort::SerialPortError error);
    void MarkHungUp();
    void ReleaseLater();

    QSerialPort port_;
    PortClaim claim_;
    LowLatencyMode lowLatency_;
    bool open_ = false;
    bool hungUp_ = false;
    uint32_t readTimeoutMs_ = 0;
    uint32_t baud_ = 0;
    uint64_t generation_ = 0;  // tells a queued release which opening it belongs to
    QString lastError_;
    QString lowLatencyText_;
};

}  // namespace zerandi
