#pragma once

#include <array>
#include <cstdint>

namespace zerandi {

// One Ethernet interface setting, as the router carries it in 10 bytes.
struct EthernetEntry {
    int32_t entryNumber = 0;
    int32_t enabled = 0;                       // 1 = enabled
    std::array<uint8_t, 4> ipAddress{};        // most significant first
    std::array<uint8_t, 4> subnetMask{};

    bool operator==(const EthernetEntry&) const = default;
};

}  // namespace zerandi
