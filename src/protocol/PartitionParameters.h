#pragma once

#include <array>
#include <cstdint>

#include "protocol/RouterLevel.h"

namespace zerandi {

// The router's start-up and scramble-map switches and its levels (at most four).
struct PartitionParameters {
    static constexpr int32_t kMaxLevels = 4;

    bool startupFlag = false;
    bool scrambleMapEnabled = false;
    int32_t levelCount = 0;  // 0 to kMaxLevels: the levels in use, from the first
    std::array<RouterLevel, kMaxLevels> levels{};

    bool operator==(const PartitionParameters&) const = default;
};

}  // namespace zerandi
