#include <gtest/gtest.h>

#include <QThread>
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "protocol/FacadeFixture.h"
#include "protocol/RouterCommands.h"
#include "protocol/TestFrames.h"

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;
using Bytes = std::vector<uint8_t>;

class CommandPtyTest : public FacadeFixture {
protected:
    void UseExtendedCard() {
        simulator.Router().Update([](zsim::RouterState& s) { s.cardPartNumber = 263; });
    }
    std::vector<uint8_t> CommandsSent() const { return CommandsOf(Requests()); }
};

struct RequestCase {
    const char* name;
    std::function<CommResult(RouterProtocol&, const RouterAddress&)> call;
    uint8_t command;
    Bytes data;
};

TEST_F(CommandPtyTest, EachCommandSendsItsRequestAndIsAnswered) {
    StartRouter("QS1210");
    UseExtendedCard();
    uint8_t byte = 0;
    ControlCardInfo card;
    GeneralHealthStatus health;
    std::vector<uint8_t> fans;
    SerialCommParameters serial;
    std::vector<EthernetEntry> ethernet;
    ExpansionSettings expansion;
    PartitionParameters partition;
    ScrambleTableWords scramble{};
    std::vector<int32_t> sources(4);
    PartitionParameters newPartition;
    newPartition.startupFlag = true;
    newPartition.levelCount = 1;
    newPartition.levels[0] = RouterLevel{3, 1, 64, 0, 1, 1, 64, 0, 2};
    const SerialCommParameters newSerial{true, 9, 3, 1, 4, true, 5, 2, 6, 1};
    const std::vector<EthernetEntry> newEthernet = {{0, 1, {192, 168, 1, 9}, {255, 255, 255, 0}}};

    using P = RouterProtocol;
    using A = const RouterAddress&;
    const std::vector<RequestCase> cases = {
        {"GetProductId", [&](P& p, A a) { return p.GetProductId(a, byte, byte); }, 0x10, {}},
        {"GetControlCardInfo", [&](P& p, A a) { return p.GetControlCardInfo(a, card); }, 0x13, {}},
        {"GetCardAddress", [&](P& p, A a) { return p.GetCardAddress(a, byte); }, 0x44, {0}},
        {"SetCardAddress", [&](P& p, A a) { return p.SetCardAddress(a, 5); }, 0x44, {1, 5}},
        {"SetControllerState", [&](P& p, A a) { return p.SetControllerState(a, 1); }, 0x06, {1}},
        {"ResetController", [&](P& p, A a) { return p.ResetController(a); }, 0x4E, {0}},
        {"SetRouterType", [&](P& p, A a) { return p.SetRouterType(a, 96); }, 0x43, {96}},
        {"Take", [&](P& p, A a) { return p.Take(a, 12, 7); }, 0x49, {0, 0, 12, 0, 7}},
        {"TimedTake",
         [&](P& p, A a) { return p.TimedTake(a, 12, 7, 0x1234); },
         0x49,
         {0, 0, 12, 0, 7, 0x12, 0x34}},
        {"SetMonitor", [&](P& p, A a) { return p.SetMonitor(a, 3, 2); }, 0x49, {1, 0, 3, 0, 2}},
        {"GetCrosspointStatus",
         [&](P& p, A a) { return p.GetCrosspointStatus(a, 1, 3, sources); },
         0x4A,
         {0, 0, 1, 0, 3}},
        {"GetMonitorStatus",
         [&](P& p, A a) { return p.GetMonitorStatus(a, 2, sources); },
         0x4A,
         {1, 0, 1, 0, 2}},
        {"GetScrambleTable", [&](P& p, A a) { return p.GetScrambleTable(a, scramble); }, 0x46, {0}},
        {"GetPartitionParameters",
         [&](P& p, A a) { return p.GetPartitionParameters(a, partition); },
         0x47,
         {0}},
        {"SetPartitionParameters",
         [&](P& p, A a) { return p.SetPartitionParameters(a, newPartition); },
         0x47,
         {1, 1, 0, 1, 2, 3, 0, 1, 0, 64, 0, 0, 0, 1, 0, 1, 0, 64, 0, 0}},
        {"GetSerialCommParameters",
         [&](P& p, A a) { return p.GetSerialCommParameters(a, serial); },
         0x45,
         {0}},
        {"SetSerialCommParameters",
         [&](P& p, A a) { return p.SetSerialCommParameters(a, newSerial); },
         0x45,
         {1, 9, 1, 4, 3, 1, 9, 2, 6, 5, 1}},
        {"GetEthernetCommParameters",
         [&](P& p, A a) { return p.GetEthernetCommParameters(a, ethernet); },
         0x45,
         {2}},
        {"SetEthernetCommParameters",
         [&](P& p, A a) { return p.SetEthernetCommParameters(a, newEthernet); },
         0x45,
         {3, 0, 1, 192, 168, 1, 9, 255, 255, 255, 0}},
        {"GetExpansionParameters",
         [&](P& p, A a) { return p.GetExpansionParameters(a, expansion); },
         0x4F,
         {0x10}},
        {"SetExpansionParameters",
         [&](P& p, A a) {
             return p.SetExpansionParameters(a, ExpansionSettings{1, 2});
         },
         0x4F,
         {0x11, 1, 2, 0, 0}},
        {"GetGeneralHealth", [&](P& p, A a) { return p.GetGeneralHealth(a, health); }, 0x12, {0}},
        {"GetFanStatus", [&](P& p, A a) { return p.GetFanStatus(a, fans); }, 0x12, {7}},
        {"EnterFlashWriteMode", [&](P& p, A a) { return p.EnterFlashWriteMode(a, 2); }, 0x40, {2}},
        {"ExitFlashDownloadMode",
         [&](P& p, A a) { return p.ExitFlashDownloadMode(a, 2); },
         0x42,
         {2}},
    };
    for (const RequestCase& c : cases) {
        ClearRecords();
        EXPECT_EQ(c.call(protocol, address), CommResult::Success) << c.name;
        const auto requests = Requests();
        ASSERT_EQ(requests.size(), 1u) << c.name;
        EXPECT_EQ(CommandOf(requests[0]), c.command) << c.name;
        EXPECT_EQ(DataOf(requests[0]), c.data) << c.name;
        EXPECT_TRUE(clock.Sleeps().empty()) << c.name;
    }
}

TEST_F(CommandPtyTest, SettingsWrittenAreReadBack) {
    UseExtendedCard();
    ASSERT_EQ(protocol.SetCardAddress(address, 42), CommResult::Success);
    uint8_t cardAddress = 0;
    ASSERT_EQ(protocol.GetCardAddress(address, cardAddress), CommResult::Success);
    EXPECT_EQ(cardAddress, 42);

    PartitionParameters written;
    written.scrambleMapEnabled = true;
    written.levelCount = 2;
    written.levels[0] = RouterLevel{0, 1, 32, 0, 1, 1, 64, 0, 1};
    written.levels[1] = RouterLevel{250, 33, 64, 32, 0xF3F3, 1, 64, 0, 2};
    ASSERT_EQ(protocol.SetPartitionParameters(address, written), CommResult::Success);
    PartitionParameters read;
    ASSERT_EQ(protocol.GetPartitionParameters(address, read), CommResult::Success);
    EXPECT_EQ(read, written);

    const SerialCommParameters serial{false, 3, 4, 2, 7, true, 4, 2, 8, 0};
    ASSERT_EQ(protocol.SetSerialCommParameters(address, serial), CommResult::Success);
    SerialCommParameters serialRead;
    serialRead.secondBaudIndex = 4;
    serialRead.secondReplyWhen = 2;
    serialRead.value6 = 8;
    ASSERT_EQ(protocol.GetSerialCommParameters(address, serialRead), CommResult::Success);
    EXPECT_EQ(serialRead, serial);

    const EthernetEntry entry{1, 1, {10, 1, 2, 3}, {255, 255, 0, 0}};
    ASSERT_EQ(protocol.SetEthernetCommParameters(address, std::vector<EthernetEntry>{entry}),
              CommResult::Success);
    std::vector<EthernetEntry> entries;
    ASSERT_EQ(protocol.GetEthernetCommParameters(address, entries), CommResult::Success);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], entry);
    EXPECT_EQ(entries[0], (EthernetEntry{0, 1, {192, 168, 1, 50}, {255, 255, 255, 0}}));

    ASSERT_EQ(protocol.SetExpansionParameters(address, ExpansionSettings{0, 3}),
              CommResult::Success);
    ExpansionSettings expansion;
    ASSERT_EQ(protocol.GetExpansionParameters(address, expansion), CommResult::Success);
    EXPECT_EQ(expansion, (ExpansionSettings{0, 3}));
}

TEST_F(CommandPtyTest, ACardWithoutEthernetRefusesAsNotSupported) {
    std::vector<EthernetEntry> entries(1);
    EXPECT_EQ(protocol.GetEthernetCommParameters(address, entries), CommResult::NotSupported);
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(CommandPtyTest, ControlCardInfoFollowsTheReplyLength) {
    simulator.Router().Update([](zsim::RouterState& s) {
        s.cardPartNumber = 353;
        s.cardBytes = {4, 5, 6};
        s.cardInfoLength = 3;
    });
    ControlCardInfo card;
    ASSERT_EQ(protocol.GetControlCardInfo(address, card), CommResult::Success);
    EXPECT_EQ(card, (ControlCardInfo{353, -1, -1, -1}));

    simulator.Router().Update([](zsim::RouterState& s) { s.cardInfoLength = 6; });
    ASSERT_EQ(protocol.GetControlCardInfo(address, card), CommResult::Success);
    EXPECT_EQ(card, (ControlCardInfo{353, 4, 5, 6}));

    simulator.Router().Update([](zsim::RouterState& s) { s.cardInfoLength = 2; });
    EXPECT_EQ(protocol.GetControlCardInfo(address, card), CommResult::ReplyMismatch);
    EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{kRecoveryMs});
    EXPECT_EQ(card, ControlCardInfo{}) << "the card read before must not linger";
}

TEST_F(CommandPtyTest, StatusAndFansAreDecoded) {
    simulator.Router().Update([](zsim::RouterState& s) {
        s.health = zsim::HealthStatus{0xA0, 0x05, 0x6A, 4321, 0x03, 0x0180, 0x41, 0x02, true};
        s.fans = {0, 3, 0};
    });
    GeneralHealthStatus health;
    ASSERT_EQ(protocol.GetGeneralHealth(address, health), CommResult::Success);
    EXPECT_EQ(health.cpuHasReset, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(health.cardState, 2);
    EXPECT_FALSE(health.otherCardActive);
    EXPECT_EQ(health.lastTimestamp, 4321);
    EXPECT_EQ(health.auxData, 0x0180);
    EXPECT_TRUE(health.alarms[6]);
    EXPECT_TRUE(health.powerSupplyTempOk[1]);

    simulator.Router().Update([](zsim::RouterState& s) { s.health.alarmBytes = false; });
    ASSERT_EQ(protocol.GetGeneralHealth(address, health), CommResult::Success);
    EXPECT_FALSE(health.hasAlarmsAndTemperatures);
    EXPECT_EQ(health.alarms, (std::array<bool, 8>{}));

    std::vector<uint8_t> fans = {9, 9, 9, 9};
    ASSERT_EQ(protocol.GetFanStatus(address, fans), CommResult::Success);
    EXPECT_EQ(fans, (std::vector<uint8_t>{0, 3, 0}));
}

zsim::VersionRecord LongVersion(uint8_t type, uint8_t kind) {
    return {type, kind, "SV0900-010203", "Z", 1, 2, 3, 4, std::string(90, 'd')};
}

TEST_F(CommandPtyTest, SoftwareVersionsComeInSeveralRepliesAndTheSummaryAddsTheRest) {
    simulator.Router().Update([](zsim::RouterState& s) {
        s.versions.clear();
        for (uint8_t type = 0; type < 6; ++type) {
            s.versions.push_back(LongVersion(type, 1));
        }
        s.briefVersions = {zsim::BriefVersion{0, 1, 102, {2, 10, 3}},
                           zsim::BriefVersion{18, 2, 403, {1, 0, 9}}};
    });
    std::vector<SoftwareVersion> versions(2);
    ASSERT_EQ(protocol.GetSoftwareVersions(address, versions), CommResult::Success);
    EXPECT_EQ(CommandsSent(), (Bytes{0x15, 0x11}));
    EXPECT_EQ(DataOf(Requests()[0]), Bytes{0});

    ASSERT_EQ(versions.size(), 7u);
    for (uint8_t type = 0; type < 6; ++type) {
        EXPECT_EQ(versions[type].componentType, type);
        EXPECT_EQ(versions[type].name, "SV0900-010203");
        EXPECT_EQ(versions[type].partString, "Z");
        EXPECT_EQ(versions[type].fourth, 4);
        EXPECT_EQ(versions[type].description, QString(90, 'd'));
    }
    EXPECT_EQ(versions[6].componentType, 18);
    EXPECT_EQ(versions[6].imageKind, 2);
    EXPECT_EQ(versions[6].name, "SV0403-010009");
}

TEST_F(CommandPtyTest, AVersionReplyWithItsErrorFlagEndsTheRead) {
    simulator.Router().Update([](zsim::RouterState& s) { s.versionErrorFlag = true; });
    std::vector<SoftwareVersion> versions;
    EXPECT_EQ(protocol.GetSoftwareVersions(address, versions), CommResult::ReplyMismatch);
    EXPECT_EQ(CommandsSent(), Bytes{0x15});
    EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{kRecoveryMs});
}

TEST_F(CommandPtyTest, AnOlderCardWithoutTheDetailedListGivesTheSummary) {
    InjectFault({.kind = Kind::Refuse, .param = 4, .command = 0x15});
    std::vector<SoftwareVersion> versions;
    ASSERT_EQ(protocol.GetSoftwareVersions(address, versions), CommResult::Success);
    EXPECT_EQ(CommandsSent(), (Bytes{0x15, 0x11}));
    ASSERT_EQ(versions.size(), 6u);
    EXPECT_EQ(versions[0].name, "SV0102-021003");
    EXPECT_EQ(versions[0].major, 2);
    EXPECT_EQ(versions[0].minor, 10);
    EXPECT_EQ(versions[0].build, 3);

    ClearRecords();
    InjectFault({.kind = Kind::Refuse, .param = 9, .command = 0x15});
    InjectFault({.kind = Kind::Refuse, .param = 4, .command = 0x11});
    EXPECT_EQ(protocol.GetSoftwareVersions(address, versions), CommResult::UnknownCommand);
    EXPECT_TRUE(versions.empty());

    ClearRecords();
    InjectFault({.kind = Kind::Refuse, .param = 1, .command = 0x15});
    EXPECT_EQ(protocol.GetSoftwareVersions(address, versions), CommResult::InvalidData);
    EXPECT_EQ(CommandsSent(), Bytes{0x15});
}

TEST_F(CommandPtyTest, TakesChangeTheRouterAndTimedTakesCarryTheirTimestamp) {
    ASSERT_EQ(protocol.Take(address, 12, 7), CommResult::Success);
    ASSERT_EQ(protocol.TimedTake(address, 13, 8, 777), CommResult::Success);
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.crosspoints[6], 12);
    EXPECT_EQ(state.crosspoints[7], 13);
    EXPECT_EQ(state.health.lastTimestamp, 777);
}

TEST_F(CommandPtyTest, CrosspointStatusIsReadInBlocksOfSixtyFour) {
    simulator.Router().Update([](zsim::RouterState& s) {
        s.outputs = 100;
        s.crosspoints.resize(100);
        for (size_t i = 0; i < s.crosspoints.size(); ++i) {
            s.crosspoints[i] = static_cast<uint16_t>(64 - i % 64);
        }
    });
    std::vector<int32_t> sources(100, 0);
    ASSERT_EQ(protocol.GetCrosspointStatus(address, 1, 100, sources), CommResult::Success);
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(DataOf(requests[0]), (Bytes{0, 0, 1, 0, 64}));
    EXPECT_EQ(DataOf(requests[1]), (Bytes{0, 0, 65, 0, 36}));
    const auto crosspoints = simulator.Router().Snapshot().crosspoints;
    EXPECT_EQ(std::vector<int32_t>(crosspoints.begin(), crosspoints.end()), sources);
}

TEST_F(CommandPtyTest, TheLargestRouterIsReadWhole) {
    StartRouter("QS1214");
    std::vector<int32_t> sources(2048);
    ASSERT_EQ(protocol.GetCrosspointStatus(address, 1, 2048, sources), CommResult::Success);
    EXPECT_EQ(Requests().size(), 32u);
    const auto crosspoints = simulator.Router().Snapshot().crosspoints;
    EXPECT_EQ(std::vector<int32_t>(crosspoints.begin(), crosspoints.end()), sources);
}

TEST_F(CommandPtyTest, AnEmptyOrReversedRangeSendsNothing) {
    std::vector<int32_t> sources(8, 5);
    EXPECT_EQ(protocol.GetCrosspointStatus(address, 10, 9, sources), CommResult::Failure);
    EXPECT_EQ(protocol.GetMonitorStatus(address, 0, sources), CommResult::Failure);
    EXPECT_EQ(protocol.GetCrosspointStatus(address, 1, 9, sources), CommResult::Failure);
    EXPECT_EQ(protocol.GetCrosspointStatus(address, -1, 3, sources), CommResult::Failure);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(sources, std::vector<int32_t>(8, 5));
}

TEST_F(CommandPtyTest, AFailingBlockEndsTheStatusRead) {
    simulator.Router().Update([](zsim::RouterState& s) { s.outputs = 100; });
    InjectFault({.kind = Kind::Refuse, .param = 1, .command = 0x4A});
    std::vector<int32_t> sources(100, 5);
    EXPECT_EQ(protocol.GetCrosspointStatus(address, 1, 100, sources), CommResult::InvalidData);
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_EQ(sources, std::vector<int32_t>(100, -1));
}

ScrambleTableWords NumberedScramble() {
    ScrambleTableWords table{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint16_t>(i * 3 + 1);
    }
    return table;
}

TEST_F(CommandPtyTest, AScrambleTableIsWrittenInSixteenBlocksAndReadBack) {
    const ScrambleTableWords table = NumberedScramble();
    ASSERT_EQ(protocol.SetScrambleTable(address, table), CommResult::Success);
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 16u);
    for (size_t n = 0; n < requests.size(); ++n) {
        const Bytes data = DataOf(requests[n]);
        ASSERT_EQ(data.size(), 5u + 4 * 32) << n;
        EXPECT_EQ(data[0], n < 8 ? 1 : 2) << n;
        EXPECT_EQ(data[1], static_cast<int>(7 - n % 8)) << n;
        EXPECT_EQ((data[2] << 8) | data[3], static_cast<int>(32 * (n % 8))) << n;
        EXPECT_EQ(data[4], 32) << n;
    }
    EXPECT_EQ(simulator.Router().Snapshot().scramble, table);

    ClearRecords();
    ScrambleTableWords read{};
    ASSERT_EQ(protocol.GetScrambleTable(address, read), CommResult::Success);
    EXPECT_EQ(read, table);
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(CommandPtyTest, AScrambleWriteStopsAtTheFirstFailingBlock) {
    InjectFault({.kind = Kind::Refuse, .param = 1, .command = 0x46, .subCommand = 2});
    EXPECT_EQ(protocol.SetScrambleTable(address, NumberedScramble()), CommResult::InvalidData);
    EXPECT_EQ(Requests().size(), 9u);

    ClearRecords();
    InjectFault({.kind = Kind::Refuse, .param = 2, .command = 0x46, .subCommand = 1});
    EXPECT_EQ(protocol.SetScrambleTable(address, NumberedScramble()), CommResult::CannotExecute);
    EXPECT_EQ(Requests().size(), 1u);
}

class DataRouterPtyTest : public CommandPtyTest {
protected:
    void SetUp() override { StartRouter("QR1208"); }
};

TEST_F(DataRouterPtyTest, PortTypesAreWrittenInBlocksOf128) {
    simulator.Router().Update([](zsim::RouterState& s) { s.inputs = 300; });
    std::vector<uint8_t> portTypes(300);
    for (size_t i = 0; i < portTypes.size(); ++i) {
        portTypes[i] = static_cast<uint8_t>(i % 10);
    }
    std::vector<CommResult> blockResults;
    ASSERT_EQ(protocol.SetDataRouterParameters(address, 1, 4, portTypes,
                                               [&](CommResult r) { blockResults.push_back(r); }),
              CommResult::Success);
    EXPECT_EQ(blockResults, std::vector<CommResult>(3, CommResult::Success));

    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 3u);
    const std::vector<std::pair<int, int>> blocks = {{0, 128}, {128, 128}, {256, 44}};
    for (size_t k = 0; k < 3; ++k) {
        const Bytes data = DataOf(requests[k]);
        ASSERT_EQ(data.size(), 7u + static_cast<size_t>(blocks[k].second)) << k;
        EXPECT_EQ(data[0], 1);
        EXPECT_EQ(data[1], static_cast<int>(2 - k)) << k;
        EXPECT_EQ(data[2], 1);
        EXPECT_EQ(data[3], 4);
        EXPECT_EQ((data[4] << 8) | data[5], blocks[k].first) << k;
        EXPECT_EQ(data[6], blocks[k].second) << k;
    }
    std::vector<uint8_t> expected = portTypes;
    for (uint8_t& code : expected) {
        code = code > 6 ? 0 : code;
    }
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.portTypes, expected);
    EXPECT_EQ(state.reverseFlag, 1);
    EXPECT_EQ(state.takeDelay, 4);
}

TEST_F(DataRouterPtyTest, EveryPortTypeBlockIsSentEvenAfterAFailure) {
    InjectFault({.kind = Kind::Refuse, .param = 2, .command = 0x48, .subCommand = 1});
    std::vector<uint8_t> portTypes(300, 1);  // the router has 256 ports: the last block fails too
    std::vector<CommResult> blockResults;
    EXPECT_EQ(protocol.SetDataRouterParameters(address, 0, 0, portTypes,
                                               [&](CommResult r) { blockResults.push_back(r); }),
              CommResult::InvalidData);
    EXPECT_EQ(blockResults, (std::vector<CommResult>{CommResult::CannotExecute, CommResult::Success,
                                                     CommResult::InvalidData}));
    EXPECT_EQ(Requests().size(), 3u);

    ClearRecords();
    EXPECT_EQ(protocol.SetDataRouterParameters(address, 0, 0, {}), CommResult::Success);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(DataRouterPtyTest, PortTypesAreReadOverSeveralReplies) {
    simulator.Router().Update([](zsim::RouterState& s) {
        for (size_t i = 0; i < s.portTypes.size(); ++i) {
            s.portTypes[i] = static_cast<uint8_t>(i % 7);
        }
        s.reverseFlag = 1;
        s.takeDelay = 9;
    });
    std::vector<uint8_t> portTypes(256, 0xAA);
    bool flag = false;
    uint8_t value = 0;
    const DataRouterReadResult result =
        protocol.GetDataRouterParameters(address, flag, value, portTypes);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(portTypes, simulator.Router().Snapshot().portTypes);
    EXPECT_TRUE(flag);
    EXPECT_EQ(value, 9);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(DataOf(Requests()[0]), Bytes{0});
}

TEST_F(DataRouterPtyTest, MorePortsThanTheTableHoldsEndTheRead) {
    std::vector<uint8_t> storage(110, 0xAA);
    bool flag = false;
    uint8_t value = 0;
    const DataRouterReadResult result = protocol.GetDataRouterParameters(
        address, flag, value, std::span<uint8_t>(storage).first(100));
    EXPECT_TRUE(result.tooManyInputs);
    EXPECT_EQ(result.comm, CommResult::Success);
    EXPECT_FALSE(result.Ok());
    const auto state = simulator.Router().Snapshot().portTypes;
    EXPECT_TRUE(std::equal(storage.begin(), storage.begin() + 100, state.begin()));
    EXPECT_EQ(std::vector<uint8_t>(storage.begin() + 100, storage.end()),
              std::vector<uint8_t>(10, 0xAA));
}

struct DrainCase {
    const char* name;
    RouterMessage staleReply;
    // Runs the read; true when it took the stale reply for its own.
    std::function<bool(RouterProtocol&, const RouterAddress&)> tookStaleReply;
    bool drainsFirst;
};

// A reply left on the line by an abandoned exchange: the scramble-table and software-version
// reads drain the line before asking, the port-type read asks at once.
TEST_F(DataRouterPtyTest, OnlyTheScrambleAndVersionReadsDrainTheLineFirst) {
    constexpr unsigned kStaleReplyArrivalMs = 20;
    constexpr uint8_t kStaleComponent = 99;
    constexpr uint8_t kStalePortType = 5;
    simulator.Router().Update(
        [](zsim::RouterState& s) { std::fill(s.portTypes.begin(), s.portTypes.end(), 1); });
    ScrambleTableWords scramble{};
    std::vector<SoftwareVersion> versions;
    std::vector<uint8_t> portTypes(256);
    bool flag = false;
    uint8_t value = 0;
    Bytes staleVersion = {0, 0, kStaleComponent, 1};  // last reply, no error, one bare record
    staleVersion.resize(staleVersion.size() + 29);

    using P = RouterProtocol;
    using A = const RouterAddress&;
    const std::vector<DrainCase> cases = {
        {"GetScrambleTable", ReplyFrame(0xC6, {1, 0, 0, 0, 1, 0x12, 0x34, 0x56, 0x78}),
         [&](P& p, A a) {
             p.GetScrambleTable(a, scramble);
             return scramble[0] == 0x1234;
         },
         true},
        {"GetSoftwareVersions", ReplyFrame(0x95, staleVersion),
         [&](P& p, A a) {
             p.GetSoftwareVersions(a, versions);
             return std::any_of(versions.begin(), versions.end(), [&](const SoftwareVersion& v) {
                 return v.componentType == kStaleComponent;
             });
         },
         true},
        {"GetDataRouterParameters", ReplyFrame(0xC8, {0, 0, 0, 0, 0, 1, kStalePortType}),
         [&](P& p, A a) {
             p.GetDataRouterParameters(a, flag, value, portTypes);
             return portTypes[0] == kStalePortType;
         },
         false},
    };
    for (const DrainCase& c : cases) {
        simulator.Pty().SendRaw(FrameBytes(c.staleReply));
        QThread::msleep(kStaleReplyArrivalMs);
        EXPECT_EQ(c.tookStaleReply(protocol, address), !c.drainsFirst) << c.name;
    }
}

TEST_F(CommandPtyTest, ARouterWithoutPortTypesRefusesTheirRead) {
    std::vector<uint8_t> portTypes(64);
    bool flag = false;
    uint8_t value = 0;
    const DataRouterReadResult result =
        protocol.GetDataRouterParameters(address, flag, value, portTypes);
    EXPECT_EQ(result.comm, CommResult::NotSupported);
    EXPECT_FALSE(result.tooManyInputs);
}

TEST_F(CommandPtyTest, AFailedFlashRecordSwitchesTheVariantForGood) {
    simulator.Router().Update([](zsim::RouterState& s) { s.refuseFlashVariant1 = true; });
    ASSERT_EQ(protocol.EnterFlashWriteMode(address, 1), CommResult::Success);
    ClearRecords();

    const std::string first = "S00600004844521B";
    ASSERT_EQ(protocol.SendFlashRecord(address, first, 1), CommResult::Success);
    EXPECT_EQ(protocol.FlashRecordVariant(), RouterProtocol::kFlashVariantTextFirst);
    auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    Bytes componentFirst = {1};
    componentFirst.insert(componentFirst.end(), first.begin(), first.end());
    Bytes textFirst(first.begin(), first.end());
    textFirst.push_back(0);
    EXPECT_EQ(DataOf(requests[0]), componentFirst);
    EXPECT_EQ(requests[0][5], static_cast<uint8_t>(first.size() + 2));
    EXPECT_EQ(DataOf(requests[1]), textFirst);
    EXPECT_EQ(requests[1][5], static_cast<uint8_t>(first.size() + 2));

    ClearRecords();
    const std::string second = "S1130000285F245F2212226A000424290008237C2A";
    ASSERT_EQ(protocol.SendFlashRecord(address, second, 1), CommResult::Success);
    requests = Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(DataOf(requests[0]).front(), 'S');

    ASSERT_EQ(protocol.ExitFlashDownloadMode(address, 1), CommResult::Success);
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.flashRecords.at(1), (std::vector<std::string>{first, second}));
    EXPECT_EQ(state.flashCompleted, std::vector<int>{1});
}

TEST_F(CommandPtyTest, FlashRecordMessagesAreBuiltInTheCurrentVariant) {
    RouterMessage message;
    ASSERT_EQ(protocol.BuildFlashRecordMessage(address, "S9030000FC", message, 2),
              CommResult::Success);
    EXPECT_EQ(message.Length(), 12);
    EXPECT_EQ(message.Command(), 0x41);
    EXPECT_EQ(message.Byte(7), 2);
    EXPECT_EQ(message.Byte(8), 'S');
    EXPECT_TRUE(message.ChecksumOk());

    const RouterMessage before = message;
    EXPECT_EQ(protocol.BuildFlashRecordMessage(address, std::string(240, 'S'), message, 2),
              CommResult::Failure);
    EXPECT_EQ(message, before);
}

TEST_F(CommandPtyTest, TextLinesGoOutAndTextMessagesComeIn) {
    RouterMessage line;
    ASSERT_EQ(RouterProtocol::BuildTextLineMessage(address, "hello", line), CommResult::Success);
    EXPECT_EQ(line.Length(), 8);
    ASSERT_EQ(protocol.SendMessage(line), CommResult::Success);
    for (int wait = 0; wait < 100 && simulator.Router().Snapshot().receivedTexts.empty(); ++wait) {
        QThread::msleep(5);
    }
    EXPECT_EQ(simulator.Router().Snapshot().receivedTexts, std::vector<std::string>{"hello\r\n"});

    RouterMessage message;
    EXPECT_EQ(protocol.ReceiveTextMessage(address, message, 0), CommResult::Timeout);
    simulator.Pty().SendText("abc\r");
    ASSERT_EQ(protocol.ReceiveTextMessage(address, message, 500), CommResult::Success);
    EXPECT_EQ(message.Command(), 0x7E);
    EXPECT_EQ(message.Length(), 5);
    EXPECT_EQ(message.Byte(7), 'a');
    EXPECT_EQ(message.Byte(10), '\r');
}

}  // namespace
}  // namespace zerandi::test
