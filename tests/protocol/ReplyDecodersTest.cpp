#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "protocol/ReplyDecoders.h"
#include "protocol/TestFrames.h"

namespace zerandi::test {
namespace {

constexpr uint8_t kPoison = 0xEE;

std::vector<uint8_t> VersionRecordBytes(uint8_t type, uint8_t kind, const std::string& name,
                                        const std::string& part, std::array<uint16_t, 4> numbers,
                                        const std::string& description, bool terminated = true) {
    std::vector<uint8_t> bytes = {type, kind};
    for (size_t i = 0; i < 16; ++i) {
        bytes.push_back(i < name.size() ? static_cast<uint8_t>(name[i]) : 0);
    }
    for (size_t i = 0; i < 4; ++i) {
        bytes.push_back(i < part.size() ? static_cast<uint8_t>(part[i]) : 0);
    }
    for (const uint16_t number : numbers) {
        PutWord(bytes, number);
    }
    bytes.insert(bytes.end(), description.begin(), description.end());
    if (terminated) {
        bytes.push_back(0);
    }
    return bytes;
}

// A 0x95 reply: more flag, status 0, then the records.
RouterMessage VersionReply(const std::vector<std::vector<uint8_t>>& records) {
    std::vector<uint8_t> data = {0, 0};
    for (const auto& record : records) {
        data.insert(data.end(), record.begin(), record.end());
    }
    RouterMessage reply = ReplyFrame(0x95, data);
    PoisonBeyondFrame(reply, kPoison);
    return reply;
}

TEST(VersionRecordsTest, DecodesEveryFieldOfEachRecord) {
    const RouterMessage reply = VersionReply({
        VersionRecordBytes(1, 1, "SIXTEEN-CHAR-NAM", "B", {2, 10, 3, 9}, "main image"),
        VersionRecordBytes(16, 0, "PLD", "", {1, 0, 0, 0}, ""),
    });
    std::vector<SoftwareVersion> versions(1);  // records are appended
    ASSERT_EQ(DecodeVersionRecords(reply, versions), CommResult::Success);
    ASSERT_EQ(versions.size(), 3u);

    EXPECT_EQ(versions[1],
              (SoftwareVersion{1, 1, "SIXTEEN-CHAR-NAM", "B", 2, 10, 3, 9, "main image"}));
    EXPECT_EQ(versions[2], (SoftwareVersion{16, 0, "PLD", "", 1, 0, 0, 0, ""}));
}

TEST(VersionRecordsTest, ADescriptionWithoutItsNulIsCutAtTheFrameEnd) {
    const RouterMessage reply =
        VersionReply({VersionRecordBytes(2, 0, "COMM", "A", {1, 2, 3, 4}, "cut", false)});
    std::vector<SoftwareVersion> versions;
    ASSERT_EQ(DecodeVersionRecords(reply, versions), CommResult::Success);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].description, "cut");
}

TEST(VersionRecordsTest, ATailShorterThanARecordIsNotARecord) {
    std::vector<uint8_t> partial = VersionRecordBytes(2, 0, "COMM", "", {1, 2, 3, 4}, "");
    partial.resize(29);
    const RouterMessage reply = VersionReply({partial});
    std::vector<SoftwareVersion> versions;
    EXPECT_EQ(DecodeVersionRecords(reply, versions), CommResult::Success);
    EXPECT_TRUE(versions.empty());
}

TEST(VersionRecordsTest, AReplyTooShortForItsHeaderIsACountError) {
    RouterMessage reply = ReplyFrame(0x95, {0});
    std::vector<SoftwareVersion> versions;
    EXPECT_EQ(DecodeVersionRecords(reply, versions), CommResult::CountError);
}

std::vector<uint8_t> SummaryEntry(uint8_t type, uint8_t kind, uint16_t number,
                                  std::array<uint8_t, 3> version) {
    std::vector<uint8_t> bytes = {type, kind};
    PutWord(bytes, number);
    bytes.insert(bytes.end(), version.begin(), version.end());
    return bytes;
}

TEST(VersionSummaryTest, AddsOnlyComponentsNotYetListedWithTheirNames) {
    std::vector<uint8_t> data = SummaryEntry(1, 1, 123, {2, 10, 3});
    const auto known = SummaryEntry(0, 0, 7, {9, 9, 9});
    data.insert(data.end(), known.begin(), known.end());
    data.push_back(5);  // the start of an entry that the reply does not hold in full
    RouterMessage reply = ReplyFrame(0x91, data);
    PoisonBeyondFrame(reply, kPoison);

    std::vector<SoftwareVersion> versions(1);  // component 0/0 is known already
    versions[0].name = "known";
    ASSERT_EQ(DecodeVersionSummary(reply, versions), CommResult::Success);
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].name, "known");
    EXPECT_EQ(versions[1], (SoftwareVersion{1, 1, "SV0123-021003", "", 2, 10, 3, 0, ""}));
}

TEST(TakeEchoTest, EveryEchoedFieldIsCompared) {
    struct Case {
        std::vector<uint8_t> data;
        CommResult result;
    };
    const std::vector<Case> cases = {
        {{0, 0x00, 0x0C, 0x00, 0x07}, CommResult::Success},
        {{1, 0x00, 0x0C, 0x00, 0x07}, CommResult::ReplyMismatch},
        {{0, 0x01, 0x0C, 0x00, 0x07}, CommResult::ReplyMismatch},
        {{0, 0x00, 0x0C, 0x00, 0x08}, CommResult::ReplyMismatch},
        {{0, 0x00, 0x0C, 0x00, 0x07, 0x12, 0x34}, CommResult::Success},  // a timed take's echo
        {{0, 0x00, 0x0C, 0x00}, CommResult::ReplyMismatch},              // the rest would be 0x07
        {{}, CommResult::ReplyMismatch},
    };
    for (const Case& c : cases) {
        RouterMessage reply = ReplyFrame(0xC9, c.data);
        PoisonBeyondFrame(reply, 0x07);
        EXPECT_EQ(CheckTakeEcho(reply, 0, 12, 7), c.result) << c.data.size();
    }
}

RouterMessage CrosspointReply(uint16_t start, uint16_t count, std::vector<uint16_t> sources) {
    std::vector<uint8_t> data = {0};
    PutWord(data, start);
    data.push_back(static_cast<uint8_t>(count));
    for (const uint16_t source : sources) {
        PutWord(data, source);
    }
    return ReplyFrame(0xCA, data);
}

TEST(CrosspointBlockTest, StoresTheBlockAtItsPlace) {
    std::vector<int32_t> table(6, -1);
    ASSERT_EQ(DecodeCrosspointBlock(CrosspointReply(12, 3, {5, 0xF3F3, 9}), 12, 3, 10, table),
              CommResult::Success);
    EXPECT_EQ(table, (std::vector<int32_t>{-1, -1, 5, 0xF3F3, 9, -1}));
}

TEST(CrosspointBlockTest, ABlockThatDoesNotAnswerTheRequestIsAMismatch) {
    struct Case {
        RouterMessage reply;
        const char* what;
    };
    const std::vector<Case> cases = {
        {CrosspointReply(13, 3, {5, 6, 7}), "other start"},
        {CrosspointReply(12, 3, {5, 6}), "fewer entries"},
        {CrosspointReply(12, 3, {5, 6, 7, 8}), "more entries"},
        {ReplyFrame(0xCA, {0}), "no start word"},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> table(6, -1);
        EXPECT_EQ(DecodeCrosspointBlock(c.reply, 12, 3, 10, table), CommResult::ReplyMismatch)
            << c.what;
        EXPECT_EQ(table, std::vector<int32_t>(6, -1)) << c.what;
    }
}

RouterMessage PortTypeReply(uint16_t start, uint8_t count, std::vector<uint8_t> types) {
    std::vector<uint8_t> data = {0, 1, 7};  // more, flag, value
    PutWord(data, start);
    data.push_back(count);
    data.insert(data.end(), types.begin(), types.end());
    RouterMessage reply = ReplyFrame(0xC8, data);
    PoisonBeyondFrame(reply, kPoison);
    return reply;
}

// A table of `size` port types inside a larger buffer whose guard bytes must stay untouched.
struct GuardedTable {
    static constexpr uint8_t kGuard = 0xAA;
    explicit GuardedTable(size_t size) : storage(size + 8, kGuard), table(storage.data(), size) {
        std::fill(table.begin(), table.end(), 0);
    }
    bool GuardIntact() const {
        return std::all_of(storage.begin() + static_cast<long>(table.size()), storage.end(),
                           [](uint8_t b) { return b == kGuard; });
    }
    std::vector<uint8_t> storage;
    std::span<uint8_t> table;
};

TEST(PortTypeBlockTest, StoresPortsAndTheFlagAndValue) {
    GuardedTable ports(8);
    bool flag = false;
    uint8_t value = 0;
    bool tooMany = false;
    ASSERT_EQ(
        DecodePortTypeBlock(PortTypeReply(2, 3, {4, 5, 6}), flag, value, ports.table, tooMany),
        CommResult::Success);
    EXPECT_TRUE(flag);
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(tooMany);
    EXPECT_EQ(std::vector<uint8_t>(ports.table.begin(), ports.table.end()),
              (std::vector<uint8_t>{0, 0, 4, 5, 6, 0, 0, 0}));
}

TEST(PortTypeBlockTest, PortsBeyondTheTableEndTheReadWithoutWritingOutside) {
    GuardedTable ports(8);
    bool flag = false;
    uint8_t value = 0;
    bool tooMany = false;
    ASSERT_EQ(
        DecodePortTypeBlock(PortTypeReply(6, 4, {1, 2, 3, 4}), flag, value, ports.table, tooMany),
        CommResult::Success);
    EXPECT_TRUE(tooMany);
    EXPECT_EQ(ports.table[6], 1);
    EXPECT_EQ(ports.table[7], 2);
    EXPECT_TRUE(ports.GuardIntact());
}

TEST(PortTypeBlockTest, ACountBeyondTheFrameIsACountErrorAndWritesNothing) {
    GuardedTable ports(300);
    bool flag = false;
    uint8_t value = 0;
    bool tooMany = false;
    EXPECT_EQ(
        DecodePortTypeBlock(PortTypeReply(0, 200, {1, 2, 3}), flag, value, ports.table, tooMany),
        CommResult::CountError);
    EXPECT_FALSE(flag);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(
        std::all_of(ports.table.begin(), ports.table.end(), [](uint8_t b) { return b == 0; }));
}

RouterMessage ScrambleReply(uint8_t bank, uint16_t start,
                            std::vector<std::pair<uint16_t, uint16_t>> entries,
                            int claimedCount = -1) {
    std::vector<uint8_t> data = {bank, 0};
    PutWord(data, start);
    data.push_back(static_cast<uint8_t>(claimedCount < 0 ? entries.size() : claimedCount));
    for (const auto& [a, b] : entries) {
        PutWord(data, a);
        PutWord(data, b);
    }
    RouterMessage reply = ReplyFrame(0xC6, data);
    PoisonBeyondFrame(reply, kPoison);
    return reply;
}

TEST(ScrambleBlockTest, BanksGoToTheirTables) {
    ScrambleTableWords table{};
    ASSERT_EQ(DecodeScrambleBlock(ScrambleReply(1, 10, {{100, 200}, {101, 201}}), table),
              CommResult::Success);
    ASSERT_EQ(DecodeScrambleBlock(ScrambleReply(2, 10, {{300, 400}}), table), CommResult::Success);
    ASSERT_EQ(DecodeScrambleBlock(ScrambleReply(7, 0, {{500, 600}}), table),
              CommResult::Success);  // any bank but 1 is bank 2
    EXPECT_EQ(table[10], 100);
    EXPECT_EQ(table[11], 101);
    EXPECT_EQ(table[256 + 10], 200);
    EXPECT_EQ(table[256 + 11], 201);
    EXPECT_EQ(table[512 + 10], 300);
    EXPECT_EQ(table[768 + 10], 400);
    EXPECT_EQ(table[512], 500);
    EXPECT_EQ(table[768], 600);
}

TEST(ScrambleBlockTest, EntriesBeyondTheBankAreDropped) {
    ScrambleTableWords table{};
    std::vector<std::pair<uint16_t, uint16_t>> entries;
    for (uint16_t i = 0; i < 4; ++i) {
        entries.push_back({static_cast<uint16_t>(1000 + i), static_cast<uint16_t>(2000 + i)});
    }
    ASSERT_EQ(DecodeScrambleBlock(ScrambleReply(1, 254, entries), table), CommResult::Success);
    ASSERT_EQ(DecodeScrambleBlock(ScrambleReply(2, 0xFFFE, entries), table), CommResult::Success);

    ScrambleTableWords expected{};
    expected[254] = 1000;
    expected[255] = 1001;
    expected[256 + 254] = 2000;
    expected[256 + 255] = 2001;
    EXPECT_EQ(table, expected);
}

TEST(ScrambleBlockTest, ACountBeyondTheFrameIsACountErrorAndWritesNothing) {
    ScrambleTableWords table{};
    EXPECT_EQ(DecodeScrambleBlock(ScrambleReply(1, 0, {{1, 2}, {3, 4}}, 3), table),
              CommResult::CountError);
    EXPECT_EQ(table, ScrambleTableWords{});
}

std::vector<uint8_t> LevelRecord(uint8_t level, uint8_t signalType, uint16_t base) {
    std::vector<uint8_t> bytes = {signalType, level};
    for (uint16_t i = 0; i < 7; ++i) {
        PutWord(bytes, static_cast<uint16_t>(base + i));
    }
    return bytes;
}

RouterMessage PartitionReply(uint8_t count, int records) {
    std::vector<uint8_t> data = {1, 0, count};
    for (int i = 0; i < records; ++i) {
        const auto record = LevelRecord(static_cast<uint8_t>(i), 2, static_cast<uint16_t>(i * 10));
        data.insert(data.end(), record.begin(), record.end());
    }
    RouterMessage reply = ReplyFrame(0xC7, data);
    PoisonBeyondFrame(reply, kPoison);
    return reply;
}

TEST(PartitionTest, DecodesLevelRecords) {
    PartitionParameters params;
    ASSERT_EQ(DecodePartitionParameters(PartitionReply(2, 2), params), CommResult::Success);
    EXPECT_TRUE(params.startupFlag);
    EXPECT_FALSE(params.scrambleMapEnabled);
    EXPECT_EQ(params.levelCount, 2);
    const RouterLevel expected{1, 10, 11, 12, 13, 14, 15, 16, 2};
    EXPECT_EQ(params.levels[1], expected);
    EXPECT_EQ(params.levels[2], RouterLevel{});
}

TEST(PartitionTest, KeepsAtMostFourLevels) {
    PartitionParameters params;
    ASSERT_EQ(DecodePartitionParameters(PartitionReply(6, 6), params), CommResult::Success);
    EXPECT_EQ(params.levelCount, 4);
    EXPECT_EQ(params.levels[3].level, 3);
}

TEST(PartitionTest, ACountBeyondTheFrameIsACountErrorAndChangesNothing) {
    PartitionParameters params;
    EXPECT_EQ(DecodePartitionParameters(PartitionReply(3, 2), params), CommResult::CountError);
    EXPECT_EQ(params, PartitionParameters{});
}

TEST(SerialParametersTest, DecodesAndLeavesTheCarriedValuesAlone) {
    struct Case {
        uint8_t flags;
        bool main;
        bool auxiliary;
    };
    for (const Case& c : std::vector<Case>{
             {0, true, false}, {1, true, true}, {2, false, false}, {3, false, true}}) {
        SerialCommParameters params;
        params.secondBaudIndex = 4;
        params.secondReplyWhen = 5;
        params.value6 = 6;
        const RouterMessage reply = ReplyFrame(0xC5, {9, 2, 3, 7, c.flags, 0, 0, 0, 0, 8});
        ASSERT_EQ(DecodeSerialCommParameters(reply, params), CommResult::Success);
        const SerialCommParameters expected{c.main, 9, 7, 2, 3, c.auxiliary, 4, 5, 6, 8};
        EXPECT_EQ(params, expected) << int(c.flags);
    }
}

TEST(SerialParametersTest, AShortReplyIsACountError) {
    SerialCommParameters params;
    EXPECT_EQ(DecodeSerialCommParameters(ReplyFrame(0xC5, {9, 2, 3, 7, 0}), params),
              CommResult::CountError);
    EXPECT_EQ(params, SerialCommParameters{});
}

RouterMessage EthernetReply(uint8_t tag, size_t dataSize) {
    std::vector<uint8_t> data = {tag};
    for (size_t i = 1; i < dataSize; ++i) {
        data.push_back(static_cast<uint8_t>(i));
    }
    RouterMessage reply = ReplyFrame(0xC5, data);
    PoisonBeyondFrame(reply, kPoison);
    return reply;
}

TEST(EthernetTest, TakesTheEntriesWhollyInsideTheReply) {
    struct Case {
        size_t dataSize;  // length byte - 1
        CommResult result;
        size_t entries;
    };
    const std::vector<Case> cases = {
        {15, CommResult::CountError, 0}, {16, CommResult::Success, 1},
        {20, CommResult::Success, 1},    {21, CommResult::Success, 2},
        {31, CommResult::Success, 2},    {32, CommResult::CountError, 0},
    };
    for (const Case& c : cases) {
        std::vector<EthernetEntry> entries(5);
        EXPECT_EQ(DecodeEthernetEntries(EthernetReply(0x83, c.dataSize), entries), c.result)
            << c.dataSize;
        EXPECT_EQ(entries.size(), c.result == CommResult::Success ? c.entries : 5u) << c.dataSize;
    }
    std::vector<EthernetEntry> entries;
    ASSERT_EQ(DecodeEthernetEntries(EthernetReply(0x83, 21), entries), CommResult::Success);
    const EthernetEntry second{11, 12, {13, 14, 15, 16}, {17, 18, 19, 20}};
    EXPECT_EQ(entries[1], second);
}

TEST(EthernetTest, AnotherSubCommandIsAMismatch) {
    std::vector<EthernetEntry> entries;
    EXPECT_EQ(DecodeEthernetEntries(EthernetReply(0x03, 21), entries), CommResult::ReplyMismatch);
}

TEST(ExpansionTest, LengthAndTagAreChecked) {
    struct Case {
        std::vector<uint8_t> data;
        CommResult result;
    };
    const std::vector<Case> cases = {
        {{0x10, 1, 3, 0, 0}, CommResult::Success},
        {{0x10, 1, 3, 0}, CommResult::CountError},
        {{0x10, 1, 3, 0, 0, 0}, CommResult::CountError},
        {{0x11, 1, 3, 0, 0}, CommResult::ReplyMismatch},
    };
    for (const Case& c : cases) {
        ExpansionSettings settings;
        EXPECT_EQ(DecodeExpansionSettings(ReplyFrame(0xCF, c.data), settings), c.result);
        const ExpansionSettings expected =
            c.result == CommResult::Success ? ExpansionSettings{1, 3} : ExpansionSettings{};
        EXPECT_EQ(settings, expected);
    }
}

TEST(ControlCardInfoTest, FieldsFollowTheReplyLength) {
    struct Case {
        std::vector<uint8_t> data;
        CommResult result;
        ControlCardInfo info;
    };
    const std::vector<Case> cases = {
        {{0x01}, CommResult::ReplyMismatch, {7, 7, 7, 7}},
        {{0x01, 0x07}, CommResult::Success, {263, -1, -1, -1}},
        {{0x01, 0x07, 5}, CommResult::Success, {263, 5, -1, -1}},
        {{0x01, 0x07, 5, 6, 7}, CommResult::Success, {263, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        RouterMessage reply = ReplyFrame(0x93, c.data);
        PoisonBeyondFrame(reply, kPoison);
        ControlCardInfo info{7, 7, 7, 7};
        EXPECT_EQ(DecodeControlCardInfo(reply, info), c.result) << c.data.size();
        EXPECT_EQ(info, c.info) << c.data.size();
    }
}

TEST(SmallRepliesTest, AReplyTooShortForItsFieldsIsACountError) {
    uint8_t maker = 9;
    uint8_t product = 9;
    EXPECT_EQ(DecodeProductId(ReplyFrame(0x90, {0}), maker, product), CommResult::CountError);
    EXPECT_EQ(product, 9);
    ASSERT_EQ(DecodeProductId(ReplyFrame(0x90, {0, 0x3C}), maker, product), CommResult::Success);
    EXPECT_EQ(maker, 0);
    EXPECT_EQ(product, 60);

    uint8_t address = 9;
    EXPECT_EQ(DecodeCardAddress(ReplyFrame(0xC4, {}), address), CommResult::CountError);
    EXPECT_EQ(address, 9);
}

std::vector<uint8_t> HealthData(bool withAlarms) {
    std::vector<uint8_t> data = {0, 0xA5, 0x4C, 0xE9, 0x12, 0x34, 0x83, 0x01, 0x80};
    if (withAlarms) {
        data.push_back(0x81);
        data.push_back(0x06);
    }
    return data;
}

TEST(GeneralHealthTest, DecodesEveryField) {
    GeneralHealthStatus status;
    ASSERT_EQ(DecodeGeneralHealth(ReplyFrame(0x92, HealthData(true)), status), CommResult::Success);
    EXPECT_EQ(status.otherStatusFlags, (std::array<bool, 5>{true, false, true, false, false}));
    EXPECT_EQ(status.cpuHasReset, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(status.referenceClockBits, 0x4C);
    EXPECT_TRUE(status.ReferenceClockBit(2));
    EXPECT_FALSE(status.ReferenceClockBit(0));
    EXPECT_EQ(status.cardState, 1);
    EXPECT_TRUE(status.thisCardHealthy);
    EXPECT_TRUE(status.otherCardHealthy);
    EXPECT_TRUE(status.inPrimarySlot);
    EXPECT_TRUE(status.otherCardActive);
    EXPECT_EQ(status.lastTimestamp, 0x1234);
    EXPECT_EQ(status.powerSupplyPresent,
              (std::array<bool, 8>{true, true, false, false, false, false, false, true}));
    EXPECT_EQ(status.auxData, 0x0180);
    EXPECT_TRUE(status.hasAlarmsAndTemperatures);
    EXPECT_EQ(status.alarms,
              (std::array<bool, 8>{true, false, false, false, false, false, false, true}));
    EXPECT_EQ(status.powerSupplyTempOk,
              (std::array<bool, 8>{false, true, true, false, false, false, false, false}));
}

TEST(GeneralHealthTest, AShortReplyHasNoAlarmsOrTemperatures) {
    RouterMessage reply = ReplyFrame(0x92, HealthData(false));
    PoisonBeyondFrame(reply, 0xFF);
    ASSERT_EQ(reply.Length(), 10);
    GeneralHealthStatus status;
    ASSERT_EQ(DecodeGeneralHealth(reply, status), CommResult::Success);
    EXPECT_FALSE(status.hasAlarmsAndTemperatures);
    EXPECT_EQ(status.alarms, (std::array<bool, 8>{}));
    EXPECT_EQ(status.powerSupplyTempOk, (std::array<bool, 8>{}));
    EXPECT_EQ(status.auxData, 0x0180);
}

TEST(GeneralHealthTest, LengthElevenIsStillShortAndShorterIsACountError) {
    std::vector<uint8_t> data = HealthData(false);
    data.push_back(0x81);  // the alarms, but no temperatures
    RouterMessage reply = ReplyFrame(0x92, data);
    GeneralHealthStatus status;
    EXPECT_EQ(DecodeGeneralHealth(reply, status), CommResult::Success);  // length 11: short form

    data.resize(7);
    GeneralHealthStatus untouched;
    untouched.auxData = 77;
    EXPECT_EQ(DecodeGeneralHealth(ReplyFrame(0x92, data), untouched), CommResult::CountError);
    EXPECT_EQ(untouched.auxData, 77);
}

TEST(FanStatusTest, ChecksTheSubCommandAndTheCount) {
    struct Case {
        std::vector<uint8_t> data;
        CommResult result;
        std::vector<uint8_t> fans;
    };
    const std::vector<Case> cases = {
        {{7, 3, 0, 1, 0}, CommResult::Success, {0, 1, 0}},
        {{7, 0}, CommResult::Success, {}},
        {{0, 3, 0, 1, 0}, CommResult::ReplyMismatch, {9}},
        {{7, 4, 0, 1, 0}, CommResult::CountError, {9}},
        {{7}, CommResult::CountError, {9}},
    };
    for (const Case& c : cases) {
        RouterMessage reply = ReplyFrame(0x92, c.data);
        PoisonBeyondFrame(reply, kPoison);
        std::vector<uint8_t> fans = {9};
        EXPECT_EQ(DecodeFanStatus(reply, fans), c.result) << c.data.size();
        EXPECT_EQ(fans, c.fans);
    }
}

}  // namespace
}  // namespace zerandi::test
