#include "serial/DispatchingSerialDevice.h"

#include "serial/NetworkAddress.h"
#include "serial/NetworkSerialDevice.h"
#include "serial/QtSerialDevice.h"

namespace zerandi {

DispatchingSerialDevice::DispatchingSerialDevice()
    : serialPort_(std::make_unique<QtSerialDevice>()),
      network_(std::make_unique<NetworkSerialDevice>()),
      active_(serialPort_.get()) {}

DispatchingSerialDevice::~DispatchingSerialDevice() = default;

bool DispatchingSerialDevice::open(const QString& systemPath, const LineSettings& settings) {
    active_->close();
    active_ = NetworkAddress::Parse(systemPath) ? network_.get() : serialPort_.get();
    return active_->open(systemPath, settings);
}

void DispatchingSerialDevice::close() {
    active_->close();
}

bool DispatchingSerialDevice::isOpen() const {
    return active_->isOpen();
}

bool DispatchingSerialDevice::setReadTimeout(uint32_t milliseconds) {
    return active_->setReadTimeout(milliseconds);
}

std::optional<size_t> DispatchingSerialDevice::read(std::span<uint8_t> into) {
    return active_->read(into);
}

bool DispatchingSerialDevice::write(std::span<const uint8_t> bytes) {
    return active_->write(bytes);
}

bool DispatchingSerialDevice::hungUp() const {
    return active_->hungUp();
}

QString DispatchingSerialDevice::lastErrorText() const {
    return active_->lastErrorText();
}

}  // namespace zerandi
