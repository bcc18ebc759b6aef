#include "config/ProtocolCapabilities.h"

#include <gtest/gtest.h>

namespace zerandi {
namespace {

struct CapabilityCase {
    int32_t protocol;
    int32_t row;  // protocol key of the row expected
    bool startupMode, baudRate, replyWhen, mainPort, auxPort, scrambleMap, rearDiag;
    int32_t levelRows;
    bool allColumns;
};

TEST(ProtocolCapabilitiesTest, RowByProtocol) {
    const CapabilityCase cases[] = {
        {255, 255, true, true, false, false, false, true, true, 4, true},
        {0, 255, true, true, false, false, false, true, true, 4, true},  // no row: first row
        {4, 255, true, true, false, false, false, true, true, 4, true},
        {-1, 255, true, true, false, false, false, true, true, 4, true},
        {9, 9, true, true, true, true, true, true, true, 4, true},
        {10, 10, false, false, false, false, false, false, true, 1, false},
        {1, 1, true, false, true, false, false, true, true, 4, true},
        {5, 5, true, false, true, false, false, false, true, 4, true},
        {6, 6, true, false, true, false, false, true, true, 4, true},
        {3, 3, true, false, false, false, false, true, true, 4, true},
        {7, 7, true, true, true, false, false, true, true, 4, true},
        {2, 2, true, true, true, false, false, true, true, 4, true},
        {8, 8, true, true, true, false, false, true, true, 4, true},
    };
    for (const CapabilityCase& c : cases) {
        SCOPED_TRACE(c.protocol);
        const ProtocolCapabilities& r = LookupProtocolCapabilities(c.protocol);
        EXPECT_EQ(ProtocolNumber(r.protocol), c.row);
        EXPECT_EQ(r.startupMode, c.startupMode);
        EXPECT_EQ(r.baudRate, c.baudRate);
        EXPECT_EQ(r.replyWhen, c.replyWhen);
        EXPECT_EQ(r.mainPort, c.mainPort);
        EXPECT_EQ(r.auxPort, c.auxPort);
        EXPECT_EQ(r.scrambleMap, c.scrambleMap);
        EXPECT_EQ(r.rearDiag, c.rearDiag);
        EXPECT_EQ(r.defaultBaudIndex, 2);
        EXPECT_EQ(r.levelRowCount, c.levelRows);
        for (std::size_t i = 0; i < kLevelColumnCount; ++i) {
            const bool expected = c.allColumns || i + 1 == kLevelColumnCount;
            EXPECT_EQ(r.HasColumn(static_cast<LevelColumn>(i)), expected) << "column " << i;
        }
    }
}

TEST(ProtocolCapabilitiesTest, SignalTypeIsTheLastColumn) {
    const ProtocolCapabilities& sms = LookupProtocolCapabilities(10);
    EXPECT_TRUE(sms.HasColumn(LevelColumn::SignalType));
    EXPECT_FALSE(sms.HasColumn(LevelColumn::Level));
    EXPECT_FALSE(sms.HasColumn(LevelColumn::DefaultInput));
}

}  // namespace
}  // namespace zerandi
