#pragma once

#include <array>
#include <cstdint>

namespace zerandi {

// The router's general health as one status read reports it. Bit lists are taken
// least significant bit first: element i is bit i.
struct GeneralHealthStatus {
    // First status byte, bits 0-4; their meaning is not shown anywhere.
    std::array<bool, 5> otherStatusFlags{};
    // First status byte, bits 5-7: the DIAG, MTRX and COMM processors have reset.
    std::array<bool, 3> cpuHasReset{};
    // Reference and clock inputs, bits 0-6; their meaning depends on the router model.
    uint8_t referenceClockBits = 0;
    // This card's state: 0 Active, 1 Standby, 2 Offline, 3 Ineligible.
    uint8_t cardState = 0;
    bool thisCardHealthy = false;
    bool otherCardHealthy = false;
    bool inPrimarySlot = false;
    bool otherCardActive = false;
    uint16_t lastTimestamp = 0;
    std::array<bool, 8> powerSupplyPresent{};  // element i: power supply i + 1
    uint16_t auxData = 0;
    // Longer replies also carry the alarms and the power-supply temperatures;
    // without them both lists are empty.
    bool hasAlarmsAndTemperatures = false;
    std::array<bool, 8> alarms{};             // element i: alarm i + 1
    std::array<bool, 8> powerSupplyTempOk{};  // element i: power supply i + 1

    bool ReferenceClockBit(unsigned bit) const { return ((referenceClockBits >> bit) & 1U) != 0; }

    bool operator==(const GeneralHealthStatus&) const = default;
};

}  // namespace zerandi
