#pragma once

#include <memory>

#include "serial/SerialDevice.h"

namespace zerandi {

// The serial device for whatever a port is named: a network form (tcp://, rfc2217://) opens
// a NetworkSerialDevice, a device path the serial port itself. Each open chooses afresh.
class DispatchingSerialDevice : public SerialDevice {
public:
    DispatchingSerialDevice();
    ~DispatchingSerialDevice() override;
    DispatchingSerialDevice(const DispatchingSerialDevice&) = delete;
    DispatchingSerialDevice& operator=(const DispatchingSerialDevice&) = delete;

    bool open(const QString& systemPath, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    bool setReadTimeout(uint32_t milliseconds) override;
    std::optional<size_t> read(std::span<uint8_t> into) override;
    bool write(std::span<const uint8_t> bytes) override;
    bool hungUp() const override;
    QString lastErrorText() const override;
    QString lowLatencyText() const override { return active_->lowLatencyText(); }

private:
    std::unique_ptr<SerialDevice> serialPort_;
    std::unique_ptr<SerialDevice> network_;
    SerialDevice* active_;  // the one last opened
};

}  // namespace zerandi
