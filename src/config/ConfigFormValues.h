#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace zerandi {

// What the user has chosen in the configuration form when "Write All" is pressed.
// A selection is -1 when its list has none.
struct ConfigFormValues {
    int startupSelection = -1;
    int scrambleSelection = -1;
    std::optional<int> cardAddress;  // nothing when the edit is empty
    int baudSelection = -1;
    int replyWhenSelection = -1;
    int mainPortSelection = -1;
    int auxPortSelection = -1;
    int rearDiagSelection = -1;
    bool ethernetEnabledChecked = false;
    std::array<uint8_t, 4> ipAddress{};
    std::array<uint8_t, 4> subnetMask{};
    bool masterChecked = false;
    bool slaveChecked = false;
    std::optional<int> expansionIndex;  // nothing when the edit is empty
};

}  // namespace zerandi
