#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace zerandi {

// One Ethernet interface setting, as the router carries it in 10 bytes.
struct EthernetEntry {
    int32_t entryNumber = 0;
    int32_t enabled = 0;                 // 1 = enabled
    std::array<uint8_t, 4> ipAddress{};  // most significant first
    std::array<uint8_t, 4> subnetMask{};

    bool operator==(const EthernetEntry&) const = default;
};

// "10.0.0.1": an Ethernet address or mask as people read it and a backup file holds it.
inline QString EthernetAddressText(const std::array<uint8_t, 4>& address) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address[0])
        .arg(address[1])
        .arg(address[2])
        .arg(address[3]);
}

}  // namespace zerandi
