#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/GeneralHealthStatus.h"

namespace zerandi {

// The reference and clock check boxes of the status panel; which bit of the reply sets
// each one depends on the router model.
enum class ReferenceControl {
    VerticalRef1,
    VerticalRef2,
    AesRef1,
    AesRef2,
    Clock,  // "Clock Gen. Present" / "AES Ref. 1 Selected"
    Video,  // "Video Detect OK" / "Vert. Ref. 1 Selected"
    TwelveMHzClock,
};
inline constexpr size_t kReferenceControlCount = 7;

// What one general-health reply shows on the status panel, for the model it came from.
struct StatusPanelReading {
    static constexpr size_t kShownAlarms = 7;  // the eighth alarm bit has no meaning
    static constexpr int32_t kAesSyncSignalType = 2;

    std::array<bool, 8> powerSupplyPresent{};
    bool hasTemperatures = false;  // a short reply carries neither temperatures nor alarms
    std::array<bool, 8> powerSupplyTempOk{};
    QStringList alarmLines;
    // Only the controls the model's reference bits reach are set; the others keep their state.
    std::array<std::optional<bool>, kReferenceControlCount> references{};
    std::array<bool, 3> cpuHasReset{};  // DIAG, MTRX, COMM
    int cardState = 0;                  // 0 Active, 1 Standby, 2 Offline, 3 Ineligible
    bool thisCardHealthy = false;
    bool inPrimarySlot = false;
    bool otherCardHealthy = false;
    bool otherCardActive = false;
    QString auxDataLine;
    QString timestampLine;

    std::optional<bool> Reference(ReferenceControl control) const {
        return references.at(static_cast<size_t>(control));
    }

    // The names of the card states, in state order.
    static QStringList CardStateNames();

    static StatusPanelReading FromHealth(const GeneralHealthStatus& health, int32_t productId,
                                         int32_t firstLevelSignalType);
    // "Aux data: 00000001 10000000": most significant bit first, a blank after eight.
    static QString AuxDataLine(uint16_t auxData);
    static QStringList AlarmLines(const GeneralHealthStatus& health);
    // "Major" for the first alarm (index 0), up to the seventh.
    static QString AlarmName(size_t index);
    // One line per fan, in fan order: "Fan 1: OK", "Fan 2: Has Problem".
    static QStringList FanLines(std::span<const uint8_t> fans);
};

}  // namespace zerandi
