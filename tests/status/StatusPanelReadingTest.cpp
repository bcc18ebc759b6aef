#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/ReplyDecoders.h"
#include "protocol/RouterCommands.h"
#include "protocol/TestFrames.h"
#include "status/StatusPanelLayout.h"
#include "status/StatusPanelReading.h"
#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

using RC = ReferenceControl;
using References = std::array<std::optional<bool>, kReferenceControlCount>;

constexpr uint8_t kShortLength = 11;
constexpr uint8_t kLongLength = 13;
constexpr int32_t kUnknownModel = 200;

// A general-health reply of the given length byte (11: without temperatures).
RouterMessage HealthReply(uint8_t length, uint8_t references, uint8_t alarms = 0xFF,
                          uint8_t temperatures = 0x0F) {
    std::vector<uint8_t> data{command::kSubGeneralHealth, 0xA0, references, 0x4A};
    PutWord(data, 54321);
    data.push_back(0x05);
    PutWord(data, 0x0180);
    data.push_back(alarms);
    data.push_back(temperatures);
    data.resize(length - 1U);
    return ReplyFrame(command::ReplyTo(command::kGetStatus), data);
}

StatusPanelReading Read(uint8_t length, int32_t productId, uint8_t references,
                        int32_t signalType = 0) {
    GeneralHealthStatus health;
    EXPECT_EQ(DecodeGeneralHealth(HealthReply(length, references), health), CommResult::Success);
    return StatusPanelReading::FromHealth(health, productId, signalType);
}

TEST(StatusPanelReading, ReferenceBitsFollowTheModelAndTheInvertedRows) {
    struct Case {
        const char* what;
        int32_t productId;
        int32_t signalType;
        uint8_t references;
        References expected;  // VertRef1, VertRef2, AesRef1, AesRef2, Clock, Video, 12 MHz
    };
    const std::optional<bool> kUntouched;
    const Case cases[] = {
        {"12, all bits clear: the inverted rows are checked",
         12,
         0,
         0x00,
         {kUntouched, kUntouched, true, kUntouched, true, false, kUntouched}},
        {"12, all bits set",
         12,
         0,
         0x7F,
         {kUntouched, kUntouched, false, kUntouched, false, true, kUntouched}},
        {"12 with AES sync on level 1: video from bit 5, inverted",
         12,
         2,
         0x40,
         {kUntouched, kUntouched, true, kUntouched, true, true, kUntouched}},
        {"12 with AES sync, bit 5 set",
         12,
         2,
         0x20,
         {kUntouched, kUntouched, true, kUntouched, true, false, kUntouched}},
        {"28, vertical ref 1 (bit 1) and 12 MHz (bit 3)",
         28,
         0,
         0x0A,
         {true, false, false, false, true, true, true}},
        {"64, bits 0, 2, 4 and 6", 64, 0, 0x55, {false, true, false, true, false, false, false}},
        {"unknown model, AES ref 1 (bit 5)",
         kUnknownModel,
         0,
         0x20,
         {false, false, true, false, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Read(kLongLength, c.productId, c.references, c.signalType).references,
                  c.expected);
    }
}

TEST(StatusPanelReading, ShortReplyHasNoAlarmsNorTemperatures) {
    for (const int32_t productId : {12, 28, 64, kUnknownModel}) {
        SCOPED_TRACE(productId);
        const StatusPanelReading shortReading = Read(kShortLength, productId, 0);
        EXPECT_FALSE(shortReading.hasTemperatures);
        EXPECT_TRUE(shortReading.alarmLines.isEmpty());
        EXPECT_EQ(shortReading.timestampLine, QStringLiteral("Last Timestamp: 54321"));
        EXPECT_EQ(shortReading.auxDataLine, QStringLiteral("Aux data: 00000001 10000000"));
        EXPECT_EQ(shortReading.powerSupplyPresent,
                  (std::array<bool, 8>{true, false, true, false, false, false, false, false}));

        const StatusPanelReading longReading = Read(kLongLength, productId, 0);
        EXPECT_TRUE(longReading.hasTemperatures);
        EXPECT_EQ(longReading.powerSupplyTempOk,
                  (std::array<bool, 8>{true, true, true, true, false, false, false, false}));
        EXPECT_EQ(longReading.alarmLines.size(), 7) << "the eighth alarm bit is never shown";
    }
}

TEST(StatusPanelReading, CardAndResetFlags) {
    const StatusPanelReading reading = Read(kLongLength, 28, 0);
    EXPECT_EQ(reading.cpuHasReset, (std::array<bool, 3>{true, false, true}));  // byte 0xA0
    // Card byte 0x4A: state 2 (Offline), healthy, in the primary slot.
    EXPECT_EQ(reading.cardState, 2);
    EXPECT_TRUE(reading.thisCardHealthy);
    EXPECT_FALSE(reading.otherCardHealthy);
    EXPECT_TRUE(reading.inPrimarySlot);
    EXPECT_FALSE(reading.otherCardActive);
}

TEST(StatusPanelReading, AlarmLinesNameEachAlarm) {
    GeneralHealthStatus health;
    ASSERT_EQ(DecodeGeneralHealth(HealthReply(kLongLength, 0, 0x81), health), CommResult::Success);
    EXPECT_EQ(
        StatusPanelReading::AlarmLines(health),
        (QStringList{"Alarm 1: ON - Major", "Alarm 2: Off - Minor", "Alarm 3: Off - Power Supply",
                     "Alarm 4: Off - Video Ref", "Alarm 5: Off - AES Ref/Clock/Timecode",
                     "Alarm 6: Off - Fans/Temperature", "Alarm 7: Off - Control Card Health"}));
}

TEST(StatusPanelReading, AuxDataAndFanLines) {
    EXPECT_EQ(StatusPanelReading::AuxDataLine(0x0000), "Aux data: 00000000 00000000");
    EXPECT_EQ(StatusPanelReading::AuxDataLine(0x8001), "Aux data: 10000000 00000001");
    const std::vector<uint8_t> fans{0, 3, 0xFF};
    EXPECT_EQ(StatusPanelReading::FanLines(fans),
              (QStringList{"Fan 1: OK", "Fan 2: Has Problem", "Fan 3: Has Problem"}));
    EXPECT_TRUE(StatusPanelReading::FanLines({}).isEmpty());
}

TEST(StatusPanelLayout, VisibilityByModelAndCard) {
    struct Case {
        int32_t productId;
        int32_t powerSupplies;
        bool extended;
        int supplyColumns;  // visible presence columns
        int temperatureColumns;
        bool verticalRef, aesLabel, aes1, aes2, mhz, clock, video;
        const char* videoLabel;
        const char* clockLabel;
    };
    const Case cases[] = {
        {12, 2, false, 2, 0, false, true, true, false, false, true, true, "Video Detect OK",
         "Clock Gen. Present"},
        {28, 4, true, 4, 4, true, false, false, false, false, false, true, "Vert. Ref. 1 Selected",
         "Clock Gen. Present"},
        {56, 8, false, 8, 0, true, false, false, false, false, false, true, "Vert. Ref. 1 Selected",
         "Clock Gen. Present"},
        {64, 3, true, 3, 3, true, true, true, true, true, true, true, "Vert. Ref. 1 Selected",
         "AES Ref. 1 Selected"},
        {99, 1, false, 1, 0, true, true, true, true, false, false, false, "Video Detect OK",
         "Clock Gen. Present"},
        {kUnknownModel, 0, true, 1, 1, true, false, false, false, false, false, false,
         "Video Detect OK", "Clock Gen. Present"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.productId);
        const StatusPanelLayout layout =
            StatusPanelLayout::For(c.productId, c.powerSupplies, c.extended);
        EXPECT_EQ(std::count(layout.supplyPresentColumns.begin(), layout.supplyPresentColumns.end(),
                             true),
                  c.supplyColumns);
        EXPECT_TRUE(layout.supplyPresentColumns.front());
        EXPECT_EQ(
            std::count(layout.temperatureColumns.begin(), layout.temperatureColumns.end(), true),
            c.temperatureColumns);
        EXPECT_EQ(layout.temperatureRow, c.extended);
        EXPECT_EQ(layout.cpuResetNames, !c.extended);
        EXPECT_EQ(layout.verticalRef, c.verticalRef);
        EXPECT_EQ(layout.aesRefLabel, c.aesLabel);
        EXPECT_EQ(layout.aesRef1, c.aes1);
        EXPECT_EQ(layout.aesRef2, c.aes2);
        EXPECT_EQ(layout.twelveMHzClock, c.mhz);
        EXPECT_EQ(layout.clock, c.clock);
        EXPECT_EQ(layout.video, c.video);
        EXPECT_EQ(layout.videoLabel, QString::fromLatin1(c.videoLabel));
        EXPECT_EQ(layout.clockLabel, QString::fromLatin1(c.clockLabel));
    }
}

}  // namespace
}  // namespace zerandi::test
