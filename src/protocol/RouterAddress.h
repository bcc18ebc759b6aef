#pragma once

#include <array>
#include <cstdint>

namespace zerandi {

// The address bytes copied into every request; replies' address bytes are not examined.
struct RouterAddress {
    std::array<uint8_t, 4> bytes{0xFC, 0xFC, 0xFD, 0xFD};

    bool operator==(const RouterAddress&) const = default;
};

}  // namespace zerandi
