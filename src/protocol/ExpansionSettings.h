#pragma once

#include <cstdint>

namespace zerandi {

struct ExpansionSettings {
    static constexpr uint8_t kMaster = 0;
    static constexpr uint8_t kSlave = 1;
    static constexpr uint8_t kNone = 255;

    uint8_t mode = kNone;
    uint8_t index = 0;

    bool operator==(const ExpansionSettings&) const = default;
};

}  // namespace zerandi
