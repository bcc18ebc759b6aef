#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/ControlProtocol.h"

namespace zerandi {

// The columns of a level row, left to right.
enum class LevelColumn : std::size_t {
    Level,
    PhysicalInputStart,
    PhysicalInputEnd,
    ControllerInputStart,
    PhysicalOutputStart,
    PhysicalOutputEnd,
    ControllerOutputStart,
    DefaultInput,
    SignalType,
};
inline constexpr std::size_t kLevelColumnCount = 9;

// Which configuration settings apply to a router running a given control protocol.
struct ProtocolCapabilities {
    ControlProtocol protocol;
    bool startupMode;
    bool baudRate;
    bool replyWhen;
    bool mainPort;
    bool auxPort;
    bool scrambleMap;
    bool rearDiag;
    int32_t defaultBaudIndex;  // written when the baud rate does not apply
    int32_t levelRowCount;
    std::array<bool, kLevelColumnCount> levelColumns;

    bool HasColumn(LevelColumn column) const {
        return levelColumns[static_cast<std::size_t>(column)];
    }
};

// The row of the protocol (the last matching row); the first row, that of a protocol not
// known, when no row matches.
const ProtocolCapabilities& LookupProtocolCapabilities(int32_t protocol);

}  // namespace zerandi
