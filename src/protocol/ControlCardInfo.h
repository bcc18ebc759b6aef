#pragma once

#include <cstdint>

namespace zerandi {

// Identity of the router's control card; -1 where not known.
struct ControlCardInfo {
    int32_t partNumber = -1;
    int32_t identity1 = -1;
    int32_t identity2 = -1;
    int32_t identity3 = -1;

    // The cards on which the views offer their additional functions.
    bool IsExtendedControlCard() const {
        return partNumber == 263 || partNumber == 353 || partNumber == 374;
    }
    bool operator==(const ControlCardInfo&) const = default;
};

}  // namespace zerandi
