#pragma once

#include <cstdint>

namespace zerandi {

// The source number that stands for a disconnected (tri-stated) output.
inline constexpr int32_t TriStateSource = 0xF3F3;

// One level of the router, in the order the router's partition records carry it.
struct RouterLevel {
    static constexpr int32_t kNoLevel = 255;

    int32_t level = kNoLevel;
    int32_t physicalInputStart = 0;
    int32_t physicalInputEnd = 0;
    int32_t controllerInputStart = 0;
    int32_t defaultInput = 0;
    int32_t physicalOutputStart = 0;
    int32_t physicalOutputEnd = 0;
    int32_t controllerOutputStart = 0;
    int32_t signalType = 0;

    bool operator==(const RouterLevel&) const = default;
};

}  // namespace zerandi
