#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace zerandi {

// A serial line reached over the network through a device server: "tcp://HOST:PORT" for the
// raw byte stream, "rfc2217://HOST:PORT" for Telnet with COM port control.
class NetworkAddress {
public:
    enum class Mode { Raw, Rfc2217 };

    // Nothing unless the text is one of the two forms with a host and a port 1 to 65535.
    static std::optional<NetworkAddress> Parse(const QString& text);

    Mode LineMode() const { return mode_; }
    const QString& Host() const { return host_; }  // an IPv6 address without its brackets
    uint16_t Port() const { return port_; }
    QString ToString() const;

    bool operator==(const NetworkAddress&) const = default;

private:
    Mode mode_ = Mode::Raw;
    QString host_;
    uint16_t port_ = 0;
};

}  // namespace zerandi
