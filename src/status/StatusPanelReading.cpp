#include "status/StatusPanelReading.h"

#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

struct ReferenceBit {
    ReferenceControl control;
    unsigned bit;
    bool inverted;  // a clear bit checks the control
};

// Every model but the clock-generator one reads its references the same way.
constexpr std::array kCommonReferenceBits{
    ReferenceBit{ReferenceControl::VerticalRef2, 0, false},
    ReferenceBit{ReferenceControl::VerticalRef1, 1, false},
    ReferenceBit{ReferenceControl::Video, 2, true},
    ReferenceBit{ReferenceControl::TwelveMHzClock, 3, false},
    ReferenceBit{ReferenceControl::AesRef2, 4, false},
    ReferenceBit{ReferenceControl::AesRef1, 5, false},
    ReferenceBit{ReferenceControl::Clock, 6, true},
};

// On the clock-generator model the video detector's bit follows the first level's signal.
constexpr ReferenceBit kAesSyncVideoBit{ReferenceControl::Video, 5, true};
constexpr ReferenceBit kOtherVideoBit{ReferenceControl::Video, 6, false};

std::array<ReferenceBit, 3> ClockGeneratorBits(int32_t firstLevelSignalType) {
    return {ReferenceBit{ReferenceControl::Clock, 3, true},
            ReferenceBit{ReferenceControl::AesRef1, 4, true},
            firstLevelSignalType == StatusPanelReading::kAesSyncSignalType ? kAesSyncVideoBit
                                                                           : kOtherVideoBit};
}

template <size_t N>
void SetReferences(StatusPanelReading& reading, const GeneralHealthStatus& health,
                   const std::array<ReferenceBit, N>& bits) {
    for (const ReferenceBit& entry : bits) {
        reading.references.at(static_cast<size_t>(entry.control)) =
            health.ReferenceClockBit(entry.bit) != entry.inverted;
    }
}

const std::array<const char*, StatusPanelReading::kShownAlarms> kAlarmNames{
    "Major",
    "Minor",
    "Power Supply",
    "Video Ref",
    "AES Ref/Clock/Timecode",
    "Fans/Temperature",
    "Control Card Health",
};

}  // namespace

StatusPanelReading StatusPanelReading::FromHealth(const GeneralHealthStatus& health,
                                                  int32_t productId, int32_t firstLevelSignalType) {
    StatusPanelReading reading;
    reading.powerSupplyPresent = health.powerSupplyPresent;
    reading.hasTemperatures = health.hasAlarmsAndTemperatures;
    reading.powerSupplyTempOk = health.powerSupplyTempOk;
    reading.alarmLines = AlarmLines(health);
    if (ModelReferences(productId).clockGenerator) {
        SetReferences(reading, health, ClockGeneratorBits(firstLevelSignalType));
    } else {
        SetReferences(reading, health, kCommonReferenceBits);
    }
    reading.cpuHasReset = health.cpuHasReset;
    reading.cardState = health.cardState;
    reading.thisCardHealthy = health.thisCardHealthy;
    reading.inPrimarySlot = health.inPrimarySlot;
    reading.otherCardHealthy = health.otherCardHealthy;
    reading.otherCardActive = health.otherCardActive;
    reading.auxDataLine = AuxDataLine(health.auxData);
    reading.timestampLine = QStringLiteral("Last Timestamp: %1").arg(health.lastTimestamp);
    return reading;
}

QString StatusPanelReading::AuxDataLine(uint16_t auxData) {
    constexpr int kBits = 16;
    constexpr int kGroupBits = 8;
    QString line = QStringLiteral("Aux data: ");
    for (int bit = kBits - 1; bit >= 0; --bit) {
        line += ((auxData >> bit) & 1U) != 0 ? u'1' : u'0';
        if (bit == kGroupBits) {
            line += u' ';
        }
    }
    return line;
}

QStringList StatusPanelReading::AlarmLines(const GeneralHealthStatus& health) {
    QStringList lines;
    if (!health.hasAlarmsAndTemperatures) {
        return lines;
    }
    for (size_t i = 0; i < kShownAlarms; ++i) {
        const QString state = health.alarms.at(i) ? QStringLiteral("ON") : QStringLiteral("Off");
        lines << QStringLiteral("Alarm %1: %2 - %3").arg(i + 1).arg(state, AlarmName(i));
    }
    return lines;
}

QString StatusPanelReading::AlarmName(size_t index) {
    return QString::fromLatin1(kAlarmNames.at(index));
}

QStringList StatusPanelReading::FanLines(std::span<const uint8_t> fans) {
    QStringList lines;
    int number = 0;
    for (const uint8_t fan : fans) {
        lines << QStringLiteral("Fan %1: %2")
                     .arg(++number)
                     .arg(fan == 0 ? QStringLiteral("OK") : QStringLiteral("Has Problem"));
    }
    return lines;
}

QStringList StatusPanelReading::CardStateNames() {
    return {QStringLiteral("Active"), QStringLiteral("Standby"), QStringLiteral("Offline"),
            QStringLiteral("Ineligible")};
}

}  // namespace zerandi
