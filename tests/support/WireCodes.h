#pragma once

#include <cstdint>

// Codes of the router's protocol as a test looks for them among the frames the simulated
// router received, written from the wire rather than taken from the client's own tables.
namespace zerandi::test {

inline constexpr uint8_t kGetProductId = 0x10;
inline constexpr uint8_t kGetControlCardInfo = 0x13;
inline constexpr uint8_t kTake = 0x49;
inline constexpr uint8_t kResetRequest = 0x4E;
// The source word of a tri-state take.
inline constexpr uint16_t kTri = 0xF3F3;
// The part number of an extended control card.
inline constexpr uint16_t kExtendedCard = 263;

}  // namespace zerandi::test
