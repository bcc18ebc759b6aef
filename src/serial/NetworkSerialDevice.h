#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>
#include <cstdint>
#include <optional>

#include "serial/NetworkAddress.h"
#include "serial/Rfc2217Codec.h"
#include "serial/SerialDevice.h"

namespace zerandi {

// SerialDevice over a TCP connection to a serial device server, for "tcp://HOST:PORT" (the
// raw byte stream) and "rfc2217://HOST:PORT" (Telnet with COM port control, so that the line
// settings reach the far port). Used without an event loop: every wait on the socket is
// bounded. A connection that drops counts as a hang-up, as an unplugged adapter does.
class NetworkSerialDevice : public SerialDevice {
public:
    // A host that does not answer is given up after this long.
    static constexpr int kConnectTimeoutMs = 3000;
    // A write the network has not taken after this long is given up.
    static constexpr int kWriteTimeoutMs = 2000;

    NetworkSerialDevice() = default;
    ~NetworkSerialDevice() override;
    NetworkSerialDevice(const NetworkSerialDevice&) = delete;
    NetworkSerialDevice& operator=(const NetworkSerialDevice&) = delete;

    bool open(const QString& systemPath, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override;
    bool setReadTimeout(uint32_t milliseconds) override;
    std::optional<size_t> read(std::span<uint8_t> into) override;
    bool write(std::span<const uint8_t> bytes) override;
    bool hungUp() const override;
    QString lastErrorText() const override;

private:
    bool Connect(const NetworkAddress& address);
    bool SendRaw(const QByteArray& bytes);
    bool FillPending();
    void TakeReceived();
    bool Connected() const;
    void MarkHungUp();

    QTcpSocket socket_;
    std::optional<NetworkAddress> address_;
    Rfc2217Codec telnet_;
    QByteArray pending_;  // data bytes received but not read yet
    bool open_ = false;
    bool hungUp_ = false;
    uint32_t readTimeoutMs_ = 0;
    QString lastError_;
};

}  // namespace zerandi
